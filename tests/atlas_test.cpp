#include "core/atlas/atlas.h"
#include "core/places/place_option.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSet>
#include <QTemporaryFile>

using namespace ferolune;

namespace {

const Atlas &realAtlas()
{
    static const AtlasLoad loaded = Atlas::load(QStringLiteral(FEROLUNE_ATLAS_FILE));
    if (!loaded)
        ADD_FAILURE() << loaded.error().toStdString();
    return *loaded;
}

std::string firstHit(const char *typed)
{
    const auto hits = realAtlas().search(QString::fromUtf8(typed));
    return hits.empty() ? std::string() : hits.front().displayText.toStdString();
}

// "-2s -1": the zones read, "s" where summer time was in force.
std::string readingsOf(const ZoneAt &zone)
{
    QStringList texts;
    for (const ZoneReading &reading : zone.readings)
        texts << QString::number(reading.zoneHours) + (reading.summerTime ? "s" : "");
    return texts.join(u' ').toStdString();
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

// Accents, case, spaces and hyphens do not matter; Hungarian and local names both find a
// place; among many prefixes the larger Hungarian town comes first.
TEST(AtlasSearch, FirstHits)
{
    const struct {
        const char *typed, *firstHit;
    } rows[] = {
        {"szekesfeh", "Székesfehérvár, Fejér, Magyarország"},
        {"SZÉKESFEHÉRVÁR", "Székesfehérvár, Fejér, Magyarország"},
        {"debr", "Debrecen, Hajdú-Bihar, Magyarország"},
        {"buda", "Budapest, Magyarország"},
        {"kolozsvar", "Kolozsvár (Cluj-Napoca), Kolozs megye, Románia"},
        {"cluj napoca", "Kolozsvár (Cluj-Napoca), Kolozs megye, Románia"},
        {"szabadka", "Szabadka (Subotica), Vajdaság, Szerbia"},
        {"kosice", "Kassa (Košice), Kassai kerület, Szlovákia"},
        {"  Nagyvárad ", "Nagyvárad (Oradea), Bihar megye, Románia"},
        {"szeg", "Szeged, Csongrád-Csanád, Magyarország"},
        {"papa", "Pápa, Veszprém, Magyarország"},
        {" - ", ""},
        {"qqqzzz", ""},
    };
    for (const auto &row : rows)
        EXPECT_EQ(firstHit(row.typed), row.firstHit) << row.typed;
}

TEST(AtlasSearch, WordsInsideANameCountUpToTheLimit)
{
    const auto hits = realAtlas().search(QStringLiteral("kerulet"), 5); // "Budapest XI. kerület"
    ASSERT_EQ(hits.size(), 5u);
    for (const SearchHit &hit : hits)
        EXPECT_TRUE(hit.displayText.contains(QStringLiteral("kerület"))) << hit.displayText.toStdString();
    EXPECT_EQ(realAtlas().search(QStringLiteral("nagy")).size(), 20u);
}

TEST(AtlasSearch, NamesakesShowTheirCountyAndCountry)
{
    const Atlas &atlas = realAtlas();
    for (const char *name : {"Kardos", "Szentgyörgy", "Arad"}) {
        const auto ids = atlas.exactMatches(QString::fromUtf8(name));
        ASSERT_GE(ids.size(), 2u) << name;
        QStringList texts;
        for (PlaceId id : ids)
            texts << atlas.displayText(id);
        texts.removeDuplicates();
        EXPECT_EQ(std::size_t(texts.size()), ids.size()) << texts.join(" | ").toStdString();
    }
    EXPECT_EQ(atlas.displayText(atlas.exactMatches(QStringLiteral("Kardos")).front()),
              QStringLiteral("Kardos, Békés, Magyarország"));
}

// A whole name, a short name or a namesake's Hungarian name, as the place lists and the
// command line show it: Hungarian country names, real regions, namesakes told apart.
TEST(AtlasText, WholeNamesShowRealRegionsAndHungarianCountries)
{
    const struct {
        const char *name, *shown;
    } rows[] = {
        {"Kassala", "Kassala, Szudán"},
        {"New York", "New York City, New York, Egyesült Államok"},
        // Hungarian and local names alike, with a country or a region after a comma.
        {"Wien", "Bécs (Vienna), Ausztria"},
        {"Bécs", "Bécs (Vienna), Ausztria"},
        {"Praha", "Prága (Prague), Csehország"},
        {"Prága", "Prága (Prague), Csehország"},
        {"München", "Munich, Bavaria, Németország"},
        {"Peking", "Peking (Beijing), Kína"},
        {"Tokió", "Tokió (Tokyo), Japán"},
        {"Mexikóváros", "Mexikóváros (Mexico City), Mexikó"},
        {"Fokváros", "Fokváros (Cape Town), Western Cape, Dél-Afrika"},
        {"Sydney, Ausztrália", "Sydney, New South Wales, Ausztrália"},
        {"sydney,new south wales", "Sydney, New South Wales, Ausztrália"},
        {"Kolozs", "Kolozs (Cojocna), Kolozs megye, Románia"},
        {"Gădălin", "Gădălin, Kolozs megye, Románia"},
        {"Beregszász", "Beregszász (Berehove), Kárpátalja, Ukrajna"},
        {"Lendva", "Lendva (Lendava), Szlovénia"},
        {"Brunn", "Brunn, Stájerország, Ausztria (é. sz. 46° 44′, k. h. 15° 18′)"},
    };
    const Atlas &atlas = realAtlas();
    for (const auto &row : rows) {
        const auto ids = atlas.exactMatches(QString::fromUtf8(row.name));
        ASSERT_FALSE(ids.empty()) << row.name;
        EXPECT_EQ(atlas.displayText(ids.front()).toStdString(), row.shown);
    }
    QSet<QString> texts;
    for (PlaceId id = 0; id < atlas.size(); ++id) {
        const QString text = atlas.displayText(id);
        EXPECT_LE(text.size(), MaxPlaceTextLength) << text.toStdString();
        EXPECT_FALSE(texts.contains(text)) << "two places shown as " << text.toStdString();
        texts.insert(text);
        const QString country = atlas.place(id).countryCode;
        EXPECT_NE(atlas.countryName(country), country) << "no Hungarian name for " << country.toStdString();
    }
}

// Namesakes come biggest first, in the list and in the command line's message.
TEST(AtlasText, NamesakesComeBiggestFirst)
{
    const Atlas &atlas = realAtlas();
    const struct {
        const char *name, *first;
    } rows[] = {
        {"London", "London, England, Egyesült Királyság"},
        {"Róma", "Róma (Rome), Lazio, Olaszország"},
        {"Vienna", "Bécs (Vienna), Ausztria"},
    };
    for (const auto &row : rows) {
        const auto ids = atlas.exactMatches(QString::fromUtf8(row.name));
        ASSERT_GE(ids.size(), 2u) << row.name;
        EXPECT_EQ(atlas.displayText(ids.front()).toStdString(), row.first);
        EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end(), [&](PlaceId a, PlaceId b) {
            return atlas.place(a).population > atlas.place(b).population;
        })) << row.name;
        const auto hits = atlas.search(QString::fromUtf8(row.name), int(ids.size()));
        for (std::size_t k = 0; k < ids.size(); ++k)
            EXPECT_EQ(hits.at(k).id, ids[k]) << row.name << " " << k;
        const auto refused = FindNamedPlace(atlas, QString::fromUtf8(row.name), QStringLiteral("--place"));
        ASSERT_FALSE(refused.has_value());
        EXPECT_EQ(refused.error().section(u'\n', 1, 1).trimmed().toStdString(), row.first);
    }
}

