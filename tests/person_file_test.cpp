#include "io/persons/person_file.h"
#include "support/full_disk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace ferolune;

namespace {

// A person with a recorded cycle and usual lengths of her own.
SavedPerson somePerson()
{
    SavedPerson saved;
    saved.cycle = {{QDate(2026, 2, 2), QDate(2026, 1, 5)}, 24, 35};
    saved.eventKey = QStringLiteral("6f1d2c3e-aaaa-4bbb-8ccc-123456789abc");
    BirthForm &person = saved.form;
    person.name = QStringLiteral("Kovács \"Öcsi\" Ödön\n");
    person.zoneText = QStringLiteral("-5.5");
    person.summerTime = 2;
    person.east = false;
    person.birthPlace = {QStringLiteral("Budapest, Magyarország"), 3054643};
    person.uncertainty = QStringLiteral("15");
    return saved;
}

// Every text read also goes into the seed corpus of the person file fuzzer.
Expected<SavedPerson, QString> parsed(const std::string &name, const QByteArray &bytes)
{
    const QDir seeds(QStringLiteral(FEROLUNE_PERSON_SEEDS_DIR));
    if (seeds.mkpath(QStringLiteral("."))) {
        QFile seed(seeds.filePath(QString::fromStdString(name)));
        if (seed.open(QIODevice::WriteOnly))
            seed.write(bytes);
    }
    return ParsePerson(bytes, QStringLiteral("/valahol/anna.ferolune"));
}

} // namespace

TEST(PersonFile, ReadsBackWhatItWrote)
{
    const SavedPerson person = somePerson();
    const Expected<SavedPerson, QString> read = parsed("whole", PersonJson(person));
    ASSERT_TRUE(read.has_value()) << read.error().toStdString();
    EXPECT_EQ(*read, person);
}

// A person saved without a cycle is written as before the cycle was kept, and a file of
// that kind opens with none.
TEST(PersonFile, AFileWithoutACycleHasNone)
{
    const QByteArray older = PersonJson({somePerson().form, {}, {}});
    EXPECT_FALSE(older.contains("periodStarts") || older.contains("usual"));
    const Expected<SavedPerson, QString> read = parsed("without-cycle", older);
    ASSERT_TRUE(read.has_value()) << read.error().toStdString();
    EXPECT_EQ(read->cycle, CycleHistory{});
    EXPECT_EQ(read->form, somePerson().form);
}

// Files written before the birth-time uncertainty open with the field empty (0 minutes).
TEST(PersonFile, AFileWithoutTheUncertaintyOpensWithNone)
{
    const QByteArray older = QByteArray(PersonJson(somePerson())).replace("\"uncertaintyMinutes\": \"15\",", "");
    ASSERT_FALSE(older.contains("uncertainty"));
    const Expected<SavedPerson, QString> read = parsed("no-uncertainty", older);
    ASSERT_TRUE(read.has_value()) << read.error().toStdString();
    EXPECT_EQ(read->form.uncertainty, QString());
}

// A place without its atlas id, as the fuzzer wrote it, is no place: the file reads as the
// writer writes such a person, with none.
TEST(PersonFile, APlaceWithoutItsAtlasIdIsNoPlace)
{
    const QByteArray untied = PersonJson(somePerson()).replace("3054643", "-0");
    const Expected<SavedPerson, QString> read = parsed("untied-place", untied);
    ASSERT_TRUE(read.has_value()) << read.error().toStdString();
    EXPECT_EQ(read->form.birthPlace, PlaceChoice{});
    EXPECT_EQ(*ParsePerson(PersonJson(*read), QStringLiteral("x.ferolune")), *read);
}

