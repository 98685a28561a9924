#include "calendar/calendar_run.h"
#include "chart/ephemeris.h"
#include "common/number_rules.h"
#include "common/run_error.h"
#include "support/calendar_support.h"
#include "support/locale_guard.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QProcess>

#include <cmath>
#include <set>
#include <vector>

using namespace ferolune;
using ferolune::test::birthOf;
using ferolune::test::calendarEphemeris;
using ferolune::test::DecimalSeparatorGuard;
using ferolune::test::LoggedMoment;
using ferolune::test::MomentLog;
using ferolune::test::natalStateOf;

namespace {

struct PhaseDay {
    int month, day;
    DayClass kind;
    const char *tag;
};

int cellOf(int month, int day, int year = 2026)
{
    return QDate(year, month, day).dayOfYear() - 1;
}

// The calendar a list of moon-phase days gives: each with the three days before it
// fertile (never before 1 January), every other day not fertile.
CalendarModel calendarOf(const std::vector<PhaseDay> &phaseDays, int year = 2026)
{
    CalendarModel model;
    model.dayCount = QDate(year, 12, 31).dayOfYear();
    model.resetDays();
    for (const PhaseDay &phase : phaseDays) {
        const int c = cellOf(phase.month, phase.day, year);
        model.days[static_cast<size_t>(c)] = {phase.kind, QString::fromLatin1(phase.tag), true};
        for (int k = std::max(0, c - 3); k < c; ++k)
            model.days[static_cast<size_t>(k)].dayClass = DayClass::Fertile;
    }
    return model;
}

void expectDays(const CalendarModel &actual, const CalendarModel &expected)
{
    ASSERT_EQ(actual.dayCount, expected.dayCount);
    for (size_t k = 0; k < actual.days.size(); ++k) {
        EXPECT_EQ(actual.days[k].dayClass, expected.days[k].dayClass) << "cell " << k;
        EXPECT_EQ(actual.days[k].tag, expected.days[k].tag) << "cell " << k;
        EXPECT_EQ(actual.days[k].customPointer, expected.days[k].customPointer) << "cell " << k;
    }
}

struct RunResult {
    RunOutcome outcome;
    CalendarModel model;
    std::vector<LoggedMoment> moments;
};

RunResult scan(ChartState &state, const QString &year, MomentLog::StopWhen stopWhen = {},
               const BirthData &fields = {})
{
    RunResult result;
    MomentLog log;
    result.outcome = ScanYear(state, fields, year, calendarEphemeris(), result.model, log.callback(state, stopWhen));
    result.moments = log.finish(state);
    return result;
}

RunResult detail(ChartState &state, const QString &year, int month, int day, const BirthData &fields = {})
{
    RunResult result;
    MomentLog log;
    result.outcome = Reszletes(state, fields, year, static_cast<float>(month), static_cast<float>(day),
                               calendarEphemeris(), result.model, log.callback(state));
    result.moments = log.finish(state);
    return result;
}

std::set<int> cellsOf(const std::vector<LoggedMoment> &moments)
{
    std::set<int> cells;
    for (const LoggedMoment &moment : moments)
        cells.insert(moment.cell);
    return cells;
}

// The rounded Sun-Moon angle at local noon of a day (zone -1): a natal angle
// that the scan finds on that day.
double angleAtNoon(int month, int day, int year = 2026)
{
    const LibraryFilesGuard closeFiles(calendarEphemeris());
    const SunMoon positions = calendarEphemeris().sunAndMoon(Ephemeris::julianDay(year, month, day, 11));
    return roundToTenth(positions.moonLon > positions.sunLon ? positions.moonLon - positions.sunLon
                                                             : positions.moonLon + (360 - positions.sunLon));
}

const std::vector<PhaseDay> PhaseDays2026 = {
    {1, 11, DayClass::PhaseGirl, "1-11"}, {2, 10, DayClass::PhaseBoy, "2-10"}, {3, 12, DayClass::PhaseGirl, "3-12"},
    {4, 11, DayClass::PhaseBoy, "4-11"},  {5, 10, DayClass::PhaseGirl, "5-10"}, {6, 9, DayClass::PhaseGirl, "6-9-"},
    {7, 8, DayClass::PhaseBoy, "7-8-"},   {8, 6, DayClass::PhaseGirl, "8-6-"},  {9, 5, DayClass::PhaseBoy, "9-5-"},
    {10, 4, DayClass::PhaseGirl, "104-"}, {11, 2, DayClass::PhaseBoy, "112-"},  {12, 2, DayClass::PhaseGirl, "122-"},
    {12, 31, DayClass::PhaseBoy, "1231"},
};

} // namespace