// A pasted text far longer than a place name is refused at once, naming the door it came
// through; the suggestions for a long text stop early.
TEST(AtlasText, ALongTextIsRefusedAtOnce)
{
    const Atlas &atlas = realAtlas();
    const QString longText = QStringLiteral("Székesfehérvár ").repeated(1400); // 21,000 characters
    QElapsedTimer timer;
    timer.start();
    const auto option = FindNamedPlace(atlas, longText, QStringLiteral("--place"));
    const QString field = PlaceFieldMessage(atlas, longText, BirthPlaceLabel);
    const QStringList closest = atlas.closestNames(longText.left(MaxPlaceTextLength));
    EXPECT_LT(timer.elapsed(), 100);
    ASSERT_FALSE(option.has_value());
    EXPECT_EQ(option.error(), "A --place értéke túl hosszú (21000 karakter): egy hely neve legfeljebb 200 karakter.");
    EXPECT_EQ(field, "A SZÜLETÉSI HELY mezőben álló szöveg túl hosszú (21000 karakter): egy hely neve legfeljebb "
                     "200 karakter.");
    EXPECT_TRUE(closest.isEmpty());
    EXPECT_EQ(atlas.closestNames(QStringLiteral("Szekesfehervat")).value(0), "Székesfehérvár, Fejér, Magyarország");
}

TEST(AtlasBirthplace, KolozsvarIsClujNapocaInBucharestTime)
{
    const auto ids = realAtlas().exactMatches(QStringLiteral("Kolozsvár"));
    ASSERT_EQ(ids.size(), 1u);
    const Place &place = realAtlas().place(ids.front());
    EXPECT_EQ(place.name, QStringLiteral("Cluj-Napoca"));
    EXPECT_EQ(place.timeZoneId, QByteArray("Europe/Bucharest"));
    const ZoneAt zone = zoneAt(place, QDate(1990, 5, 17), 12, 0);
    EXPECT_EQ(zone.kind, LocalTimeKind::Unique);
    EXPECT_EQ(readingsOf(zone), "-3s");
}

