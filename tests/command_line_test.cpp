// The built command line: "ferolune-cli export" with good and bad input, read back from
// its output file, its standard output and its standard error.

#include "core/chart/ephemeris.h"
#include "core/common/number_rules.h"
#include "gui/calendar_window/calendar_controller.h"
#include "gui/calendar_window/calendar_window.h"
#include "gui/calendar_window/calendar_worker.h"
#include "io/chartfile/chart_file.h"
#include "io/export/ics_export.h"
#include "io/persons/person_file.h"
#include "io/texts/calendar_texts.h"
#include "support/controller_support.h"
#include "support/full_disk.h"
#include "support/pdf_page.h"
#include "support/scripted_dialogs.h"

#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <map>

#include <sys/stat.h>
#include <unistd.h>

using namespace ferolune;

namespace {

struct ProgramRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// The program as a user starts it from a terminal: no platform chosen and no display.
ProgramRun runProgram(const QStringList &arguments, const QString &folder,
                      const QString &program = QStringLiteral(FEROLUNE_PROGRAM))
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"})
        environment.remove(QString::fromLatin1(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The default birth data of the main window: 26 February 1973, 02:50, zone -1, 19E07 47N35.
QStringList defaultBirth()
{
    return {"--date", "1973-02-26", "--time", "02:50", "--zone", "-1", "--lon", "19E07", "--lat", "47N35"};
}

QStringList exportOf(const QStringList &birth, const QString &year, const QString &output)
{
    return QStringList{"export"} + birth + QStringList{"--year", year, "-o", output};
}

QStringList with(QStringList arguments, const QString &option, const QString &value)
{
    arguments[arguments.indexOf(option) + 1] = value;
    return arguments;
}

const QString DefaultChartLines = QStringLiteral("NAP         HALAK     7.33\n"
                                                 "HOLD        NYILAS    17.53\n"
                                                 "SARKANYFEJ  BAK       14.28\n"
                                                 "LILITH      NYILAS    11.10\n"
                                                 "ASC         NYILAS    24.69\n"
                                                 "NAP-HOLD FOK: 280.2\n");

// The moon-phase days of the default birth data in 2026, with their class and tag.
const std::map<QString, std::pair<QString, QString>> PhaseDays2026 = {
    {"2026-01-11", {"phase-girl", "1-11"}}, {"2026-02-10", {"phase-boy", "2-10"}},
    {"2026-03-12", {"phase-girl", "3-12"}}, {"2026-04-11", {"phase-boy", "4-11"}},
    {"2026-05-10", {"phase-girl", "5-10"}}, {"2026-06-09", {"phase-girl", "6-9-"}},
    {"2026-07-08", {"phase-boy", "7-8-"}},  {"2026-08-06", {"phase-girl", "8-6-"}},
    {"2026-09-05", {"phase-boy", "9-5-"}},  {"2026-10-04", {"phase-girl", "104-"}},
    {"2026-11-02", {"phase-boy", "112-"}},  {"2026-12-02", {"phase-girl", "122-"}},
    {"2026-12-31", {"phase-boy", "1231"}},
};

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

QStringList csvRows(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)
                                          : QStringList();
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        Q_INIT_RESOURCE(ferolune);
        BirthForm hour25;
        hour25.hour = QStringLiteral("25");
        writeFile(inputs.filePath("ora25.ferolune"), PersonJson({hour25, {}, {}}));
        QByteArray noise(600, '\0');
        for (qsizetype i = 0; i < noise.size(); ++i)
            noise[i] = static_cast<char>((i * 7919) % 251);
        writeFile(inputs.filePath("zaj.hvs"), noise);
        writeFile(inputs.filePath("ok.hvs"), "\"Ismeretlen\",1973,2,26,2,50,47,35,19,7,-1,0,0,#TRUE#\r\n");
        SavedPerson ahead;
        ahead.cycle.periodStarts = {QDate(2999, 1, 1)};
        writeFile(inputs.filePath("jovo.ferolune"), PersonJson(ahead));
        QCOMPARE(::mkfifo(QFile::encodeName(inputs.filePath("cso.hvs")).constData(), 0600), 0);
    }

    void helpAndVersion()
    {
        QTemporaryDir dir;
        for (const auto &[argument, startOfOutput] :
             {std::pair<QString, QString>{"--version", "ferolune-cli "},
              {"--help", "Használat: " FEROLUNE_PROGRAM " [kapcsolók] export"}}) {
            const ProgramRun run = runProgram({argument}, dir.path());
            QCOMPARE(run.exitCode, 0);
            QVERIFY2(run.out.startsWith(startOfOutput), qPrintable(run.out));
        }
        const QString help = runProgram({"--help"}, dir.path()).out;
        for (const char *told : {"Kilépési kód: 0 siker; 1 ", "; 2 a parancssor nem értelmezhető", "-o - >"})
            QVERIFY2(help.contains(QString::fromUtf8(told)), told);
    }

    // The window program takes no command: it names the command line, in Hungarian, with
    // no display needed for it.
    void windowProgramPointsToTheCommandLine()
    {
        QTemporaryDir dir;
        const ProgramRun run = runProgram(exportOf(defaultBirth(), "2026", "naptar.csv"), dir.path(),
                                          QStringLiteral(FEROLUNE_WINDOW_PROGRAM));
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.startsWith("Ismeretlen paraméter: export\n"), qPrintable(run.err));
        QVERIFY2(run.err.contains("ferolune-cli export --date"), qPrintable(run.err));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    }