TEST(PersonFile, RefusesAFileItCannotUseInFull)
{
    const QByteArray whole = PersonJson(somePerson());
    const auto changed = [&](const char *from, const char *to) { return QByteArray(whole).replace(from, to); };
    const struct {
        const char *name;
        QByteArray bytes;
        const char *reason;
    } rows[] = {
        {"empty", QByteArray(), "nem érvényes JSON (hiba a(z) 1. bájtnál)"},
        {"array", QByteArray("[1, 2]"), "nem Ferolune személyadat-fájl."},
        {"other format", changed("ferolune-person", "ferolune-persons"), "nem Ferolune személyadat-fájl."},
        {"newer version", changed("\"version\": 1", "\"version\": 2"), "újabb változata írta (2. változat)"},
        {"version as text", changed("\"version\": 1", "\"version\": \"1\""), "„version” adat"},
        {"zone as number", changed("\"zone\": \"-5.5\"", "\"zone\": -5.5"), "„zone” adat"},
        {"missing year", changed("\"year\"", "\"yaer\""), "„year” adat"},
        {"side as text", changed("\"east\": false", "\"east\": \"false\""), "„east” adat"},
        {"uncertainty as number", changed("\"uncertaintyMinutes\": \"15\"", "\"uncertaintyMinutes\": 15"),
         "„uncertaintyMinutes” adat"},
        {"box 1.5", changed("\"summerTime\": 2", "\"summerTime\": 1.5"), "„summerTime” adat"},
        {"negative place id", changed("3054643", "-1"), "„birthPlace” adat"},
        {"place id too big", changed("3054643", "3e12"), "„birthPlace” adat"},
        {"place without text", changed("\"text\"", "\"txt\""), "„birthPlace” adat"},
        {"residence not an object", changed("\"beforeNoon\"", "\"residence\": 5, \"beforeNoon\""), "„residence” adat"},
        {"event key a number", changed("\"6f1d2c3e-aaaa-4bbb-8ccc-123456789abc\"", "7"), "„eventKey” adat"},
        {"start no date", changed("2026-02-02", "2026-02-30"), "„periodStarts” adat"},
        {"start in another form", changed("2026-02-02", "2026.02.02"), "„periodStarts” adat"},
        {"starts not a list", changed("\"periodStarts\": [", "\"periodStarts\": 5, \"x\": ["), "„periodStarts” adat"},
        {"start twice", changed("2026-02-02", "2026-01-05"), "A 2026.01.05 vérzéskezdet kétszer szerepel!"},
        {"length as text", changed("\"usualLongest\": 35", "\"usualLongest\": \"35\""), "„usualLongest” adat"},
        {"shortest 19", changed("\"usualShortest\": 24", "\"usualShortest\": 19"),
         "A szokásos legrövidebb ciklus hossza 20 és 45 nap között lehet!"},
        {"shortest above longest", changed("\"usualShortest\": 24", "\"usualShortest\": 36"),
         "A szokásos legrövidebb ciklus nem lehet hosszabb a leghosszabbnál!"},
        // The checks of the cycle window, whatever door the starts come in by.
        {"start after today", changed("2026-02-02", "2999-02-02"), "A 2999.02.02 vérzéskezdet a mai napnál későbbi!"},
        {"start in year 1", changed("2026-02-02", "0001-02-02"),
         "A 0001.02.02 vérzéskezdet a születés napjánál korábbi!"},
        {"start before the birth", changed("2026-02-02", "1973-02-25"),
         "A 1973.02.25 vérzéskezdet a születés napjánál korábbi!"},
        {"too many starts",
         changed("\"2026-01-05\"",
                 QByteArray(QByteArray("\"2026-01-05\", ").repeated(1000) + "\"2026-01-06\"").constData()),
         "„periodStarts” adat"},
    };
    for (const auto &row : rows) {
        const Expected<SavedPerson, QString> read = parsed(row.name, row.bytes);
        ASSERT_FALSE(read.has_value()) << row.name;
        EXPECT_TRUE(read.error().startsWith(QStringLiteral("A(z) anna.ferolune személyadat-fájl nem olvasható be: ")))
            << read.error().toStdString();
        EXPECT_TRUE(read.error().contains(QString::fromUtf8(row.reason)))
            << row.name << ": " << read.error().toStdString();
    }
}