TEST(ZoneAt, FollowsTheZoneHistoryAndReportsSkippedAndRepeatedTimes)
{
    using K = LocalTimeKind;
    const struct {
        const char *zone;
        QDate date;
        int hour, minute;
        LocalTimeKind kind;
        const char *readings;
    } rows[] = {
        {"Europe/Budapest", {1975, 7, 14}, 9, 35, K::Unique, "-1"}, // no summer time 1958-1979
        {"Europe/Budapest", {1985, 7, 14}, 9, 35, K::Unique, "-2s"},
        {"Europe/Budapest", {1985, 3, 31}, 1, 59, K::Unique, "-1"},
        {"Europe/Budapest", {1985, 3, 31}, 2, 30, K::Skipped, "-1 -2s"},
        {"Europe/Budapest", {1985, 3, 31}, 3, 0, K::Unique, "-2s"},
        {"Europe/Budapest", {2023, 10, 29}, 2, 0, K::Repeated, "-2s -1"},
        {"Europe/Budapest", {2023, 10, 29}, 3, 0, K::Unique, "-1"},
        {"America/New_York", {2000, 7, 1}, 12, 0, K::Unique, "4s"},
        {"Asia/Kolkata", {2000, 1, 1}, 12, 0, K::Unique, "-5.5"},
        {"Mars/Olympus_Mons", {2000, 1, 1}, 12, 0, K::UnknownZone, ""},
        {"Europe/Budapest", {2023, 2, 1}, 24, 0, K::InvalidMoment, ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::string(row.zone) + " " + row.date.toString(Qt::ISODate).toStdString() + " " +
                     std::to_string(row.hour) + ":" + std::to_string(row.minute));
        const ZoneAt zone = zoneAt(QByteArray(row.zone), row.date, row.hour, row.minute);
        EXPECT_EQ(zone.kind, row.kind);
        EXPECT_EQ(readingsOf(zone), row.readings);
    }
}

TEST(FieldValues, RoundToWholeMinutesAndCarryIntoTheDegree)
{
    const struct {
        double latitude, longitude;
        const char *fields; // latitude, then longitude
    } rows[] = {
        {47.99999, 19.99200, "48 0 N 20 0 E"}, // 59.52 and 59.9994 minutes carry
        {-33.86785, 151.20732, "33 52 S 151 12 E"},
        {0.0, -0.5, "0 0 N 0 30 W"},
        {0.00833, 0.00834, "0 0 N 0 1 E"}, // 0.5' rounds up, just under it down
    };
    const auto fieldsOf = [](const Place &place) {
        const FieldValues v = fieldValues(place);
        return QStringLiteral("%1 %2 %3 %4 %5 %6")
            .arg(v.latitudeDegrees).arg(v.latitudeMinutes).arg(v.north ? "N" : "S")
            .arg(v.longitudeDegrees).arg(v.longitudeMinutes).arg(v.east ? "E" : "W").toStdString();
    };
    for (const auto &row : rows) {
        Place place;
        place.latitude = row.latitude;
        place.longitude = row.longitude;
        EXPECT_EQ(fieldsOf(place), row.fields) << row.latitude << " " << row.longitude;
    }
    const auto debrecen = realAtlas().exactMatches(QStringLiteral("debrecen"));
    ASSERT_FALSE(debrecen.empty());
    EXPECT_EQ(fieldsOf(realAtlas().place(debrecen.front())), "47 32 N 21 37 E");
}

TEST(AtlasLoad, RefusesAMissingOrBrokenFileNamingIt)
{
    QTemporaryFile broken, empty, cut;
    ASSERT_TRUE(broken.open() && empty.open() && cut.open());
    QFile block(QStringLiteral(FEROLUNE_ATLAS_FILE));
    ASSERT_TRUE(block.open(QIODevice::ReadOnly));
    cut.write(block.read(block.size() / 2)); // a block cut short: its sections point past its end
    cut.close();
    broken.write("# header\n"
                 "1\tA\t\tHU\tPest\t47.5\t19.0\tEurope/Budapest\t10\t\n"
                 "2\tB\t\tHU\tPest\tnorth\t19.0\tEurope/Budapest\t10\t\n");
    empty.write("# only a header\n");
    broken.close();
    empty.close();
    const std::pair<QString, QString> rows[] = {
        {"/nonexistent/atlas.tsv", "A helységnévtár nem nyitható meg: /nonexistent/atlas.tsv"},
        {broken.fileName(), QStringLiteral("A helységnévtár hibás: %1, 3. sor").arg(broken.fileName())},
        {empty.fileName(), QStringLiteral("A helységnévtár üres: %1").arg(empty.fileName())},
        {cut.fileName(), QStringLiteral("A helységnévtár hibás: %1").arg(cut.fileName())},
    };
    for (const auto &[path, message] : rows) {
        const AtlasLoad loaded = Atlas::load(path);
        ASSERT_FALSE(loaded.has_value()) << path.toStdString();
        EXPECT_TRUE(loaded.error().startsWith(message)) << loaded.error().toStdString();
    }
}

// The skipped and repeated hours' messages are checked as the main window shows them.
TEST(ZoneProblemText, NamesAnInvalidDate)
{
    Place budapest;
    budapest.name = QStringLiteral("Budapest");
    budapest.timeZoneId = "Europe/Budapest";
    const QDate february29(1985, 2, 29);
    EXPECT_EQ(zoneProblemText(budapest, february29, 12, 0, zoneAt(budapest, february29, 12, 0)),
              QStringLiteral("A születési dátum vagy időpont nem érvényes."));
}
