#include "chartfile/chart_file.h"
#include "support/locale_guard.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ferolune;
using ferolune::test::DecimalSeparatorGuard;

namespace {

// Writes chart files into a temporary directory; every file of chart size also goes
// into the seed corpus of the chart file fuzzer.
class ChartFiles {
public:
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        writeBytes(path, bytes);
        if (bytes.size() <= 4096) {
            const QDir seeds(QStringLiteral(FEROLUNE_FUZZ_SEEDS_DIR));
            seeds.mkpath(QStringLiteral("."));
            writeBytes(seeds.filePath(name), bytes);
        }
        return path;
    }

    QString missing() const { return m_dir.filePath(QStringLiteral("nincs.hvs")); }

private:
    static void writeBytes(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QTemporaryDir m_dir;
};

// The values as the list writer puts them, one line per three values.
QByteArray chartBytes(const std::vector<const char *> &values, const char *lineEnd)
{
    QByteArray bytes;
    for (std::size_t i = 0; i < values.size(); ++i) {
        bytes += values[i];
        bytes += (i % 3 == 2 || i + 1 == values.size()) ? QByteArray(lineEnd) : QByteArray(",");
    }
    return bytes;
}

// "Ismeretlen" born 1973-05-17 at 3:45 "DU", 47°30' N 19°5' E, zone -1, no summer time.
std::vector<const char *> sampleValues()
{
    return {"\"Ismeretlen\"", "1973", "5", "17", "3", "45", "47", "30", "19", "5", "-1", "0", "\"x\"", "#FALSE#",
            "0"};
}

BirthData sampleFields()
{
    BirthData fields;
    fields.txtName = QStringLiteral("Ismeretlen");
    fields.txtYear = QStringLiteral("1973");
    fields.txtMonth = QStringLiteral("5");
    fields.txtDay = QStringLiteral("17");
    fields.txtBirthHour = QStringLiteral("3");
    fields.optAM = false;
    fields.Text1 = QStringLiteral("15");
    fields.txtBirthMinute = QStringLiteral("45");
    fields.txtLatDeg = QStringLiteral("47");
    fields.txtLatMin = QStringLiteral("30");
    fields.txtLongDeg = QStringLiteral("19");
    fields.txtLongMin = QStringLiteral("5");
    fields.txtTZ = QStringLiteral("-1");
    fields.Check1 = 0;
    return fields;
}

// The import as the main window runs it once a file is chosen.
ChartFileImport import(BirthData &fields, const QString &path)
{
    const ChartFileImport result = ReadChartFile(path);
    if (result.values)
        ApplyChartFile(fields, *result.values);
    return result;
}

struct Change {
    int index; // 1-based position of the value in the file
    const char *value;
};

} // namespace