    // The calendar from birth options and from a chart file with the same birth data: the
    // chart lines on standard output, and one CSV row for each day of the year.
    void goodInput_data()
    {
        QTest::addColumn<QByteArray>("chartFile");
        QTest::addColumn<QStringList>("birth");
        QTest::newRow("birth options") << QByteArray() << defaultBirth();
        QTest::newRow("chart file") << QByteArray("\"Ismeretlen\",1973,2,26,2,50,47,35,19,7,-1,0,0,#TRUE#\r\n")
                                    << QStringList{"--chart", "radix.hvs"};
    }
    void goodInput()
    {
        QFETCH(QByteArray, chartFile);
        QFETCH(QStringList, birth);
        QTemporaryDir dir;
        if (!chartFile.isEmpty())
            writeFile(dir.filePath("radix.hvs"), chartFile);

        const ProgramRun run = runProgram(exportOf(birth, "2026", "naptar.csv"), dir.path());
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(run.err, QString());
        // The numbers carry the user's decimal separator, as in the window.
        QCOMPARE(run.out, QString(DefaultChartLines).replace(QLatin1Char('.'), userDecimalSeparator()));

        const QStringList rows = csvRows(dir.filePath("naptar.csv"));
        QCOMPARE(rows.size(), 366);
        QCOMPARE(rows[0], QStringLiteral("date,class,tag,exact,moon_sign,cycle_day,cycle,uncertain,exact_earliest,"
                                         "exact_latest"));
        QDate day(2026, 1, 1);
        for (qsizetype row = 1; row < rows.size(); ++row, day = day.addDays(1)) {
            const QStringList columns = rows[row].split(QLatin1Char(','));
            QCOMPARE(columns.size(), 10);
            QCOMPARE(columns[5] + columns[6], QString()); // no cycle given
            QCOMPARE(columns[0], day.toString(Qt::ISODate));
            const auto phase = PhaseDays2026.find(columns[0]);
            const bool fertile = PhaseDays2026.count(day.addDays(1).toString(Qt::ISODate)) ||
                                 PhaseDays2026.count(day.addDays(2).toString(Qt::ISODate)) ||
                                 PhaseDays2026.count(day.addDays(3).toString(Qt::ISODate));
            const QString expectedClass = phase != PhaseDays2026.end() ? phase->second.first
                                          : fertile                    ? QStringLiteral("fertile")
                                                                       : QStringLiteral("not-fertile");
            QCOMPARE(columns[1], expectedClass);
            QCOMPARE(columns[2], phase != PhaseDays2026.end() ? phase->second.second : QString());
        }
    }