TEST(YearScan, DefaultBirthFieldsIn2026)
{
    DecimalSeparatorGuard dot(u'.');
    ChartState state = natalStateOf();
    ASSERT_DOUBLE_EQ(state.NatalAngleRounded, 280.2);
    const RunResult result = scan(state, QStringLiteral("2026"));
    EXPECT_EQ(result.outcome, RunOutcome::Finished);
    expectDays(result.model, calendarOf(PhaseDays2026));

    // Every examined day has its 72 moments, every second hour, every tenth minute; the
    // 20 days after a moon-phase day are not examined.
    std::set<int> expectedCells;
    for (int k = 0; k < 365; ++k)
        expectedCells.insert(k);
    for (const PhaseDay &phase : PhaseDays2026) {
        for (int k = cellOf(phase.month, phase.day) + 1; k <= cellOf(phase.month, phase.day) + 20; ++k)
            expectedCells.erase(k);
    }
    EXPECT_EQ(cellsOf(result.moments), expectedCells);
    ASSERT_EQ(result.moments.size(), expectedCells.size() * 72);
    for (size_t i = 0; i < result.moments.size(); ++i) {
        const LoggedMoment &moment = result.moments[i];
        EXPECT_FLOAT_EQ(moment.hour, static_cast<float>(static_cast<int>(i % 72 / 6 * 2) - 1)) << i;
        EXPECT_FLOAT_EQ(moment.minute, static_cast<float>(i % 6 * 10)) << i;
    }
    EXPECT_EQ(state.EvalMode, EvaluationMode::Scan);
}

TEST(YearScan, TheCommaSeparatorGivesTheSameCalendar)
{
    DecimalSeparatorGuard comma(u',');
    ChartState state = natalStateOf();
    const RunResult result = scan(state, QStringLiteral("2026"));
    expectDays(result.model, calendarOf(PhaseDays2026));
}

// A birth in Mumbai (zone 5.5 hours east) computed with the full stop and with the
// Hungarian decimal comma: the same chart, the same moments, the same calendar and the
// same minutes of a moon-phase day; only the shown degrees carry the comma.
TEST(CalendarRuns, AHalfHourZoneGivesTheSameCalendarOnAHungarianDesktop)
{
    BirthData mumbai;
    mumbai.txtYear = QStringLiteral("1991");
    mumbai.txtMonth = QStringLiteral("9");
    mumbai.txtDay = QStringLiteral("14");
    mumbai.Text1 = QStringLiteral("18");
    mumbai.txtBirthHour = QStringLiteral("6");
    mumbai.optAM = false;
    mumbai.txtBirthMinute = QStringLiteral("20.5");
    mumbai.txtTZ = QStringLiteral("-5.5");
    mumbai.txtLongDeg = QStringLiteral("72");
    mumbai.txtLongMin = QStringLiteral("52.5");
    mumbai.txtLatDeg = QStringLiteral("19");
    mumbai.txtLatMin = QStringLiteral("4");

    struct Computed {
        ChartState natal;
        QString chartText, caption;
        RunResult year, day;
    };
    const auto compute = [&](QChar separator) {
        DecimalSeparatorGuard guard(separator);
        Computed out;
        out.natal = natalStateOf(mumbai);
        out.chartText = out.natal.ChartText;
        out.caption = AngleCaption(out.natal);
        ChartState state = out.natal;
        out.year = scan(state, QStringLiteral("2026"), {}, mumbai);
        for (size_t k = 0; k < out.year.model.days.size(); ++k) {
            if (out.year.model.days[k].customPointer) {
                const QDate date = QDate(2026, 1, 1).addDays(static_cast<qint64>(k));
                out.day = detail(state, QStringLiteral("2026"), date.month(), date.day(), mumbai);
                break;
            }
        }
        return out;
    };
    const Computed dot = compute(u'.');
    const Computed comma = compute(u',');

    EXPECT_DOUBLE_EQ(comma.natal.ChartJulianDay, dot.natal.ChartJulianDay);
    EXPECT_NEAR(dot.natal.ChartJulianDay, 2448514.0 + (18 + 20.5 / 60 - 5.5) / 24 - 0.5, 1e-7);
    EXPECT_EQ(comma.natal.NatalAngleRounded, dot.natal.NatalAngleRounded);
    EXPECT_EQ(comma.natal.PointLon, dot.natal.PointLon);
    EXPECT_TRUE(comma.chartText.contains(u',')) << comma.chartText.toStdString();
    EXPECT_EQ(QString(comma.chartText).replace(u',', u'.'), dot.chartText);
    EXPECT_EQ(QString(comma.caption).replace(u',', u'.'), dot.caption);

    for (RunResult Computed::*run : {&Computed::year, &Computed::day}) {
        const RunResult &a = dot.*run;
        const RunResult &b = comma.*run;
        EXPECT_EQ(a.outcome, RunOutcome::Finished);
        EXPECT_EQ(b.outcome, a.outcome);
        expectDays(b.model, a.model);
        EXPECT_EQ(b.model.hours, a.model.hours);
        ASSERT_EQ(b.moments.size(), a.moments.size());
        for (size_t i = 0; i < a.moments.size(); ++i)
            ASSERT_EQ(b.moments[i].julianDay, a.moments[i].julianDay) << i;
    }
    EXPECT_EQ(dot.day.moments.size(), 3u * 24 * 60);
}

