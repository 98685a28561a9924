#include "io/export/calendar_document.h"
#include "io/export/calendar_export.h"
#include "io/export/csv_export.h"
#include "io/export/export_file.h"
#include "io/export/ics_export.h"
#include "support/full_disk.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimeZone>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <ctime>
#include <functional>
#include <set>

using namespace ferolune;

namespace {

const QDateTime Stamp(QDate(2026, 11, 5), QTime(8, 30), Qt::UTC);

// Moon-phase days with the three days before each fertile (never before 1 January). The
// July tag holds characters the CSV must quote; real tags never do, but the writer must not care.
const struct PhaseMark {
    int month, day;
    DayClass kind;
    const char *tag, *moonSign;
} Phases[] = {
    {1, 2, DayClass::PhaseGirl, "1-2-", "BIKA"},
    {3, 1, DayClass::PhaseBoy, "3-1-", "VIZONTO"},
    {7, 20, DayClass::PhaseGirl, "7,\"20\"", ""},
    {12, 31, DayClass::PhaseBoy, "1231", "KOS"},
};

// The message of a write, empty when it went through.
QString errorOf(const WriteResult &written)
{
    return written ? QString() : written.error();
}

size_t cellOf(int month, int day)
{
    return static_cast<size_t>(QDate(2027, month, day).dayOfYear() - 1); // 2027 is not a leap year
}

BirthInput person()
{
    BirthInput birth;
    birth.name = QStringLiteral("Kovács Éva");
    birth.year = 1988;
    birth.month = 7;
    birth.day = 14;
    return birth;
}

// The calendar of the table, each moon-phase day `shift` days later where the year allows,
// with `cycle` laid over it.
CalendarExport calendarOf(const BirthInput &birth, const QString &eventKey = {}, int shift = 0,
                          const CycleHistory &cycle = {})
{
    const auto cellOf = [shift](int month, int day) {
        const QDate moved = QDate(2027, month, day).addDays(shift);
        return ::cellOf(moved.year() == 2027 ? moved.month() : month, moved.year() == 2027 ? moved.day() : day);
    };
    CalendarModel model = CalendarModel::emptyYear(2027);
    model.cycle = CycleLayerOf(cycle, 2027);
    for (const PhaseMark &phase : Phases) {
        const size_t cell = cellOf(phase.month, phase.day);
        model.days[cell] = {phase.kind, false};
        for (size_t k = cell < 3 ? 0 : cell - 3; k < cell; ++k)
            model.days[k].dayClass = DayClass::Fertile;
    }
    CalendarExport calendar{
        birth.name, 2027, 280.2371, QStringLiteral("280.2"), PersonIdentity(birth, eventKey), ExportDaysOf(model)};
    for (const PhaseMark &phase : Phases) {
        ExportDay &day = calendar.days[cellOf(phase.month, phase.day)];
        day.moonSign = QString::fromLatin1(phase.moonSign);
        day.tag = QString::fromUtf8(phase.tag);
    }
    // A birth moment known to ±15 minutes, on a clock an hour ahead of universal time.
    const QTimeZone clock(3600);
    ExportDay &phase = calendar.days[cellOf(3, 1)];
    phase.exact = QDateTime(QDate(2027, 3, 1), QTime(23, 14), clock);
    phase.uncertain = true;
    phase.exactEarliest = QDateTime(QDate(2027, 3, 1), QTime(22, 59), clock);
    phase.exactLatest = QDateTime(QDate(2027, 3, 2), QTime(0, 1), clock);
    phase.exactRange = QStringLiteral("±15 perc: 22:59–2027.03.02 00:01");
    return calendar;
}

const struct ExpectedEvent {
    const char *start, *end, *summary;
} Events[] = {
    {"2027-01-01", "2027-01-02", "Termékeny nap"}, {"2027-01-02", "2027-01-03", "Holdfázis nap - lány"},
    {"2027-02-26", "2027-03-01", "Termékeny napok"}, {"2027-03-01", "2027-03-02", "Holdfázis nap - fiú"},
    {"2027-07-17", "2027-07-20", "Termékeny napok"}, {"2027-07-20", "2027-07-21", "Holdfázis nap - lány"},
    {"2027-12-28", "2027-12-31", "Termékeny napok"}, {"2027-12-31", "2028-01-01", "Holdfázis nap - fiú"},
};

struct ParsedEvent {
    QString start, end, uid, summary, description;
    bool allDay = false;
};

QString dateText(icaltimetype time)
{
    return QDate(time.year, time.month, time.day).toString(Qt::ISODate);
}

// The events of an iCalendar text as libical reads them back.
std::vector<ParsedEvent> libicalEvents(const QByteArray &ics)
{
    std::vector<ParsedEvent> events;
    icalcomponent *root = icalparser_parse_string(ics.constData());
    if (!root)
        return events;
    for (icalcomponent *event = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT); event;
         event = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT)) {
        const icaltimetype start = icalcomponent_get_dtstart(event);
        const icaltimetype end = icalcomponent_get_dtend(event);
        events.push_back({dateText(start), dateText(end), QString::fromUtf8(icalcomponent_get_uid(event)),
                          QString::fromUtf8(icalcomponent_get_summary(event)),
                          QString::fromUtf8(icalcomponent_get_description(event)), start.is_date && end.is_date});
    }
    icalcomponent_free(root);
    return events;
}

