#include "atlas/atlas.h"

#include <gtest/gtest.h>

#include <QTemporaryFile>

using namespace ferolune;

namespace {

const Atlas &realAtlas()
{
    static const AtlasLoad loaded = Atlas::load(QStringLiteral(FEROLUNE_ATLAS_FILE));
    if (!loaded.atlas)
        ADD_FAILURE() << loaded.error.toStdString();
    return *loaded.atlas;
}

std::string shown(const Atlas &atlas, PlaceId id)
{
    return atlas.place(id).shownName().toStdString();
}

} // namespace

TEST(AtlasData, HoldsHungaryAndTheWorldsTowns)
{
    const Atlas &atlas = realAtlas();
    int hungarian = 0;
    for (PlaceId id = 0; id < atlas.size(); ++id)
        hungarian += atlas.place(id).countryCode == QLatin1String("HU");
    EXPECT_GT(hungarian, 850);
    EXPECT_LT(hungarian, 1000);
    EXPECT_GT(atlas.size(), 40000);
}

TEST(AtlasSearch, IgnoresAccentsAndCaseAndFindsHungarianNames)
{
    const struct {
        const char *typed;
        const char *firstHit; // display text of the first hit
    } rows[] = {
        {"szekesfeh", "Székesfehérvár, Fejér, Magyarország"},
        {"Székesfehérvár", "Székesfehérvár, Fejér, Magyarország"},
        {"SZÉKESFEHÉRVÁR", "Székesfehérvár, Fejér, Magyarország"},
        {"debr", "Debrecen, Hajdú-Bihar, Magyarország"},
        {"buda", "Budapest, Magyarország"},
        {"kolozsvar", "Kolozsvár (Cluj-Napoca), Románia"},
        {"cluj", "Kolozsvár (Cluj-Napoca), Románia"},
        {"cluj napoca", "Kolozsvár (Cluj-Napoca), Románia"},
        {"szabadka", "Szabadka (Subotica), Újvidék vidéke, Szerbia"},
        {"Kassa", "Kassa (Košice), Szlovákia"},
        {"kosice", "Kassa (Košice), Szlovákia"},
        {"bécs", "Bécs (Vienna), Ausztria"},
        {"  Nagyvárad ", "Nagyvárad (Oradea), Románia"},
    };
    const Atlas &atlas = realAtlas();
    for (const auto &row : rows) {
        const auto hits = atlas.search(QString::fromUtf8(row.typed));
        ASSERT_FALSE(hits.empty()) << row.typed;
        EXPECT_EQ(hits.front().displayText.toStdString(), row.firstHit) << row.typed;
    }
}

TEST(AtlasSearch, PrefixesBeforeWordsAndAtMostTheLimit)
{
    const Atlas &atlas = realAtlas();
    const auto hits = atlas.search(QStringLiteral("kerulet"), 5);
    ASSERT_EQ(hits.size(), 5u); // "Budapest XI. kerület": found by a word, not the start
    for (const SearchHit &hit : hits)
        EXPECT_TRUE(hit.displayText.contains(QStringLiteral("kerület"))) << hit.displayText.toStdString();

    EXPECT_EQ(atlas.search(QStringLiteral("nagy")).size(), 20u);
    const auto szeg = atlas.search(QStringLiteral("szeg"));
    ASSERT_FALSE(szeg.empty());
    EXPECT_EQ(shown(atlas, szeg.front().id), "Szeged");
    const auto papa = atlas.search(QStringLiteral("papa"));
    ASSERT_FALSE(papa.empty());
    EXPECT_EQ(papa.front().displayText.toStdString(), "Pápa, Veszprém, Magyarország");
    EXPECT_TRUE(atlas.search(QStringLiteral(" - ")).empty());
    EXPECT_TRUE(atlas.search(QStringLiteral("qqqzzz")).empty());
}

TEST(AtlasSearch, NamesakesShowTheirCountyAndCountry)
{
    const struct {
        const char *name;
        std::size_t atLeast;
    } rows[] = {{"Kardos", 2}, {"Szentgyörgy", 3}, {"Arad", 2}};
    const Atlas &atlas = realAtlas();
    for (const auto &row : rows) {
        const auto ids = atlas.exactMatches(QString::fromUtf8(row.name));
        ASSERT_GE(ids.size(), row.atLeast) << row.name;
        QStringList texts;
        for (PlaceId id : ids)
            texts << atlas.displayText(id);
        texts.removeDuplicates();
        EXPECT_EQ(std::size_t(texts.size()), ids.size()) << texts.join(" | ").toStdString();
    }
    EXPECT_EQ(realAtlas().displayText(realAtlas().exactMatches(QStringLiteral("Kardos")).front()),
              QStringLiteral("Kardos, Békés, Magyarország"));
}