// A moon-phase day at the start of the year: nothing of the previous year is marked.
TEST(YearScan, FirstDaysOfTheYear)
{
    const struct {
        int day;
        DayClass kind;
    } rows[] = {{1, DayClass::PhaseBoy}, {2, DayClass::PhaseBoy}, {3, DayClass::PhaseGirl}, {5, DayClass::PhaseBoy}};
    DecimalSeparatorGuard dot(u'.');
    for (const auto &row : rows) {
        ChartState state = natalStateOf();
        state.NatalAngleRounded = angleAtNoon(1, row.day);
        // Stop once the days after the jump have begun.
        const RunResult result =
            scan(state, QStringLiteral("2026"), [&](const RunProgress &progress) { return progress.done > row.day + 21; });
        EXPECT_EQ(result.outcome, RunOutcome::Stopped);
        const QString tag = QStringLiteral("1-%1-").arg(row.day);
        CalendarModel expected = calendarOf({{1, row.day, row.kind, ""}});
        expected.days[static_cast<size_t>(row.day - 1)].tag = tag;
        expectDays(result.model, expected);
        // Examined: the days up to the moon-phase day, then from 21 days after it.
        std::set<int> examined = {row.day + 20, row.day + 21};
        for (int k = 0; k < row.day; ++k)
            examined.insert(k);
        EXPECT_EQ(cellsOf(result.moments), examined);
    }
}

// A moon-phase day in the last 20 days of the year ends the scan: the jump lands past
// 31 December and no moment after the moon-phase day is evaluated.
TEST(YearScan, AJumpPastTheEndOfTheYearEndsTheScan)
{
    DecimalSeparatorGuard dot(u'.');
    ChartState state = natalStateOf();
    state.NatalAngleRounded = angleAtNoon(12, 20);
    const RunResult result = scan(state, QStringLiteral("2026"));
    EXPECT_EQ(result.outcome, RunOutcome::Finished);
    const int phaseCell = cellOf(12, 20);
    EXPECT_NE(result.model.days[static_cast<size_t>(phaseCell)].dayClass, DayClass::NotFertile);
    EXPECT_EQ(result.model.days[static_cast<size_t>(phaseCell)].tag, QStringLiteral("1220"));
    for (int k = phaseCell + 1; k < 365; ++k)
        EXPECT_EQ(result.model.days[static_cast<size_t>(k)].dayClass, DayClass::NotFertile) << k;
    ASSERT_FALSE(result.moments.empty());
    EXPECT_EQ(result.moments.back().cell, phaseCell);
    EXPECT_EQ(result.moments.back().month, 12);
    EXPECT_EQ(result.moments.back().day, 20);
}