// The events and CSV rows as python3-icalendar and Python's csv module read them back.
QJsonObject pythonReadback(const QString &ics, const QString &csv)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(FEROLUNE_TESTS_DIR "/export_readback.py"), ics, csv});
    if (!python.waitForFinished(30000) || python.exitCode() != 0) {
        ADD_FAILURE() << python.readAllStandardError().toStdString();
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

// Both readers must see the events of the table, all day long, with distinct UIDs.
void expectEvents(const std::vector<ParsedEvent> &events, const char *reader)
{
    ASSERT_EQ(events.size(), std::size(Events)) << reader;
    std::set<QString> uids;
    for (size_t k = 0; k < events.size(); ++k) {
        EXPECT_EQ(events[k].start, Events[k].start) << reader << " " << k;
        EXPECT_EQ(events[k].end, Events[k].end) << reader << " " << k;
        EXPECT_EQ(events[k].summary, QString::fromUtf8(Events[k].summary)) << reader << " " << k;
        EXPECT_TRUE(events[k].allDay) << reader << " " << k;
        uids.insert(events[k].uid);
    }
    EXPECT_EQ(uids.size(), events.size()) << reader;
    EXPECT_EQ(events[3].description, QStringLiteral("Név: Kovács Éva\nNAP-HOLD FOK: 280.2\nPontos visszatérés: "
                                                    "2027.03.01 23:14 (UTC+1), ±15 perc: 22:59–2027.03.02 00:01\n"
                                                    "A Hold jegye: VIZONTO"))
        << reader;
    EXPECT_EQ(events[2].description, QStringLiteral("Név: Kovács Éva\nNAP-HOLD FOK: 280.2\nHoldfázis nap: 2027.03.01"))
        << reader;
}

class ExportTest : public testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }
};

// The written files as libical, python3-icalendar and Python's csv module read them back.
TEST_F(ExportTest, IndependentReadersReadBackWhatWasWritten)
{
    const CalendarExport calendar = calendarOf(person());
    const QString ics = path(QStringLiteral("naptar.ics")), csv = path(QStringLiteral("naptar.csv"));
    ASSERT_TRUE(WriteFileAtomically(ics, CalendarIcs(calendar, Stamp)).has_value());
    ASSERT_TRUE(WriteFileAtomically(csv, CalendarCsv(calendar)).has_value());

    QFile icsFile(ics);
    ASSERT_TRUE(icsFile.open(QIODevice::ReadOnly));
    const QByteArray icsText = icsFile.readAll();
    EXPECT_TRUE(icsText.contains("CALSCALE:GREGORIAN\r\n") && icsText.contains("\r\nPRODID:"));
    expectEvents(libicalEvents(icsText), "libical");

    const QJsonObject read = pythonReadback(ics, csv);
    EXPECT_EQ(read["ics"]["version"].toString(), "2.0");
    std::vector<ParsedEvent> events;
    for (const QJsonValue &value : read["ics"]["events"].toArray()) {
        const QJsonObject event = value.toObject();
        events.push_back({event["dtstart"]["value"].toString(), event["dtend"]["value"].toString(),
                          event["uid"].toString(), event["summary"].toString(), event["description"].toString(),
                          event["dtstart"]["kind"] == "date" && event["dtend"]["kind"] == "date"});
    }
    expectEvents(events, "python3-icalendar");

    const QJsonArray rows = read["csv"].toArray();
    ASSERT_EQ(rows.size(), 1 + 365);
    // Without a cycle its two columns stay empty.
    const char *const expectedRows[][10] = {
        {"date", "class", "tag", "exact", "moon_sign", "cycle_day", "cycle", "uncertain", "exact_earliest",
         "exact_latest"},
        {"2027-01-01", "fertile", "", "", "", "", "", "", "", ""},
        {"2027-01-02", "phase-girl", "1-2-", "", "BIKA", "", "", "", "", ""},
        {"2027-01-03", "not-fertile", "", "", "", "", "", "", "", ""},
        {"2027-03-01", "phase-boy", "3-1-", "2027-03-01T23:14+01:00", "VIZONTO", "", "", "1",
         "2027-03-01T22:59+01:00", "2027-03-02T00:01+01:00"},
        {"2027-07-20", "phase-girl", "7,\"20\"", "", "", "", "", "", "", ""},
        {"2027-12-31", "phase-boy", "1231", "", "KOS", "", "", "", "", ""},
    };
    for (const auto &expected : expectedRows) { // row 0 is the header, row n day n of the year
        const QDate date = QDate::fromString(QString::fromLatin1(expected[0]), Qt::ISODate);
        QStringList fields;
        for (const QJsonValue &field : rows[date.isValid() ? date.dayOfYear() : 0].toArray())
            fields << field.toString();
        EXPECT_EQ(fields, QStringList(std::begin(expected), std::end(expected)));
    }
}