    // A birthplace or a saved person gives the very calendar its values typed by hand give.
    void sameCalendarAs_data()
    {
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QByteArray>("person"); // written to person.ferolune when not empty
        const auto birth = [](const char *date, const char *time, QStringList rest) {
            return QStringList{"--date", date, "--time", time} + rest;
        };
        const QStringList budapest = {"--lon", "19E02", "--lat", "47N30"};
        QTest::newRow("budapest 1985, summer time")
            << birth("1985-07-14", "09:35", {"--place", "budapest"})
            << birth("1985-07-14", "09:35", QStringList{"--zone", "-2"} + budapest) << QByteArray();
        QTest::newRow("a given zone settles the skipped hour")
            << birth("1985-03-31", "02:30", {"--place", "Budapest", "--zone", "-1"})
            << birth("1985-03-31", "02:30", QStringList{"--zone", "-1"} + budapest) << QByteArray();
        QTest::newRow("New York is New York City")
            << birth("1990-07-10", "12:00", {"--place", "New York"})
            << birth("1990-07-10", "12:00", {"--place", "New York City"}) << QByteArray();
        BirthForm person = BirthForm{};
        person.residence = {QStringLiteral("Budapest, Magyarország"), 3054643};
        QTest::newRow("saved person with a residence")
            << QStringList{"--chart", "person.ferolune"}
            << QStringList(defaultBirth() + QStringList{"--residence", "Budapest"}) << PersonJson({person, {}, {}});
    }
    void sameCalendarAs()
    {
        QFETCH(QStringList, given);
        QFETCH(QStringList, typed);
        QFETCH(QByteArray, person);
        QTemporaryDir dir;
        if (!person.isEmpty())
            writeFile(dir.filePath("person.ferolune"), person);
        const ProgramRun fromGiven = runProgram(exportOf(given, "2026", "given.csv"), dir.path());
        QVERIFY2(fromGiven.exitCode == 0, qPrintable(fromGiven.err));
        const ProgramRun fromTyped = runProgram(exportOf(typed, "2026", "typed.csv"), dir.path());
        QVERIFY2(fromTyped.exitCode == 0, qPrintable(fromTyped.err));
        QCOMPARE(fromGiven.out, fromTyped.out);
        QCOMPARE(csvRows(dir.filePath("given.csv")).size(), 366);
        QCOMPARE(csvRows(dir.filePath("given.csv")), csvRows(dir.filePath("typed.csv")));
    }