// A file the program wrote before this one, version 1 as it stands, opens.
TEST(PersonFile, AVersionOneFileOpens)
{
    const QByteArray written = R"({"format": "ferolune-person", "version": 1, "name": "Kiss Anna", "year": "1988",
        "month": "7", "day": "14", "hour": "9", "hour12": "9", "beforeNoon": true, "minute": "35", "zone": "-2",
        "summerTime": 1, "longitudeDegrees": "19", "longitudeMinutes": "3", "east": true, "latitudeDegrees": "47",
        "latitudeMinutes": "30", "south": false, "eventKey": "k", "periodStarts": ["2026-10-03", "2026-10-31"],
        "usualShortest": 26, "usualLongest": 32})";
    const Expected<SavedPerson, QString> read = parsed("version-1", written);
    ASSERT_TRUE(read.has_value()) << read.error().toStdString();
    EXPECT_EQ(read->form.name, QStringLiteral("Kiss Anna"));
    EXPECT_EQ(read->cycle.periodStarts.size(), 2u);
}

TEST(PersonFile, FileSystemFailuresNameTheFile)
{
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("p.ferolune"));
    ASSERT_TRUE(WritePersonFile(path, somePerson()).has_value());
    ASSERT_TRUE(ReadPersonFile(path).has_value());
    // Her period dates are hers alone, also over a file others could read.
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(QFile::permissions(path) & 0x0077, 0) << round;
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ReadOther | QFile::ReadGroup);
        ASSERT_TRUE(WritePersonFile(path, somePerson()).has_value());
    }
    // A folder, a device or a FIFO without a writer is refused at once.
    ASSERT_EQ(::mkfifo(QFile::encodeName(directory.filePath("fifo.ferolune")).constData(), 0600), 0);
    for (const QString &other : {directory.path(), QStringLiteral("/dev/zero"), directory.filePath("fifo.ferolune")})
        EXPECT_TRUE(ReadPersonFile(other).error().endsWith(QStringLiteral("nem közönséges fájl, hanem mappa, eszköz "
                                                                          "vagy csővezeték.")));

    EXPECT_TRUE(
        ReadPersonFile(directory.filePath(QStringLiteral("nincs.ferolune")))
            .error()
            .endsWith(QStringLiteral("nincs.ferolune személyadat-fájl nem olvasható be: a fájl nem nyitható meg.")));
    QFile large(directory.filePath(QStringLiteral("nagy.ferolune")));
    ASSERT_TRUE(large.open(QIODevice::WriteOnly));
    large.write(QByteArray(PersonFileMaxBytes + 1, ' '));
    large.close();
    EXPECT_TRUE(ReadPersonFile(large.fileName()).error().contains(QStringLiteral("túl nagy")));

    const QString unwritable = directory.filePath(QStringLiteral("nincs-ilyen/p.ferolune"));
    EXPECT_TRUE(WritePersonFile(unwritable, somePerson())
                    .error()
                    .startsWith(QStringLiteral("A(z) %1 fájl nem írható: ").arg(unwritable)));
    EXPECT_FALSE(QFile::exists(unwritable));
}

// MENTÉS on a full disk keeps the person saved before.
TEST(PersonFile, AFullDiskKeepsTheSavedPerson)
{
    const QByteArray saved = PersonJson(SavedPerson{});
    test::FullDisk disk(QStringLiteral("p.ferolune"), saved);
    if (!disk.usable())
        GTEST_SKIP() << "no tmpfs can be mounted here (it takes root)";
    EXPECT_TRUE(WritePersonFile(disk.path(QStringLiteral("p.ferolune")), somePerson())
                    .error()
                    .contains(QStringLiteral("megtelt a lemez")));
    EXPECT_EQ(disk.contents(QStringLiteral("p.ferolune")), saved);
}