// A cycle whose last start was on 20 December 2026 (usual 26-32 days, a start every 29
// days): the window that began in December stands from 1 January, then a predicted start
// and a window in each cycle, every event all day long, transparent, under a UID of its
// own that another file of the year repeats.
TEST_F(ExportTest, CycleWindowsAndPredictedStartsReadBack)
{
    const CalendarExport calendar = calendarOf(person(), {}, 0, CycleHistory{{QDate(2026, 12, 20)}});
    const QString ics = path(QStringLiteral("ciklus.ics")), csv = path(QStringLiteral("ciklus.csv"));
    ASSERT_TRUE(WriteFileAtomically(ics, CalendarIcs(calendar, Stamp)).has_value());
    ASSERT_TRUE(WriteFileAtomically(csv, CalendarCsv(calendar)).has_value());
    const QByteArray later = CalendarIcs(calendar, Stamp.addDays(30));
    EXPECT_EQ(later.count("TRANSP:TRANSPARENT"), 8 + 13 + 12);

    std::vector<std::array<QString, 3>> cycleEvents; // start, end, summary
    std::set<QString> uids;
    const QJsonObject read = pythonReadback(ics, csv);
    for (const QJsonValue &value : read["ics"]["events"].toArray()) {
        const QJsonObject event = value.toObject();
        uids.insert(event["uid"].toString());
        EXPECT_TRUE(later.contains(event["uid"].toString().toUtf8()));
        if (event["summary"].toString().contains(QStringLiteral("ciklus")) ||
            event["summary"].toString() == QStringLiteral("Várható vérzés")) {
            cycleEvents.push_back({event["dtstart"]["value"].toString(), event["dtend"]["value"].toString(),
                                   event["summary"].toString()});
            EXPECT_EQ(event["description"].toString(),
                      QStringLiteral("Név: Kovács Éva\nNaptármódszer (Knaus–Ogino)"));
        }
    }
    EXPECT_EQ(uids.size(), 8u + 13 + 12);
    const QString window = QStringLiteral("Termékeny időszak (ciklus)"), predicted = QStringLiteral("Várható vérzés");
    ASSERT_EQ(cycleEvents.size(), 13u + 12);
    std::sort(cycleEvents.begin(), cycleEvents.end());
    const std::array<QString, 3> expected[] = {
        {"2027-01-01", "2027-01-10", window},    {"2027-01-18", "2027-01-19", predicted},
        {"2027-01-25", "2027-02-08", window},    {"2027-02-16", "2027-02-17", predicted},
        {"2027-12-03", "2027-12-04", predicted}, {"2027-12-10", "2027-12-24", window},
    };
    for (const auto &event : expected)
        EXPECT_TRUE(std::find(cycleEvents.begin(), cycleEvents.end(), event) != cycleEvents.end())
            << event[0].toStdString() << " " << event[2].toStdString();
}