// The fertile days before a moon-phase day on 1 to 3 January are the last days of the
// year before; the January day itself has no cell.
TEST(YearScan, AMoonPhaseDayEarlyInJanuaryMakesTheLastDaysOfDecemberFertile)
{
    const BirthData budapest = birthOf("1985", "7", "14", 9, "35", "-2");
    const struct {
        int year;
        int januaryDay; // of the moon-phase day in the next year; 0 for the Budapest birth's own
        const char *lastFourDays; // 28 to 31 December: w not fertile, y fertile
    } rows[] = {
        {2026, 0, "wwwy"}, // the Budapest birth: 3 January 2027
        {2026, 1, "wyyy"},
        {2030, 2, "wwyy"},
    };
    DecimalSeparatorGuard dot(u'.');
    for (const auto &row : rows) {
        const BirthData fields = row.januaryDay == 0 ? budapest : BirthData{};
        ChartState state = natalStateOf(fields);
        if (row.januaryDay != 0)
            state.NatalAngleRounded = angleAtNoon(1, row.januaryDay, row.year + 1);
        const RunResult result = scan(state, QString::number(row.year), {}, fields);
        QString lastFourDays;
        for (int k = result.model.dayCount - 4; k < result.model.dayCount; ++k) {
            const DayClass dayClass = result.model.days[static_cast<size_t>(k)].dayClass;
            lastFourDays += dayClass == DayClass::Fertile ? u'y' : dayClass == DayClass::NotFertile ? u'w' : u'?';
        }
        EXPECT_EQ(lastFourDays.toStdString(), row.lastFourDays) << row.year << " " << row.januaryDay;
    }
}

const BirthData LeapDayBirth = birthOf("1981", "3", "10", 18, "27", "-1.5");

// A leap year has 366 cells and 29 February is scanned like any other day: here it is the
// moon-phase day of February.
TEST(YearScan, LeapYearScans29February)
{
    DecimalSeparatorGuard dot(u'.');
    ChartState state = natalStateOf(LeapDayBirth);
    ASSERT_DOUBLE_EQ(state.NatalAngleRounded, 58.7);
    const RunResult result = scan(state, QStringLiteral("2020"), {}, LeapDayBirth);
    EXPECT_EQ(result.outcome, RunOutcome::Finished);
    ASSERT_EQ(result.model.dayCount, 366);
    const DayCell &leapDay = result.model.days[59];
    EXPECT_EQ(leapDay.dayClass, DayClass::PhaseGirl); // the Moon in BIKA
    EXPECT_EQ(leapDay.tag, QStringLiteral("2-29"));
    for (int k = 56; k <= 58; ++k) // 26 to 28 February
        EXPECT_EQ(result.model.days[static_cast<size_t>(k)].dayClass, DayClass::Fertile) << k;
    EXPECT_EQ(result.model.days[29].tag, QStringLiteral("1-30"));

    // Every cell is scanned as the real day of its index.
    ASSERT_FALSE(result.moments.empty());
    for (const LoggedMoment &moment : result.moments) {
        const QDate expected = QDate(2020, 1, 1).addDays(moment.cell);
        ASSERT_EQ(moment.year, 2020);
        ASSERT_EQ(moment.month, expected.month()) << "cell " << moment.cell;
        ASSERT_EQ(moment.day, expected.day()) << "cell " << moment.cell;
    }
    EXPECT_EQ(cellsOf(result.moments).count(59), 1u);
}

