#include "io/chartfile/chart_file.h"
#include "io/persons/person_file.h"
#include "support/locale_guard.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace ferolune;
using ferolune::test::DecimalSeparatorGuard;

namespace {

// Writes chart files into a temporary directory; those of chart size also go into the
// seed corpus of the chart file fuzzer.
class ChartFiles {
public:
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QDir seeds(QStringLiteral(FEROLUNE_FUZZ_SEEDS_DIR));
        if (bytes.size() <= 4096 && seeds.mkpath(QStringLiteral(".")))
            writeBytes(seeds.filePath(name), bytes);
        return writeBytes(m_dir.filePath(name), bytes);
    }
    QString missing() const { return m_dir.filePath(QStringLiteral("nincs.hvs")); }

private:
    static QString writeBytes(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()) << path.toStdString();
        return path;
    }
    QTemporaryDir m_dir;
};

struct Change {
    int index; // 1-based position of the value in the file
    const char *value;
};

// "Ismeretlen" born 1973-05-17 at 3:45 "DU", 47°30' N 19°5' E, zone -1, no summer time,
// changed as given and cut to `length` values, three values a line.
QByteArray chartBytes(const std::vector<Change> &changes, std::size_t length, const char *lineEnd = "\r\n")
{
    std::vector<const char *> values = {"\"Ismeretlen\"", "1973", "5", "17", "3", "45", "47", "30",
                                        "19", "5", "-1", "0", "\"x\"", "#FALSE#", "0"};
    for (const Change &change : changes)
        values[change.index - 1] = change.value;
    values.resize(length);
    QByteArray bytes;
    for (std::size_t i = 0; i < values.size(); ++i)
        bytes += values[i] + QByteArray(i % 3 == 2 || i + 1 == values.size() ? lineEnd : ",");
    return bytes;
}

const BirthForm Sample{.name = "Ismeretlen",
                       .year = "1973",
                       .month = "5",
                       .day = "17",
                       .hour = "15",
                       .hour12 = "3",
                       .beforeNoon = false,
                       .minute = "45",
                       .zoneText = "-1",
                       .summerTime = 0,
                       .longitudeDegrees = "19",
                       .longitudeMinutes = "5",
                       .east = false,
                       .latitudeDegrees = "47",
                       .latitudeMinutes = "30",
                       .south = true,
                       .birthPlace = {},
                       .residence = {},
                       .uncertainty = {}};

// The import as the main window runs it once a file is chosen.
Expected<ChartFileValues, ChartFileRefusal> import(BirthForm &fields, const QString &path)
{
    Expected<ChartFileValues, ChartFileRefusal> result = ReadChartFile(path);
    if (result)
        ApplyChartFile(fields, *result);
    return result;
}

QByteArray randomBytes(int size)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator generator(16);
    for (char &byte : bytes)
        byte = static_cast<char>(generator.bounded(256));
    return bytes;
}

void hour(BirthForm &f, const char *hidden, bool am, const char *text1)
{
    f.hour12 = hidden;
    f.beforeNoon = am;
    f.hour = text1;
}

} // namespace

TEST(ChartFileImport, FillsTheBirthFields)
{
    const struct {
        const char *name;
        std::vector<Change> changes;
        std::size_t length;
        std::function<void(BirthForm &)> expect;
    } rows[] = {
        {"long", {}, 15, [](BirthForm &) {}},
        {"short", {}, 14, [](BirthForm &) {}},
        {"am-flag", {{14, "#TRUE#"}}, 15, [](BirthForm &f) { hour(f, "3", true, "3"); }},
        {"hour15-pm", {{5, "15"}}, 14, [](BirthForm &) {}},
        {"hour15-am", {{5, "15"}, {14, "#TRUE#"}}, 15, [](BirthForm &f) { hour(f, "3", true, "3"); }},
        {"hour0-am", {{5, "0"}, {14, "#TRUE#"}}, 15, [](BirthForm &f) { hour(f, "12", true, "0"); }},
        {"hour-quoted", {{5, "\"03\""}, {14, "1"}}, 15, [](BirthForm &f) { hour(f, "03", true, "03"); }},
        {"hour-huge", {{5, "1E+300"}}, 15, [](BirthForm &f) { hour(f, "12", false, "12"); }},
        {"flag-empty", {{14, ""}}, 15, [](BirthForm &) {}},
        {"flag-text-0", {{14, "\"0\""}}, 15, [](BirthForm &f) { hour(f, "3", true, "3"); }},
        {"minute-unquoted", {{6, "035"}}, 15, [](BirthForm &f) { f.minute = "35"; }},
        {"minute-quoted", {{6, "\"035\""}}, 15, [](BirthForm &f) { f.minute = "035"; }},
        {"summer-time", {{12, "1"}}, 15, [](BirthForm &f) { f.summerTime = 1; }},
        {"greyed-half-even", {{12, "2.5"}}, 14, [](BirthForm &f) { f.summerTime = 2; }},
        {"summer-text", {{12, "\" 1 \""}}, 15, [](BirthForm &f) { f.summerTime = 1; }},
        {"summer-false-empty", {{12, "#FALSE#"}, {13, ""}}, 15, [](BirthForm &) {}},
        {"truth-and-empty",
         {{1, "\"Kiss, Anna\""}, {2, "#TRUE#"}, {3, ""}},
         15,
         [](BirthForm &f) {
             f.name = "Kiss, Anna";
             f.year = "True";
             f.month.clear();
         }},
    };
    DecimalSeparatorGuard dot(u'.');
    ChartFiles files;
    for (const char *lineEnd : {"\r\n", "\n"}) {
        for (const auto &row : rows) {
            const QString name = QStringLiteral("%1-%2.hvs").arg(row.name).arg(lineEnd[0] == '\r' ? "crlf" : "lf");
            BirthForm fields;
            fields.east = false;
            fields.south = true;
            const auto result = import(fields, files.write(name, chartBytes(row.changes, row.length, lineEnd)));
            EXPECT_TRUE(result.has_value()) << name.toStdString();
            BirthForm expected = Sample;
            row.expect(expected);
            EXPECT_EQ(fields, expected) << name.toStdString();
        }
    }
}