// Fertile days that end the year, before a moon-phase day on 2 January of the next one,
// are an event of their own.
TEST(ExportIcs, FertileDaysBeforeAMoonPhaseDayOfTheNextYear)
{
    CalendarModel model = CalendarModel::emptyYear(2027);
    model.days[363].dayClass = model.days[364].dayClass = DayClass::Fertile; // 30 and 31 December
    const CalendarExport calendar{
        QStringLiteral("Kovács Éva"), 2027, 280.2371, QStringLiteral("280.2"), PersonIdentity(person()),
        ExportDaysOf(model)};
    const std::vector<ParsedEvent> events = libicalEvents(CalendarIcs(calendar, Stamp));
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].start, QStringLiteral("2027-12-30"));
    EXPECT_EQ(events[0].end, QStringLiteral("2028-01-01"));
    EXPECT_EQ(events[0].summary, QStringLiteral("Termékeny napok"));
    EXPECT_TRUE(events[0].description.contains(QStringLiteral("Holdfázis nap: 2028.01.02")));
}

// A newer file of the same person and year must carry the older file's UIDs, so that a
// calendar program replaces every event, even after a corrected birth minute has moved the
// days or a corrected name; another person's file carries none of them.
TEST_F(ExportTest, NewerFileOfThePersonReplacesEveryEvent)
{
    const QString key = QStringLiteral("0b1c9a52-3f0e-4c52-9d0f-5d6c2f1e7a10");
    const auto uidsOf = [this](const CalendarExport &calendar, const QString &name) {
        const QString file = path(name);
        EXPECT_TRUE(WriteFileAtomically(file, CalendarIcs(calendar, Stamp)).has_value());
        QFile read(file);
        EXPECT_TRUE(read.open(QIODevice::ReadOnly));
        std::set<QString> uids;
        for (const ParsedEvent &event : libicalEvents(read.readAll()))
            uids.insert(event.uid);
        return uids;
    };
    BirthInput renamed = person();
    renamed.name = QStringLiteral("Kovácsné Szabó Éva");
    const std::set<QString> original = uidsOf(calendarOf(person(), key), QStringLiteral("regi.ics"));
    const struct {
        const char *what;
        CalendarExport calendar;
        bool samePerson;
    } cases[] = {
        {"birth minute corrected: the days a day later", calendarOf(person(), key, 1), true},
        {"name corrected", calendarOf(renamed, key), true},
        {"another saved person", calendarOf(person(), QStringLiteral("another-key")), false},
        {"a person never saved", calendarOf(person()), false},
    };
    for (const auto &c : cases) {
        const std::set<QString> uids = uidsOf(c.calendar, QStringLiteral("uj.ics"));
        ASSERT_EQ(uids.size(), original.size()) << c.what;
        const bool anyShared = std::any_of(uids.begin(), uids.end(), [&](const QString &u) { return original.count(u); });
        EXPECT_TRUE(c.samePerson ? uids == original : !anyShared) << c.what;
    }
    // Without a saved person her name and birth are the person: a later file of the same
    // birth replaces its events, another birth of the same name keeps its own.
    const std::set<QString> unsaved = uidsOf(calendarOf(person()), QStringLiteral("b.ics"));
    EXPECT_EQ(uidsOf(calendarOf(person(), {}, 1), QStringLiteral("a.ics")), unsaved);
    BirthInput otherBirth = person();
    otherBirth.day = 15;
    const std::set<QString> other = uidsOf(calendarOf(otherBirth), QStringLiteral("c.ics"));
    EXPECT_TRUE(std::none_of(other.begin(), other.end(), [&](const QString &u) { return unsaved.count(u); }));
}