// The Sun-Moon angle of January's sampled moments, and the days it makes, against the
// swetest tool. The program gives the universal Julian day to the library as it is, so
// swetest gets the same Julian day as ephemeris time.
TEST(YearScan, JanuaryAgreesWithSwetest)
{
    DecimalSeparatorGuard dot(u'.');
    constexpr int Days = 31;
    constexpr int MomentsPerDay = 144; // every ten minutes; the scan samples the even hours
    const double firstMoment = static_cast<double>(QDate(2026, 1, 1).toJulianDay()) - 0.5 - 1.0 / 24; // zone -1
    QProcess swetest;
    swetest.start(QStringLiteral("swetest"),
                  {QStringLiteral("-bj%1").arg(firstMoment, 0, 'f', 10), QStringLiteral("-n%1").arg(Days * MomentsPerDay),
                   QStringLiteral("-s10m"), QStringLiteral("-p01"), QStringLiteral("-fl"), QStringLiteral("-head"),
                   QStringLiteral("-eswe"), QStringLiteral("-edir%1").arg(QStringLiteral(FEROLUNE_EPHEMS_DIR))});
    ASSERT_TRUE(swetest.waitForFinished(60000));
    const QStringList lines = QString::fromLatin1(swetest.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2 * Days * MomentsPerDay);
    std::vector<double> angles, moons;
    for (qsizetype i = 0; i < lines.size(); i += 2) {
        const double sun = lines[i].trimmed().toDouble();
        const double moon = lines[i + 1].trimmed().toDouble();
        angles.push_back(moon > sun ? moon - sun : moon + (360 - sun));
        moons.push_back(moon);
    }
    auto sampleIndex = [](int cell, double hour, double minute) {
        return cell * MomentsPerDay + static_cast<int>(std::lround((hour + 1) * 6 + minute / 10));
    };

    // January by the rules of the scan, from swetest's angles: a day with a sampled moment
    // whose angle rounds into the natal whole degree, the kind by the last such moment.
    const double natalWholeDegree = std::floor(280.2);
    CalendarModel expected;
    expected.resetDays();
    for (int cell = 0; cell < Days; ++cell) {
        int lastMatch = -1;
        for (int hour = 0; hour <= 22; hour += 2)
            for (int minute = 0; minute <= 50; minute += 10) {
                const int i = sampleIndex(cell, hour - 1, minute);
                if (std::floor(std::floor(angles[static_cast<size_t>(i)] * 10 + 0.5) / 10) == natalWholeDegree)
                    lastMatch = i;
            }
        if (lastMatch < 0)
            continue;
        const int moonSign = static_cast<int>(moons[static_cast<size_t>(lastMatch)] / 30) + 1;
        expected.days[static_cast<size_t>(cell)].dayClass = moonSign % 2 ? DayClass::PhaseBoy : DayClass::PhaseGirl;
        for (int k = std::max(0, cell - 3); k < cell; ++k)
            expected.days[static_cast<size_t>(k)].dayClass = DayClass::Fertile;
        cell += 20;
    }

    ChartState state = natalStateOf();
    const RunResult result =
        scan(state, QStringLiteral("2026"), [](const RunProgress &progress) { return progress.done >= Days; });
    for (int cell = 0; cell < Days; ++cell)
        EXPECT_EQ(result.model.days[static_cast<size_t>(cell)].dayClass, expected.days[static_cast<size_t>(cell)].dayClass)
            << "January " << cell + 1;
    int compared = 0;
    for (const LoggedMoment &moment : result.moments) {
        if (moment.cell >= Days)
            continue;
        const int i = sampleIndex(moment.cell, moment.hour, moment.minute);
        EXPECT_NEAR(moment.julianDay, firstMoment + i / 144.0, 1e-9);
        EXPECT_NEAR(moment.scanAngle, angles[static_cast<size_t>(i)], 2e-7) << "cell " << moment.cell;
        ++compared;
    }
    EXPECT_EQ(compared, 11 * 72); // 1 to 11 January, then the jump
}

TEST(YearScan, StopsWhenTheCallbackSaysSo)
{
    DecimalSeparatorGuard dot(u'.');
    ChartState state = natalStateOf();
    // Stopped at the first moment of 10 February, a moon-phase day.
    const RunResult result =
        scan(state, QStringLiteral("2026"), [](const RunProgress &progress) { return progress.done == 40; });
    EXPECT_EQ(result.outcome, RunOutcome::Stopped);
    expectDays(result.model, calendarOf({PhaseDays2026.front()}));
    EXPECT_EQ(*cellsOf(result.moments).rbegin(), 39);
}