TEST(ChartFileImport, FillsTheBirthFields)
{
    const struct {
        const char *name;
        std::vector<Change> changes;
        std::size_t length;
        void (*expect)(BirthData &);
    } rows[] = {
        {"long", {}, 15, [](BirthData &) {}},
        {"short", {}, 14, [](BirthData &) {}},
        {"am-flag", {{14, "#TRUE#"}}, 15, [](BirthData &f) { f.optAM = true; f.Text1 = QStringLiteral("3"); }},
        {"hour15-pm", {{5, "15"}}, 15, [](BirthData &) {}},
        {"hour15-am", {{5, "15"}, {14, "#TRUE#"}}, 15,
         [](BirthData &f) { f.optAM = true; f.Text1 = QStringLiteral("3"); }},
        {"hour0-am", {{5, "0"}, {14, "#TRUE#"}}, 15,
         [](BirthData &f) { f.txtBirthHour = QStringLiteral("12"); f.optAM = true; f.Text1 = QStringLiteral("0"); }},
        {"hour0-pm", {{5, "0"}}, 15,
         [](BirthData &f) { f.txtBirthHour = QStringLiteral("12"); f.Text1 = QStringLiteral("12"); }},
        {"quoted-hour", {{5, "\"03\""}, {14, "#TRUE#"}}, 15,
         [](BirthData &f) { f.txtBirthHour = QStringLiteral("03"); f.optAM = true; f.Text1 = QStringLiteral("03"); }},
        {"minute-unquoted", {{6, "035"}}, 15, [](BirthData &f) { f.txtBirthMinute = QStringLiteral("35"); }},
        {"minute-quoted", {{6, "\"035\""}}, 15, [](BirthData &f) { f.txtBirthMinute = QStringLiteral("035"); }},
        {"summer-time", {{12, "1"}}, 15, [](BirthData &f) { f.Check1 = 1; }},
        {"greyed", {{12, "2"}}, 14, [](BirthData &f) { f.Check1 = 2; }},
        {"summer-half-even", {{12, "2.5"}}, 15, [](BirthData &f) { f.Check1 = 2; }},
        {"summer-half-down", {{12, "0.5"}}, 15, [](BirthData &f) { f.Check1 = 0; }},
        {"summer-text", {{12, "\" 1 \""}}, 15, [](BirthData &f) { f.Check1 = 1; }},
        {"summer-false", {{12, "#FALSE#"}}, 15, [](BirthData &) {}},
        {"summer-empty", {{12, ""}}, 15, [](BirthData &) {}},
        {"flag-zero-text", {{14, "\"0\""}}, 15, [](BirthData &f) { f.optAM = true; f.Text1 = QStringLiteral("3"); }},
        {"flag-empty", {{14, ""}}, 15, [](BirthData &) {}},
        {"flag-one", {{14, "1"}}, 15, [](BirthData &f) { f.optAM = true; f.Text1 = QStringLiteral("3"); }},
        {"truth-as-text", {{2, "#TRUE#"}, {3, ""}}, 15,
         [](BirthData &f) { f.txtYear = QStringLiteral("True"); f.txtMonth.clear(); }},
        {"name-with-comma", {{1, "\"Kiss, Anna\""}}, 15,
         [](BirthData &f) { f.txtName = QStringLiteral("Kiss, Anna"); }},
        {"huge-hour", {{5, "1E+300"}}, 15,
         [](BirthData &f) { f.txtBirthHour = QStringLiteral("12"); f.Text1 = QStringLiteral("12"); }},
    };
    DecimalSeparatorGuard dot(u'.');
    ChartFiles files;
    for (const char *lineEnd : {"\r\n", "\n"}) {
        for (const auto &row : rows) {
            std::vector<const char *> values = sampleValues();
            for (const Change &change : row.changes)
                values[change.index - 1] = change.value;
            values.resize(row.length);
            const QString name = QStringLiteral("%1-%2.hvs").arg(QLatin1String(row.name),
                                                                 QLatin1String(lineEnd[0] == '\r' ? "crlf" : "lf"));
            const QString path = files.write(name, chartBytes(values, lineEnd));

            BirthData fields;
            fields.optEast = false;
            fields.optSouth = true;
            const ChartFileImport result = import(fields, path);
            ASSERT_TRUE(result.values) << name.toStdString() << ": " << result.message.toStdString();
            EXPECT_TRUE(result.message.isEmpty());

            BirthData expected = sampleFields();
            expected.optEast = false; // the hemisphere choices are not in the file
            expected.optSouth = true;
            row.expect(expected);
            EXPECT_EQ(fields, expected) << name.toStdString();
        }
    }
}

TEST(ChartFileImport, StoresNumbersWithTheUserDecimalSeparator)
{
    ChartFiles files;
    std::vector<const char *> values = sampleValues();
    values[10] = "-1.5";
    values[11] = "\"1,5\""; // a text converts with the user's separator, halves to even
    const QString path = files.write(QStringLiteral("decimal.hvs"), chartBytes(values, "\r\n"));
    DecimalSeparatorGuard comma(u',');
    BirthData fields;
    ASSERT_TRUE(import(fields, path).values);
    EXPECT_EQ(fields.txtTZ, QStringLiteral("-1,5"));
    EXPECT_EQ(fields.Check1, 2);
}

TEST(ChartFileImport, ReadsAHungarianNameInWindows1250)
{
    ChartFiles files;
    QByteArray bytes = "\"Sz\xf5ll\xf5si \xc1rp\xe1" "dn\xe9 F\xfbz\xf6\"\r\n";
    std::vector<const char *> rest = sampleValues();
    rest.erase(rest.begin());
    bytes += chartBytes(rest, "\r\n");
    const QString path = files.write(QStringLiteral("\xc5\x91rz\xc5\x91.hvs"), bytes); // "őrző.hvs"
    BirthData fields;
    ASSERT_TRUE(import(fields, path).values);
    EXPECT_EQ(fields.txtName, QStringLiteral("Szőllősi Árpádné Fűzö"));
    EXPECT_EQ(fields.Text1, QStringLiteral("15"));
}