// A discreet file read back shows no word of fertility, bleeding, sex, the person, her
// birth or the angle, and reminds of every event, the cycle's too.
TEST_F(ExportTest, DiscreetFileNamesNothingAndRemindsOfEveryEvent)
{
    const CalendarExport calendar = calendarOf(person(), {}, 0, CycleHistory{{QDate(2026, 12, 20)}});
    const QString ics = path(QStringLiteral("telefon.ics")), csv = path(QStringLiteral("naptar.csv"));
    ASSERT_TRUE(WriteFileAtomically(ics, CalendarIcs(calendar, Stamp, {true, 24})).has_value());
    ASSERT_TRUE(WriteFileAtomically(csv, CalendarCsv(calendar)).has_value());
    QFile written(ics);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QString raw = QString::fromUtf8(written.readAll()); // the UIDs included
    for (const char *word : {"fertil", "phase", "period", "cycle", "Kovács", "Holdfázis", "ferolune"})
        EXPECT_FALSE(raw.contains(QString::fromUtf8(word), Qt::CaseInsensitive)) << word;
    const QJsonObject read = pythonReadback(ics, csv)["ics"].toObject();
    const QStringList words = {"ermékeny", "fiú", "lány", "Hold", "Kovács", "Éva", "1988", "280",
                               "FOK", "Név", "VIZONTO", "BIKA", "ciklus", "vérzés", "Knaus"};
    for (const QJsonValue &text : read["texts"].toArray())
        for (const QString &word : words)
            EXPECT_FALSE(text.toString().contains(word, Qt::CaseInsensitive)) << qPrintable(text.toString());
    const QJsonArray events = read["events"].toArray();
    ASSERT_EQ(events.size(), qsizetype(std::size(Events) + 13 + 12));
    const QStringList neutral = {DiscreetPhaseSummary, DiscreetFertileSummary, DiscreetCycleWindowSummary,
                                 DiscreetPredictedStartSummary};
    for (const QJsonValue &event : events) {
        EXPECT_TRUE(neutral.contains(event["summary"].toString())) << qPrintable(event["summary"].toString());
        EXPECT_EQ(QJsonDocument(event["alarms"].toArray()).toJson(QJsonDocument::Compact),
                  R"([{"action":"DISPLAY","trigger_hours":-24}])");
    }
}

// One entry per day of the real year: a leap year's 29 February has its own entry, and a
// moon-phase day carries its exact return and the Moon's sign.
TEST(ExportDays, FollowTheCalendarYear)
{
    const struct {
        int year, dayCount;
        size_t index;
        QDate date;
    } cases[] = {{2027, 365, 59, {2027, 3, 1}}, {2028, 366, 59, {2028, 2, 29}}, {2028, 366, 365, {2028, 12, 31}}};
    for (const auto &c : cases) {
        CalendarModel model = CalendarModel::emptyYear(c.year);
        model.exactReturns[c.index] = ExactReturn{0, QDateTime(c.date, QTime(23, 14)), 11, {}, {}, {}, 0, {}, {}};
        const std::vector<ExportDay> days = ExportDaysOf(model);
        ASSERT_EQ(days.size(), static_cast<size_t>(c.dayCount));
        EXPECT_EQ(days[c.index].date, c.date) << c.year << " " << c.index;
        EXPECT_EQ(days[c.index].exact, QDateTime(c.date, QTime(23, 14)));
        EXPECT_EQ(days[c.index].moonSign, QStringLiteral("VIZONTO"));
    }
}

TEST_F(ExportTest, UnwritablePathsNameTheFileAndLeaveNothing)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("mappa")));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("zart")));
    QFile::setPermissions(path(QStringLiteral("zart")), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool root = geteuid() == 0; // root writes into a read-only folder anyway
    const struct {
        QString target, reason;
        bool asRoot;
    } cases[] = {
        {path(QStringLiteral("nincs/naptar.csv")),
         QStringLiteral("a(z) %1 mappa nem létezik").arg(path(QStringLiteral("nincs"))), true},
        {path(QStringLiteral("mappa")), QStringLiteral("ezen a néven mappa áll"), true},
        {path(QStringLiteral("zart/naptar.csv")),
         QStringLiteral("a(z) %1 mappába nincs írási jog").arg(path(QStringLiteral("zart"))), false},
    };
    const auto everything = [&] {
        QStringList entries;
        for (const QString &sub : {QStringLiteral("."), QStringLiteral("mappa"), QStringLiteral("zart")})
            entries << QDir(path(sub)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        return entries;
    };
    const QStringList before = everything();
    for (const auto &c : cases) {
        if (root && !c.asRoot)
            continue;
        EXPECT_EQ(errorOf(WriteFileAtomically(c.target, "date,class\r\n")),
                  QStringLiteral("A(z) %1 fájl nem írható: %2.").arg(c.target, c.reason));
        EXPECT_EQ(everything(), before) << c.target.toStdString();
    }
}

// A temporary file a killed write left beside its target goes at the next write to it; a
// recent one, which may be another write's, and every other file stay. A cause the system
// names is told in Hungarian.
TEST_F(ExportTest, StaleTemporaryFilesGoAndCausesAreHungarian)
{
    const QString stale = path(QStringLiteral(".naptar.csv.ferolune-tmp-0badf00d")),
                  recent = path(QStringLiteral(".naptar.csv.ferolune-tmp-00c0ffee")),
                  others[] = {path(QStringLiteral(".naptar.csv.0badf00d")),
                              path(QStringLiteral(".masik.csv.ferolune-tmp-0badf00d"))};
    for (const QString &file : {stale, recent, others[0], others[1]})
        ASSERT_TRUE(WriteFileAtomically(file, "x").has_value());
    const struct timespec hourAgo[2] = {{std::time(nullptr) - 3600, 0}, {std::time(nullptr) - 3600, 0}};
    for (const QString &file : {stale, others[0], others[1]})
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(file).constData(), hourAgo, 0), 0);
    ASSERT_TRUE(WriteFileAtomically(path(QStringLiteral("naptar.csv")), "date\r\n").has_value());
    EXPECT_FALSE(QFile::exists(stale));
    for (const QString &file : {recent, others[0], others[1]})
        EXPECT_TRUE(QFile::exists(file)) << file.toStdString();

    ASSERT_TRUE(QFile::link(path(QStringLiteral("b.csv")), path(QStringLiteral("a.csv"))));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("a.csv")), path(QStringLiteral("b.csv"))));
    EXPECT_EQ(errorOf(WriteFileAtomically(path(QStringLiteral("a.csv")), "x")),
              QStringLiteral("A(z) %1 fájl nem írható: túl sok egymásra mutató szimbolikus hivatkozás.")
                  .arg(path(QStringLiteral("a.csv"))));
}