// A calendar year or a field that is not a number keeps a run from starting: the
// calendar keeps what it showed.
TEST(CalendarRuns, ATextThatIsNotANumberKeepsTheRunFromStarting)
{
    const struct {
        bool detail;
        const char *year, *zone, *latMin;
        const char *field;
    } rows[] = {
        {false, "2024x", "-1", "035", "Text3"}, {false, "", "-1", "035", "Text3"},
        {false, "99999", "-1", "035", "Text3"}, {false, "2024", "-", "035", "txtTZ"},
        {false, "2024", "-1", "", "txtLatMin"}, {true, "2024x", "-1", "035", "Text3"},
        {true, "2024", "", "035", "txtTZ"},
        {true, "32767", "-1", "035", "Text3"}, // the day after 31 December is in year 32768
    };
    DecimalSeparatorGuard dot(u'.');
    for (const auto &row : rows) {
        ChartState state = natalStateOf();
        CalendarModel model;
        model.days[7].dayClass = DayClass::PhaseBoy;
        model.hours[3] = HourClass::Match;
        BirthData fields;
        fields.txtTZ = QString::fromLatin1(row.zone);
        fields.txtLatMin = QString::fromLatin1(row.latMin);
        const QString year = QString::fromLatin1(row.year);
        int moments = 0;
        const MomentCallback count = [&](const RunProgress &) { return ++moments > 0; };
        try {
            if (row.detail)
                Reszletes(state, fields, year, 12, 31, calendarEphemeris(), model, count);
            else
                ScanYear(state, fields, year, calendarEphemeris(), model, count);
            ADD_FAILURE() << "no error for " << row.field;
        } catch (const RunError &error) {
            EXPECT_EQ(error.field(), QString::fromLatin1(row.field));
        }
        SCOPED_TRACE(std::string(row.detail ? "detail " : "scan ") + row.year);
        EXPECT_EQ(moments, 0);
        EXPECT_EQ(model.days[7].dayClass, DayClass::PhaseBoy);
        EXPECT_EQ(model.days[8].dayClass, DayClass::Unset);
        EXPECT_EQ(model.hours[3], HourClass::Match);
        EXPECT_EQ(model.hours[4], HourClass::Unset);
    }
}

// Years the data files do not cover, whole or in part, are computed by the library's
// built-in ephemeris, and the calendar says so. The library gives up on the Moon at the
// first instant of its files, 1 January 1800, 0h universal time: a scan in zone 0 samples
// that instant, a birth may fall on it.
TEST(YearScan, YearsAtAndOutsideTheDataFiles)
{
    const struct {
        const char *year, *zone;
        bool builtIn, wholeYear;
    } rows[] = {{"1799", "-1", true, false}, {"1800", "0", false, true},  {"2026", "-1", false, false},
                {"2399", "-1", false, false}, {"2400", "-1", true, false}, {"2800", "-1", true, false}};
    DecimalSeparatorGuard dot(u'.');
    for (const auto &row : rows) {
        SCOPED_TRACE(row.year);
        const BirthData fields = birthOf(row.year, "1", "1", 0, "0", row.zone);
        ChartState state = natalStateOf(fields); // born at the first moment of the scan
        const RunResult result = scan(state, QString::fromLatin1(row.year),
                                      [&](const RunProgress &) { return !row.wholeYear; }, fields);
        EXPECT_EQ(result.outcome, row.wholeYear ? RunOutcome::Finished : RunOutcome::Stopped);
        EXPECT_EQ(result.model.builtInEphemeris, row.builtIn);
        if (row.wholeYear) {
            EXPECT_EQ(result.moments.front().julianDay, 2378496.5);
        }
    }
}

TEST(YearScan, AYearBeyondTheLibraryThrows)
{
    DecimalSeparatorGuard dot(u'.');
    ChartState state = natalStateOf();
    CalendarModel model;
    EXPECT_THROW(ScanYear(state, BirthData{}, QStringLiteral("3500"), calendarEphemeris(), model, {}), EphemerisError);
    for (const DayCell &cell : model.days)
        EXPECT_EQ(cell.dayClass, DayClass::NotFertile);
    // The library works on afterwards.
    EXPECT_EQ(ScanYear(state, BirthData{}, QStringLiteral("2026"), calendarEphemeris(), model,
                       [](const RunProgress &progress) { return progress.done < 11; }),
              RunOutcome::Stopped);
    EXPECT_EQ(model.days[10].dayClass, DayClass::PhaseGirl);
}