TEST(AtlasClosestNames, OffersTheNearestSpellings)
{
    const struct {
        const char *typed;
        const char *nearest;
    } rows[] = {
        {"Debreczen", "Debrecen, Hajdú-Bihar, Magyarország"},
        {"Kolozvar", "Kolozsvár (Cluj-Napoca), Románia"},
        {"Szekesfehervat", "Székesfehérvár, Fejér, Magyarország"},
        {"Nyiregyhaz", "Nyíregyháza, Szabolcs-Szatmár-Bereg, Magyarország"},
    };
    for (const auto &row : rows) {
        const QStringList names = realAtlas().closestNames(QString::fromUtf8(row.typed));
        ASSERT_EQ(names.size(), 5) << row.typed;
        EXPECT_EQ(names.front().toStdString(), row.nearest) << row.typed;
    }
}

TEST(AtlasBirthplace, KolozsvarIsClujNapocaInBucharestTime)
{
    const Atlas &atlas = realAtlas();
    const auto ids = atlas.exactMatches(QStringLiteral("Kolozsvár"));
    ASSERT_EQ(ids.size(), 1u);
    const Place &place = atlas.place(ids.front());
    EXPECT_EQ(place.name, QStringLiteral("Cluj-Napoca"));
    EXPECT_EQ(place.timeZoneId, QByteArray("Europe/Bucharest"));
    const ZoneAt zone = zoneAt(place, QDate(1990, 5, 17), 12, 0);
    ASSERT_EQ(zone.kind, LocalTimeKind::Unique);
    EXPECT_EQ(zone.readings.front().zoneHours, -3);
    EXPECT_TRUE(zone.readings.front().summerTime);
}

TEST(ZoneAt, FollowsTheZoneHistoryAndReportsSkippedAndRepeatedTimes)
{
    using K = LocalTimeKind;
    const struct {
        const char *zone;
        QDate date;
        int hour, minute;
        LocalTimeKind kind;
        std::vector<ZoneReading> readings;
    } rows[] = {
        {"Europe/Budapest", {1975, 7, 14}, 9, 35, K::Unique, {{-1, false}}},
        {"Europe/Budapest", {1985, 7, 14}, 9, 35, K::Unique, {{-2, true}}},
        {"Europe/Budapest", {1955, 7, 1}, 12, 0, K::Unique, {{-2, true}}},
        {"Europe/Budapest", {1965, 7, 1}, 12, 0, K::Unique, {{-1, false}}},
        {"Europe/Budapest", {1985, 3, 31}, 2, 30, K::Skipped, {{-1, false}, {-2, true}}},
        {"Europe/Budapest", {1985, 3, 31}, 1, 59, K::Unique, {{-1, false}}},
        {"Europe/Budapest", {1985, 3, 31}, 3, 0, K::Unique, {{-2, true}}},
        {"Europe/Budapest", {1985, 9, 29}, 2, 30, K::Repeated, {{-2, true}, {-1, false}}},
        {"Europe/Budapest", {2023, 10, 29}, 2, 0, K::Repeated, {{-2, true}, {-1, false}}},
        {"Europe/Budapest", {2023, 10, 29}, 3, 0, K::Unique, {{-1, false}}},
        {"Europe/Budapest", {2023, 10, 29}, 1, 59, K::Unique, {{-2, true}}},
        {"Europe/Bucharest", {1990, 5, 17}, 12, 0, K::Unique, {{-3, true}}},
        {"America/New_York", {2000, 7, 1}, 12, 0, K::Unique, {{4, true}}},
        {"America/New_York", {2000, 1, 1}, 12, 0, K::Unique, {{5, false}}},
        {"Asia/Kolkata", {2000, 1, 1}, 12, 0, K::Unique, {{-5.5, false}}},
        {"Mars/Olympus_Mons", {2000, 1, 1}, 12, 0, K::UnknownZone, {}},
        {"Europe/Budapest", {2023, 2, 30}, 12, 0, K::InvalidMoment, {}},
        {"Europe/Budapest", {2023, 2, 1}, 24, 0, K::InvalidMoment, {}},
    };
    for (const auto &row : rows) {
        const ZoneAt zone = zoneAt(QByteArray(row.zone), row.date, row.hour, row.minute);
        const std::string what = std::string(row.zone) + " " + row.date.toString(Qt::ISODate).toStdString() +
                                 " " + std::to_string(row.hour) + ":" + std::to_string(row.minute);
        EXPECT_EQ(zone.kind, row.kind) << what;
        ASSERT_EQ(zone.readings.size(), row.readings.size()) << what;
        for (std::size_t i = 0; i < row.readings.size(); ++i) {
            EXPECT_EQ(zone.readings[i].zoneHours, row.readings[i].zoneHours) << what << " #" << i;
            EXPECT_EQ(zone.readings[i].summerTime, row.readings[i].summerTime) << what << " #" << i;
        }
    }
}