TEST(ChartFileImport, RefusesAnUnusableFileAndChangesNothing)
{
    const struct {
        const char *name;
        std::vector<Change> changes;
        std::size_t length;
        ChartFileFailure failure;
        const char *reason;
    } rows[] = {
        {"13-values", {}, 13, ChartFileFailure::TooFewValues, "túl kevés adat van benne"},
        {"empty", {}, 0, ChartFileFailure::TooFewValues, "túl kevés adat van benne"},
        {"summer-true", {{12, "#TRUE#"}}, 15, ChartFileFailure::BadSummerTime, "a nyári időszámítás jelzője"},
        {"summer-3", {{12, "3"}}, 15, ChartFileFailure::BadSummerTime, "csak 0, 1 vagy 2 lehet"},
        {"summer-2.6", {{12, "2.6"}}, 15, ChartFileFailure::BadSummerTime, "(a 12. adat)"},
        {"summer-minus", {{12, "-1"}}, 14, ChartFileFailure::BadSummerTime, "(a 12. adat)"},
        {"summer-text", {{12, "\"igen\""}}, 15, ChartFileFailure::BadSummerTime, "(a 12. adat)"},
        {"summer-huge", {{12, "1E+300"}}, 15, ChartFileFailure::BadSummerTime, "(a 12. adat)"},
    };
    DecimalSeparatorGuard dot(u'.');
    ChartFiles files;
    for (const auto &row : rows) {
        std::vector<const char *> values = sampleValues();
        for (const Change &change : row.changes)
            values[change.index - 1] = change.value;
        values.resize(row.length);
        const QString name = QString::fromLatin1(row.name) + QStringLiteral(".hvs");
        const QString path = files.write(name, chartBytes(values, "\r\n"));

        const BirthData before;
        BirthData fields = before;
        const ChartFileImport result = import(fields, path);
        EXPECT_FALSE(result.values) << row.name;
        EXPECT_EQ(result.failure, row.failure) << row.name;
        EXPECT_EQ(fields, before) << row.name;
        EXPECT_TRUE(result.message.startsWith(QStringLiteral("A(z) %1 asztrógram nem olvasható be: ").arg(name)))
            << result.message.toStdString();
        EXPECT_TRUE(result.message.contains(QString::fromUtf8(row.reason))) << result.message.toStdString();
    }
}

TEST(ChartFileImport, RefusesWhatIsNoChartFile)
{
    ChartFiles files;
    const QString large = files.write(QStringLiteral("nagy.hvs"), QByteArray(ChartFileMaxBytes + 1, ','));
    const QString directory = QFileInfo(large).absolutePath();
    const struct {
        QString path;
        ChartFileFailure failure;
    } rows[] = {
        {files.missing(), ChartFileFailure::CannotOpen},
        {directory, ChartFileFailure::CannotOpen},
        {large, ChartFileFailure::TooLarge},
    };
    for (const auto &row : rows) {
        const ChartFileImport result = ReadChartFile(row.path);
        EXPECT_FALSE(result.values) << row.path.toStdString();
        EXPECT_EQ(result.failure, row.failure) << row.path.toStdString();
        EXPECT_TRUE(result.message.contains(QFileInfo(row.path).fileName())) << result.message.toStdString();
    }
}

TEST(ProbeChartFileFields, TellsTheShortFormFromTheLong)
{
    ChartFiles files;
    const struct {
        std::size_t length;
        const char *trailer;
        bool shortFile;
    } rows[] = {{15, "", false}, {14, "", true}, {13, "", true}, {14, ",", false}, {15, "\"more\"\r\n", false}};
    int n = 0;
    for (const auto &row : rows) {
        std::vector<const char *> values = sampleValues();
        values.resize(row.length);
        QByteArray bytes = chartBytes(values, "\r\n");
        if (*row.trailer) {
            bytes.chop(2);
            bytes += row.trailer;
        }
        const QString path = files.write(QStringLiteral("probe-%1.hvs").arg(++n), bytes);
        bool shortFile = !row.shortFile;
        ProbeChartFileFields(path, shortFile);
        EXPECT_EQ(shortFile, row.shortFile) << n;
    }
    bool shortFile = false;
    ProbeChartFileFields(files.missing(), shortFile);
    EXPECT_TRUE(shortFile);
}

TEST(ChartFileDialog, OpensHoravistaFilesInRadix)
{
    const ChartFileDialogSettings settings = ChartFileDialog(QStringLiteral("/opt/ferolune"));
    EXPECT_EQ(settings.title, QStringLiteral("Asztrógram megnyitása"));
    EXPECT_EQ(settings.filter, QStringLiteral("Horavista file (*.hvs)"));
    EXPECT_EQ(settings.directory, QStringLiteral("/opt/ferolune/radix"));
}