    // A saved person's place the atlas does not hold is refused as the window refuses it,
    // not run on the birth zone under the place's name.
    void savedPlaceNotInTheAtlas()
    {
        QTemporaryDir dir;
        BirthForm person;
        person.residence = {QStringLiteral("Szegeddd"), 999999999};
        writeFile(dir.filePath("p.ferolune"), PersonJson({person, {}, {}}));
        const ProgramRun run =
            runProgram({"export", "--chart", "p.ferolune", "--year", "2026", "-o", "naptar.csv"}, dir.path());
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err, "--chart p.ferolune: a fájlban lakóhelyként álló „Szegeddd” nem a helységnévtár egyik "
                          "helye.\n");
        QVERIFY(!QFile::exists(dir.filePath("naptar.csv")));
    }

    // The calendar of the default birth data (zone -1) lived in Budapest: the same days and
    // the same instants, each exact return an hour later on the clock, and saying so, while
    // summer time is in force.
    void residenceMovesTheSummerExactHours()
    {
        QTemporaryDir dir;
        QCOMPARE(runProgram(exportOf(defaultBirth(), "2026", "zone.csv"), dir.path()).exitCode, 0);
        const QStringList residence = defaultBirth() + QStringList{"--residence", "Budapest"};
        QCOMPARE(runProgram(exportOf(residence, "2026", "budapest.csv"), dir.path()).exitCode, 0);
        const QStringList zoneRows = csvRows(dir.filePath("zone.csv")), budapestRows = csvRows(dir.filePath("budapest.csv"));
        QCOMPARE(budapestRows.size(), 366);
        QCOMPARE(zoneRows.size(), budapestRows.size());
        int returns = 0;
        for (qsizetype row = 1; row < zoneRows.size(); ++row) {
            const QStringList zone = zoneRows[row].split(u','), budapest = budapestRows[row].split(u',');
            QCOMPARE(budapest.mid(0, 3) + budapest.mid(4), zone.mid(0, 3) + zone.mid(4));
            if (zone[3].isEmpty())
                continue;
            const QDate day = QDate::fromString(zone[0], Qt::ISODate);
            const bool summer = day >= QDate(2026, 3, 29) && day < QDate(2026, 10, 25);
            const QDateTime zoneMoment = QDateTime::fromString(zone[3], Qt::ISODate);
            const QDateTime budapestMoment = QDateTime::fromString(budapest[3], Qt::ISODate);
            QCOMPARE(budapestMoment, zoneMoment);
            QCOMPARE(zone[3].right(6), QStringLiteral("+01:00"));
            QCOMPARE(budapest[3].right(6), summer ? QStringLiteral("+02:00") : QStringLiteral("+01:00"));
            ++returns;
        }
        QCOMPARE(returns, 13);
    }

    // What the window refuses, the command line refuses with the window's message: on
    // standard error, with a non-zero status and no file, not even a temporary one.
    void badInput_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("status"); // 1 the window refuses it too, 2 the command line is wrong
        const QStringList good = exportOf(defaultBirth(), "2026", "naptar.csv");
        QTest::newRow("missing option") << QStringList(good.mid(0, good.indexOf("--year")) + QStringList{"-o", "n.csv"})
                                        << "Hiányzó kapcsoló: --year." << 2;
        QTest::newRow("month 13") << with(good, "--date", "1973-13-26") << BoundsMessage(BirthField::Month) << 1;
        QTest::newRow("30 February") << with(good, "--date", "1994-02-30") << "--date 1994-02-30: Helytelen nap!" << 1;
        QTest::newRow("a name too long") << QStringList(good + QStringList{"--name", QString(101, u'a')})
                                         << "--name " + QString(40, u'a') +
                                                "…: Helytelen név! A név legfeljebb 100 "
                                                "karakter lehet."
                                         << 1;
        QTest::newRow("a year given twice")
            << QStringList(good + QStringList{"--year", "2027"})
            << "A --year kapcsoló csak egyszer adható meg (megadva: „2026”, „2027”)." << 2;
        QTest::newRow("output named empty") << with(good, "-o", "") << "A -o értéke üres" << 2;
        QTest::newRow("zone 99") << with(good, "--zone", "99")
                                 << "Helytelen időzóna! Az időzóna -15 és 15 óra között lehet." << 1;
        QTest::newRow("longitude minutes 99") << with(good, "--lon", "19E99")
                                              << "Helytelen földrajzi hosszúság! A perc legfeljebb 59 lehet." << 1;
        const QString uncertainty =
            QStringLiteral("Helytelen „± PERC”! A születési idő bizonytalansága 0 és 180 perc között lehet.");
        QTest::newRow("uncertainty 181") << QStringList(good + QStringList{"--uncertainty", "181"}) << uncertainty << 1;
        QTest::newRow("uncertainty -5") << QStringList(good + QStringList{"--uncertainty", "-5"}) << uncertainty << 1;
        QTest::newRow("uncertainty not a number") << QStringList(good + QStringList{"--uncertainty", "15p"})
                                                  << "A --uncertainty értéke PERC alakú legyen" << 2;
        QTest::newRow("a year with a fraction") << with(good, "--year", "2027.5")
                                                << "A --year értéke ÉÉÉÉ alakú legyen" << 2;
        QTest::newRow("calendar year beyond the ephemeris")
            << with(good, "--year", "5000") << RunFailureMessage(RunFailure::YearBeyondEphemeris, {{}, 5000, {}, {}})
            << 1;
        QTest::newRow("chart file missing")
            << QStringList{"export", "--chart", "nincs.hvs", "--year", "2026", "-o", "naptar.csv"}
            << ChartFileFailureMessage("nincs.hvs", ChartFileFailure::CannotOpen) << 1;
        QTest::newRow("output folder missing") << with(good, "-o", "nincs/naptar.csv")
                                               << "A(z) nincs/naptar.csv fájl nem írható" << 1;
        QTest::newRow("standard output without a format") << with(good, "-o", "-") << "A szabványos kimenetre (-o -)" << 2;
        const QStringList fromFile = {"export", "--chart", "", "--year", "2026", "-o", "naptar.csv"};
        QTest::newRow("chart file named empty") << fromFile << "A --chart értéke egy asztrógram" << 2;
        QTest::newRow("saved person with hour 25") << with(fromFile, "--chart", inputs.filePath("ora25.ferolune"))
                                                   << "A(z) ora25.ferolune fájl egyik adata hibás: Helytelen óra!" << 1;
        QTest::newRow("random bytes") << with(fromFile, "--chart", inputs.filePath("zaj.hvs"))
                                      << "A(z) zaj.hvs asztrógram nem olvasható be: a fájl nem asztrógram." << 1;
        // Nothing waits for a writer, nor reads a folder or a device.
        for (const QString &other : {inputs.filePath("cso.hvs"), inputs.path(), QStringLiteral("/dev/zero")})
            QTest::newRow(qPrintable("not a regular file: " + other))
                << with(fromFile, "--chart", other) << "nem közönséges fájl, hanem mappa, eszköz vagy csővezeték." << 1;
        QTest::newRow("calendar year beyond its field, with a chart file")
            << with(with(fromFile, "--chart", inputs.filePath("ok.hvs")), "--year", "99999999999")
            << "--year 99999999999: Helytelen év!" << 1;
        QTest::newRow("saved person with a start after today")
            << with(fromFile, "--chart", inputs.filePath("jovo.ferolune"))
            << "A 2999.01.01 vérzéskezdet a mai napnál későbbi!" << 1;
        const QStringList placed = exportOf({"--date", "1975-07-14", "--time", "09:35", "--place", "Budapestt"}, "2026",
                                            "naptar.csv");
        QTest::newRow("unknown place") << placed
                                       << "Ismeretlen hely (--place): „Budapestt”. A helységnévtár hasonló nevű "
                                          "helyei:\n  Budapest, Magyarország\n"
                                       << 1;
        // A birthplace does not change what the date is: --zone or not, 30 February is refused.
        QTest::newRow("30 February at a place") << with(with(placed, "--place", "Budapest"), "--date", "1994-02-30")
                                                << "Helytelen nap!" << 1;
        QTest::newRow("empty place") << with(placed, "--place", "") << "A --place értéke üres: adja meg a hely nevét."
                                     << 1;
        const auto cycled = [&good](const QStringList &cycle) { return good + cycle; };
        QTest::newRow("period after today") << cycled({"--period", "2999-01-01"})
                                            << "A 2999.01.01 vérzéskezdet a mai napnál későbbi!" << 1;
        QTest::newRow("period twice") << cycled({"--period", "2026-01-05", "--period", "2026-01-05"})
                                      << "A 2026.01.05 vérzéskezdet kétszer szerepel!" << 1;
        QTest::newRow("period no date") << cycled({"--period", "2026-02-30"}) << "A --period értéke ÉÉÉÉ-HH-NN" << 1;
        QTest::newRow("period not in its form")
            << cycled({"--period", "2026-1-5"}) << "A --period értéke ÉÉÉÉ-HH-NN" << 2;
        QTest::newRow("period before the birth")
            << cycled({"--period", "1973-02-25"}) << "A 1973.02.25 vérzéskezdet a születés napjánál korábbi!" << 1;
        QTest::newRow("shortest not a number")
            << cycled({"--shortest", "abc"}) << "A --shortest értéke egész szám" << 2;
        QTest::newRow("shortest 19") << cycled({"--shortest", "19"})
                                     << "A szokásos legrövidebb ciklus hossza 20 és 45 nap között lehet!" << 1;
        QTest::newRow("shortest above longest") << cycled({"--shortest", "33", "--longest", "32"})
                                                << "A szokásos legrövidebb ciklus nem lehet hosszabb a leghosszabbnál!"
                                                << 1;
        QTest::newRow("the hour skipped in spring")
            << with(with(with(placed, "--place", "Budapest"), "--date", "1985-03-31"), "--time", "02:30")
            << "A születési helyen (Budapest) 1985. március 31. 02:30 nem létező időpont: ekkor kezdődött a nyári "
               "időszámítás, és az órát előreállították. Kérem, ellenőrizze az órát és a percet, vagy írja be kézzel "
               "az időzónát. Az időzóna a --zone kapcsolóval adható meg."
            << 1;
    }
    void badInput()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        QFETCH(int, status);
        QTemporaryDir dir;
        const ProgramRun run = runProgram(arguments, dir.path());
        QCOMPARE(run.exitCode, status);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        // Nothing of Qt's own ("QStandardPaths: ...", "QFSFileEngine::open: ...").
        QVERIFY2(!run.err.contains(QRegularExpression("^Q\\w+(::\\w+)?:", QRegularExpression::MultilineOption)),
                 qPrintable(run.err));
        QCOMPARE(run.out, QString());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    }

    // What a terminal gives the program besides its options: a closed standard output, no
    // display, file names that are no UTF-8, control characters, SOURCE_DATE_EPOCH.
    void theProcessAroundTheCalendar()
    {
        QTemporaryDir dir;
        const auto shell = [&dir](const QString &script, const QStringList &arguments) {
            return runProgram(QStringList{"-c", script, FEROLUNE_PROGRAM} + arguments, dir.path(), "/bin/sh");
        };
        const QStringList toStandardOutput = exportOf(defaultBirth(), "2026", "-") + QStringList{"--format", "csv"};
        const ProgramRun closed = shell("exec \"$0\" \"$@\" >&-", toStandardOutput);
        QCOMPARE(closed.exitCode, 1);
        QCOMPARE(closed.err, "A szabványos kimenetre nem sikerült írni: a program zárt szabványos kimenettel "
                             "indult.\n");

        const ProgramRun window = runProgram({}, dir.path(), QStringLiteral(FEROLUNE_WINDOW_PROGRAM));
        QCOMPARE(window.exitCode, 1);
        QVERIFY2(window.err.startsWith("A ferolune ablakos program, grafikus asztali környezet") &&
                     window.err.contains("ferolune-cli --help"),
                 qPrintable(window.err));

        const ProgramRun bytes = shell("n=$(printf 'ki\\377'); cp \"$1\" \"$n.hvs\" && "
                                       "exec \"$0\" export --chart \"$n.hvs\" --year 2026 -o \"$n.csv\"",
                                       {inputs.filePath("ok.hvs")});
        QVERIFY2(bytes.exitCode == 0, qPrintable(bytes.err));
        QCOMPARE(::access(QByteArray(QFile::encodeName(dir.path()) + "/ki\xff.csv").constData(), F_OK), 0);

        QVERIFY(runProgram(exportOf(defaultBirth() + QStringList{"--name", "A\x01\x1b"
                                                                           "B"},
                                    "2026", "n.ics"),
                           dir.path())
                    .exitCode == 0);
        QFile ics(dir.filePath("n.ics"));
        QVERIFY(ics.open(QIODevice::ReadOnly));
        const QByteArray icsBytes = ics.readAll();
        QVERIFY(icsBytes.contains("Holdfázis naptár 2026 - AB\r\n"));
        QVERIFY(std::none_of(icsBytes.begin(), icsBytes.end(),
                             [](char c) { return c > 0 && c < 32 && c != 13 && c != 10; }));

        const QString reproducible = "SOURCE_DATE_EPOCH=1700000000 exec \"$0\" \"$@\"";
        QByteArray pdfs[2];
        for (QByteArray &pdf : pdfs) {
            QCOMPARE(shell(reproducible, exportOf(defaultBirth(), "2026", "n.pdf")).exitCode, 0);
            QFile file(dir.filePath("n.pdf"));
            QVERIFY(file.open(QIODevice::ReadOnly));
            pdf = file.readAll();
            QTest::qSleep(1000); // another second on the clock
        }
        QVERIFY(pdfs[0] == pdfs[1] && pdfs[0].contains("/CreationDate (D:2023111"));
        QVERIFY(shell(reproducible, exportOf(defaultBirth(), "2026", "-") + QStringList{"--format", "ics"})
                    .out.contains("DTSTAMP:20231114T221320Z\r\n"));
    }

    // "-o -" writes the file to standard output, alone; a full disk keeps the old file.
    void standardOutputAndFullDisk()
    {
        QTemporaryDir dir;
        QCOMPARE(runProgram(exportOf(defaultBirth(), "2026", "naptar.csv"), dir.path()).exitCode, 0);
        const ProgramRun piped = runProgram(exportOf(defaultBirth(), "2026", "-") + QStringList{"--format", "csv"}, dir.path());
        QCOMPARE(piped.exitCode, 0);
        QCOMPARE(piped.out, csvRows(dir.filePath("naptar.csv")).join("\r\n") + "\r\n");

        test::FullDisk disk(QStringLiteral("naptar.csv"), "régi");
        if (!disk.usable())
            QSKIP("no tmpfs can be mounted here (it takes root)");
        const ProgramRun full = runProgram(exportOf(defaultBirth(), "2026", disk.path("naptar.csv")), dir.path());
        QCOMPARE(full.exitCode, 1);
        QVERIFY2(full.err.contains("megtelt a lemez"), qPrintable(full.err));
        QCOMPARE(disk.contents("naptar.csv"), QByteArray("régi"));
    }

    // The PDF of the command line, drawn without a display, is the page the calendar window
    // prints of the same run, and its chart lines are the window's birth-data box.
    void pdfIsTheWindowsPage()
    {
        QTemporaryDir dir;
        const ProgramRun run = runProgram(exportOf(defaultBirth(), "2026", "naptar.pdf"), dir.path());
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(run.err, QString()); // no word from Qt about platforms or fonts

        CalendarWorker worker{QStringList{QStringLiteral(FEROLUNE_EPHEMS_DIR)}};
        test::ScriptedDialogs dialogs;
        CalendarController controller(worker, dialogs);
        QCOMPARE(test::runToEnd(controller, test::runOf()), CalendarController::Outcome::Finished);
        CalendarWindow *window = controller.window();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        // The box's five lines end in a line break each.
        QCOMPARE(run.out, window->pageText(PageText::ChartText) + window->pageText(PageText::AngleCaption) + "\n");
        QFile printed(dir.filePath("window.pdf"));
        QVERIFY(printed.open(QIODevice::WriteOnly) && window->writePdf(printed));
        printed.close();

        constexpr int Dpi = 144;
        const QImage page = test::renderPdfPage(dir.filePath("naptar.pdf"), Dpi);
        const QImage windowPage = test::renderPdfPage(printed.fileName(), Dpi);
        QVERIFY(!page.isNull());
        page.save(QStringLiteral(FEROLUNE_BINARY_DIR "/export-page.png"));
        QCOMPARE(page.size(), windowPage.size());
        qsizetype differing = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                differing += !test::sameColour(page.pixel(x, y), windowPage.pixel(x, y));
        QVERIFY2(differing <= page.width() * page.height() / 1000, qPrintable(QString::number(differing)));

        // The window's MENTÉS… saves the very CSV the command line writes.
        QCOMPARE(runProgram(exportOf(defaultBirth(), "2026", "naptar.csv"), dir.path()).exitCode, 0);
        dialogs.savePath = dir.filePath("window.csv");
        QTest::mouseClick(window->findChild<QPushButton *>("cmdSave"), Qt::LeftButton);
        QFile fromWindow(dialogs.savePath), fromCommandLine(dir.filePath("naptar.csv"));
        QVERIFY(fromWindow.open(QIODevice::ReadOnly) && fromCommandLine.open(QIODevice::ReadOnly));
        QCOMPARE(fromWindow.readAll(), fromCommandLine.readAll());
    }

    // The cycle's columns follow the calendar rule day by day: four starts with a 60-day
    // gap that does not count and a 20-day cycle that cuts its window, too few cycles for
    // her own basis, so her usual 24-35 days give the window (days 6 to 24) and a start
    // predicted every 30 days, on into the next year. A saved person brings her own cycle,
    // and the lunar columns stay as they are without one.
    void cycleColumns()
    {
        QTemporaryDir dir;
        const QStringList periods = {"--period", "2026-01-05", "--period", "2026-02-02", "--period", "2026-04-03",
                                     "--period", "2026-04-23", "--shortest", "24", "--longest", "35"};
        SavedPerson anna;
        anna.cycle = {{QDate(2026, 1, 5), QDate(2026, 2, 2), QDate(2026, 4, 3), QDate(2026, 4, 23)}, 24, 35};
        const QString saved = writeFile(inputs.filePath("anna.ferolune"), PersonJson(anna));
        for (const QStringList &arguments :
             {exportOf(defaultBirth(), "2026", "holdnaptar.csv"), exportOf(defaultBirth() + periods, "2026", "2026.csv"),
              QStringList{"export", "--chart", saved, "--year", "2027", "-o", "2027.csv"}}) {
            const ProgramRun run = runProgram(arguments, dir.path());
            QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        }
        const QStringList lunar = csvRows(dir.filePath("holdnaptar.csv"));
        std::map<QString, QStringList> cycleColumns; // date -> cycle_day, cycle
        for (const QString year : {"2026", "2027"}) {
            const QStringList rows = csvRows(dir.filePath(year + ".csv"));
            QCOMPARE(rows.value(0).section(',', 0, 6), QStringLiteral("date,class,tag,exact,moon_sign,cycle_day,cycle"));
            for (const QString &row : rows.mid(1))
                cycleColumns[row.section(',', 0, 0)] = row.section(',', 5, 6).split(',');
            if (year == "2026") {
                QCOMPARE(rows.size(), lunar.size());
                for (qsizetype k = 1; k < rows.size(); ++k)
                    QCOMPARE(rows[k].section(QLatin1Char(','), 0, 4), lunar[k].section(QLatin1Char(','), 0, 4));
            }
        }
        const std::pair<const char *, QStringList> expected[] = {
            {"2026-01-04", {"", ""}},           {"2026-01-05", {"1", "period"}},   {"2026-01-09", {"5", ""}},
            {"2026-01-10", {"6", "fertile"}},   {"2026-01-28", {"24", "fertile"}}, {"2026-01-29", {"25", ""}},
            {"2026-02-02", {"1", "period"}},    {"2026-04-02", {"60", ""}},        {"2026-04-03", {"1", "period"}},
            {"2026-04-22", {"20", "fertile"}},  {"2026-04-23", {"1", "period"}},   {"2026-05-22", {"30", ""}},
            {"2026-05-23", {"1", "period-predicted"}}, {"2026-05-28", {"6", "fertile"}},
            {"2026-12-19", {"1", "period-predicted"}}, {"2026-12-31", {"13", "fertile"}},
            {"2027-01-01", {"14", "fertile"}},  {"2027-01-12", {"25", ""}},
            {"2027-01-18", {"1", "period-predicted"}}, {"2027-01-23", {"6", "fertile"}},
        };
        for (const auto &[date, columns] : expected)
            QVERIFY2(cycleColumns[date] == columns, qPrintable(date + QStringLiteral(": ") + cycleColumns[date].join('|')));
    }

private:
    QTemporaryDir inputs; // files the options name, outside the folder of the run
};

QTEST_MAIN(CommandLineTest)
#include "command_line_test.moc"