TEST(DayDetail, ElevenJanuary2026)
{
    DecimalSeparatorGuard dot(u'.');
    ChartState state = natalStateOf();
    const RunResult result = detail(state, QStringLiteral("2026"), 1, 11);
    EXPECT_EQ(result.outcome, RunOutcome::Finished);
    for (int k = 0; k < CalendarModel::HourCount; ++k)
        EXPECT_EQ(result.model.hours[static_cast<size_t>(k)], k == 38 || k == 39 ? HourClass::Match : HourClass::Plain)
            << "hour cell " << k;
    EXPECT_EQ(result.model.detailCaptions,
              (std::array<QString, 3>{QStringLiteral("2026.1.10"), QStringLiteral("2026.1.11"),
                                      QStringLiteral("2026.1.12")}));
    // Every minute of the three days, the hour cells 0..71 in turn.
    ASSERT_EQ(result.moments.size(), 3u * 24 * 60);
    for (size_t i = 0; i < result.moments.size(); ++i) {
        ASSERT_EQ(result.moments[i].cell, static_cast<int>(i / 60)) << i;
        ASSERT_EQ(result.moments[i].day, 10 + static_cast<int>(i / 1440)) << i;
        ASSERT_FLOAT_EQ(result.moments[i].hour, static_cast<float>(i / 60 % 24) - 1) << i;
        ASSERT_FLOAT_EQ(result.moments[i].minute, static_cast<float>(i % 60)) << i;
    }
    EXPECT_EQ(state.EvalMode, EvaluationMode::Detail);
    EXPECT_EQ(state.CellIndex, 71);
}

// The neighbour days at the ends of the year; the clicked day's year is the calendar
// year's own text.
TEST(DayDetail, NeighbourDaysAtTheEndsOfTheYear)
{
    const struct {
        const char *year;
        int month, day;
        const char *captions[3];
        int firstYear, lastYear;
    } rows[] = {
        {"2024", 1, 1, {"2023.12.31", "2024.1.1", "2024.1.2"}, 2023, 2024},
        {"2024 ", 12, 31, {"2024.12.30", "2024 .12.31", "2025.1.1"}, 2024, 2025},
    };
    DecimalSeparatorGuard dot(u'.');
    for (const auto &row : rows) {
        ChartState state = natalStateOf();
        const RunResult result = detail(state, QString::fromLatin1(row.year), row.month, row.day);
        for (size_t g = 0; g < 3; ++g)
            EXPECT_EQ(result.model.detailCaptions[g], QString::fromLatin1(row.captions[g]));
        ASSERT_EQ(result.moments.size(), 3u * 24 * 60);
        EXPECT_EQ(result.moments.front().year, row.firstYear);
        EXPECT_EQ(result.moments.back().year, row.lastYear);
    }
}

TEST(DayDetail, StopsWhenTheCallbackSaysSoAndStartsAfresh)
{
    DecimalSeparatorGuard dot(u'.');
    ChartState state = natalStateOf();
    CalendarModel model;
    model.hours.fill(HourClass::Match);
    model.detailCaptions.fill(QStringLiteral("2025.3.4"));
    const RunOutcome outcome =
        Reszletes(state, BirthData{}, QStringLiteral("2026"), 1, 11, calendarEphemeris(), model,
                  [](const RunProgress &progress) { return progress.done < 1440 + 15 * 60; });
    EXPECT_EQ(outcome, RunOutcome::Stopped);
    for (int k = 0; k < CalendarModel::HourCount; ++k)
        EXPECT_EQ(model.hours[static_cast<size_t>(k)], k == 38 ? HourClass::Match : HourClass::Plain) << k;
    EXPECT_EQ(model.detailCaptions,
              (std::array<QString, 3>{QStringLiteral("2026.1.10"), QString(), QString()}));
}