// Numbers go into the fields with the full stop, whatever the user's settings; a quoted
// text converts with either decimal point.
TEST(ChartFileImport, StoresNumbersWithTheFullStop)
{
    const struct {
        QChar separator;
        const char *zone;
        const char *summerTime;
        const char *zoneField;
        int check;
    } rows[] = {
        {u',', "-1.5", "\"1,5\"", "-1.5", 2}, {u',', "5.75", "\"1.5\"", "5.75", 2},
        {u'.', "-1.5", "\"0.5\"", "-1.5", 0}, {u',', "\"-5,5\"", "1", "-5,5", 1},
    };
    ChartFiles files;
    int fileNumber = 0;
    for (const auto &row : rows) {
        const QString path = files.write(QStringLiteral("decimal-%1.hvs").arg(++fileNumber),
                                         chartBytes({{11, row.zone}, {12, row.summerTime}}, 15));
        DecimalSeparatorGuard guard(row.separator);
        BirthForm fields;
        ASSERT_TRUE(import(fields, path).has_value()) << row.zone;
        EXPECT_EQ(fields.zoneText, QString::fromUtf8(row.zoneField)) << row.zone;
        EXPECT_EQ(fields.summerTime, row.check) << row.zone;
    }
}

TEST(ChartFileImport, ReadsAHungarianNameInWindows1250)
{
    ChartFiles files;
    const QString path = files.write(QStringLiteral("őrző.hvs"),
                                     chartBytes({{1, "\"Sz\xf5ll\xf5si \xc1rp\xe1" "dn\xe9 F\xfbz\xf6\""}}, 15));
    BirthForm fields;
    ASSERT_TRUE(import(fields, path).has_value());
    EXPECT_EQ(fields.name, QStringLiteral("Szőllősi Árpádné Fűzö"));
}

TEST(ChartFileImport, RefusesAnUnusableFileAndChangesNothing)
{
    using enum ChartFileFailure;
    ChartFiles files;
    const struct {
        QString path;
        ChartFileFailure failure;
        const char *reason;
    } rows[] = {
        {files.write("13-values.hvs", chartBytes({}, 13)), TooFewValues, "túl kevés adat van benne"},
        {files.write("empty.hvs", {}), TooFewValues, "túl kevés adat van benne"},
        {files.write("summer-true.hvs", chartBytes({{12, "#TRUE#"}}, 15)), BadSummerTime, "csak 0, 1 vagy 2 lehet"},
        {files.write("summer-3.hvs", chartBytes({{12, "3"}}, 15)), BadSummerTime, "a nyári időszámítás jelzője"},
        {files.write("summer-2.6.hvs", chartBytes({{12, "2.6"}}, 14)), BadSummerTime, "(a 12. adat)"},
        {files.write("summer-text.hvs", chartBytes({{12, "\"igen\""}}, 15)), BadSummerTime, "(a 12. adat)"},
        {files.write("summer-huge.hvs", chartBytes({{12, "1E+300"}}, 15)), BadSummerTime, "(a 12. adat)"},
        {files.missing(), CannotOpen, "nem nyitható meg"},
        {QDir::tempPath(), NotRegularFile, "nem közönséges fájl, hanem mappa, eszköz vagy csővezeték"},
        {QStringLiteral("/dev/zero"), NotRegularFile, "nem közönséges fájl"},
        {files.write("nagy.hvs", QByteArray(ChartFileMaxBytes + 1, ',')), TooLarge, "túl nagy"},
        {files.write("random.hvs", randomBytes(600)), NotChartFile, "a fájl nem asztrógram."},
        {files.write("person.hvs", PersonJson(SavedPerson{})), NotChartFile, "a fájl nem asztrógram."},
    };
    for (const auto &row : rows) {
        const BirthForm before;
        BirthForm fields = before;
        const auto result = import(fields, row.path);
        ASSERT_FALSE(result.has_value()) << row.path.toStdString();
        EXPECT_EQ(result.error().failure, row.failure) << row.path.toStdString();
        EXPECT_EQ(fields, before) << row.path.toStdString();
        const QString start = QStringLiteral("A(z) %1 asztrógram nem olvasható be: ").arg(QFileInfo(row.path).fileName());
        const QString &message = result.error().message;
        EXPECT_TRUE(message.startsWith(start) && message.contains(QString::fromUtf8(row.reason)))
            << message.toStdString();
    }
}