// A write on a full disk says so, keeps the old file and leaves no temporary file.
TEST(WriteFile, OnAFullDiskChangesNothing)
{
    const QByteArray before = "date,class\r\n2026-01-01,none\r\n";
    test::FullDisk disk(QStringLiteral("naptar.csv"), before);
    if (!disk.usable())
        GTEST_SKIP() << "no tmpfs can be mounted here (it takes root)";
    const QStringList entries = disk.entries();
    const QByteArray calendar = CalendarIcs(calendarOf(person()), Stamp);
    for (const auto &[name, kept] : {std::pair<QString, QString>{"naptar.csv", " A fájl korábbi tartalma változatlan maradt."},
                                     {"uj.ics", ""}}) {
        EXPECT_EQ(errorOf(WriteFileAtomically(disk.path(name), calendar)),
                  QStringLiteral("A(z) %1 fájl nem írható: megtelt a lemez.%2").arg(disk.path(name), kept));
        EXPECT_EQ(disk.entries(), entries);
    }
    EXPECT_EQ(disk.contents(QStringLiteral("naptar.csv")), before);
}

// A device (the twin of /dev/null), a FIFO and a link are written into and stay what
// they are; the link's file gets the bytes.
TEST_F(ExportTest, TargetsThatAreNoFileAreWrittenIntoNotReplaced)
{
    const QByteArray bytes = CalendarCsv(calendarOf(person()));
    const QString device = path(QStringLiteral("null")), fifo = path(QStringLiteral("cso")),
                  link = path(QStringLiteral("link.csv")), linked = path(QStringLiteral("naptar.csv"));
    const bool root = geteuid() == 0;
    ASSERT_TRUE(!root || ::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(linked, link));
    const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    for (const QString &target : root ? QStringList{device, fifo, link} : QStringList{fifo, link}) {
        struct stat before {}, after {};
        ASSERT_EQ(::lstat(QFile::encodeName(target).constData(), &before), 0);
        EXPECT_EQ(errorOf(WriteFileAtomically(target, bytes)), QString()) << target.toStdString();
        ASSERT_EQ(::lstat(QFile::encodeName(target).constData(), &after), 0);
        EXPECT_TRUE(after.st_ino == before.st_ino && after.st_mode == before.st_mode) << target.toStdString();
    }
    QByteArray piped(bytes.size() + 1, '\0');
    piped.resize(::read(reader, piped.data(), static_cast<size_t>(piped.size())));
    ::close(reader);
    EXPECT_EQ(piped, bytes);
    QFile file(linked);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
}

TEST(ExportFormats, ComeFromTheSuffix)
{
    const struct {
        const char *path;
        std::optional<ExportFormat> format;
    } cases[] = {{"/tmp/a.b/NAPTAR.CSV", ExportFormat::Csv}, {"x.pdf", ExportFormat::Pdf}, {"n.ics", ExportFormat::Ics},
                 {"naptar.txt", std::nullopt}, {".ics", std::nullopt}, {"/tmp/a.ics/naptar", std::nullopt}};
    for (const auto &c : cases)
        EXPECT_EQ(FormatOfPath(QString::fromLatin1(c.path)), c.format) << c.path;
}

} // namespace