TEST(FieldValues, RoundToWholeMinutesAndCarryIntoTheDegree)
{
    const struct {
        double latitude, longitude;
        FieldValues expected;
    } rows[] = {
        {47.53167, 21.62444, {21, 37, true, 47, 32, true}},     // Debrecen
        {47.99999, 19.99200, {20, 0, true, 48, 0, true}}, // 59.52 and 59.9994 minutes carry
        {-33.86785, 151.20732, {151, 12, true, 33, 52, false}},
        {40.71427, -74.00597, {74, 0, false, 40, 43, true}},
        {0.0, -0.5, {0, 30, false, 0, 0, true}},
        {0.00833, 0.00834, {0, 1, true, 0, 0, true}}, // 0.5' rounds up, just under it down
    };
    for (const auto &row : rows) {
        Place place;
        place.latitude = row.latitude;
        place.longitude = row.longitude;
        const FieldValues v = fieldValues(place);
        const std::string what = std::to_string(row.latitude) + " " + std::to_string(row.longitude);
        EXPECT_EQ(v.latitudeDegrees, row.expected.latitudeDegrees) << what;
        EXPECT_EQ(v.latitudeMinutes, row.expected.latitudeMinutes) << what;
        EXPECT_EQ(v.north, row.expected.north) << what;
        EXPECT_EQ(v.longitudeDegrees, row.expected.longitudeDegrees) << what;
        EXPECT_EQ(v.longitudeMinutes, row.expected.longitudeMinutes) << what;
        EXPECT_EQ(v.east, row.expected.east) << what;
    }
}

TEST(FieldValues, DebrecenFromTheAtlas)
{
    const Atlas &atlas = realAtlas();
    const auto ids = atlas.exactMatches(QStringLiteral("debrecen"));
    ASSERT_FALSE(ids.empty());
    const FieldValues v = fieldValues(atlas.place(ids.front()));
    EXPECT_EQ(std::tuple(v.latitudeDegrees, v.latitudeMinutes, v.north, v.longitudeDegrees, v.longitudeMinutes, v.east),
              std::tuple(47, 32, true, 21, 37, true));
}

TEST(AtlasLoad, RefusesAMissingOrBrokenFileNamingIt)
{
    QTemporaryFile broken;
    ASSERT_TRUE(broken.open());
    broken.write("# header\n"
                 "1\tA\t\tHU\tPest\t47.5\t19.0\tEurope/Budapest\t10\n"
                 "2\tB\t\tHU\tPest\tnorth\t19.0\tEurope/Budapest\t10\n");
    broken.close();
    QTemporaryFile empty;
    ASSERT_TRUE(empty.open());
    empty.write("# only a header\n");
    empty.close();

    const struct {
        QString path;
        QString message;
    } rows[] = {
        {QStringLiteral("/nonexistent/atlas.tsv"), QStringLiteral("A helységnévtár nem nyitható meg: /nonexistent/atlas.tsv")},
        {broken.fileName(), QStringLiteral("A helységnévtár hibás: %1, 3. sor").arg(broken.fileName())},
        {empty.fileName(), QStringLiteral("A helységnévtár üres: %1").arg(empty.fileName())},
    };
    for (const auto &row : rows) {
        const AtlasLoad loaded = Atlas::load(row.path);
        EXPECT_FALSE(loaded.atlas.has_value()) << row.path.toStdString();
        EXPECT_TRUE(loaded.error.startsWith(row.message)) << loaded.error.toStdString();
    }
}

TEST(ZoneProblemText, NamesTheTimeAndBothZonesOfARepeatedHour)
{
    Place budapest;
    budapest.name = QStringLiteral("Budapest");
    budapest.timeZoneId = "Europe/Budapest";
    const struct {
        QDate date;
        int hour, minute;
        const char *text;
    } rows[] = {
        {{1985, 7, 14}, 9, 35, ""},
        {{1985, 3, 31}, 2, 30,
         "A születési helyen (Budapest) 1985. március 31. 02:30 nem létező időpont: ekkor kezdődött a nyári "
         "időszámítás, és az órát előreállították. Kérem, ellenőrizze az órát és a percet, vagy írja be kézzel "
         "az időzónát."},
        {{1985, 9, 29}, 2, 5,
         "A születési helyen (Budapest) 1985. szeptember 29. 02:05 kétszer is volt: ekkor ért véget a nyári "
         "időszámítás. Először -2 (nyári időszámítás) volt az időzóna, másodszor -1. Melyiket használjuk?"},
        {{1985, 2, 29}, 12, 0, "A születési dátum vagy időpont nem érvényes."},
    };
    for (const auto &row : rows) {
        const ZoneAt zone = zoneAt(budapest, row.date, row.hour, row.minute);
        EXPECT_EQ(zoneProblemText(budapest, row.date, row.hour, row.minute, zone).toStdString(), row.text);
    }
}
