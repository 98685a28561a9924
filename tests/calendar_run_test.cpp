#include "core/calendar/calendar_moment.h"
#include "core/calendar/calendar_run.h"
#include "core/chart/ephemeris.h"
#include "core/common/number_rules.h"
#include "support/calendar_support.h"
#include "support/locale_guard.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QProcess>

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>
#include <vector>

using namespace ferolune;
using ferolune::test::anglesOf;
using ferolune::test::birthOf;
using ferolune::test::calendarEphemeris;
using ferolune::test::DecimalSeparatorGuard;
using ferolune::test::ExaminedDays;
using ferolune::test::natalOf;
using ferolune::test::requestOf;

namespace {

struct PhaseDay {
    int month, day;
    DayClass kind;
};

int cellOf(int month, int day, int year = 2026)
{
    return QDate(year, month, day).dayOfYear() - 1;
}

// The calendar a list of moon-phase days gives: each with the three days before it
// fertile (never before 1 January), every other day not fertile.
CalendarModel calendarOf(const std::vector<PhaseDay> &phaseDays, int year = 2026)
{
    CalendarModel model = CalendarModel::emptyYear(year);
    for (const PhaseDay &phase : phaseDays) {
        const int c = cellOf(phase.month, phase.day, year);
        model.days[static_cast<size_t>(c)] = {phase.kind, false};
        for (int k = std::max(0, c - 3); k < c; ++k)
            model.days[static_cast<size_t>(k)].dayClass = DayClass::Fertile;
    }
    return model;
}

void expectDays(const CalendarModel &actual, const CalendarModel &expected)
{
    ASSERT_EQ(actual.dayCount, expected.dayCount);
    for (size_t k = 0; k < actual.days.size(); ++k)
        EXPECT_EQ(actual.days[k].dayClass, expected.days[k].dayClass) << "cell " << k;
}

// A request with the natal angles its birth gives.
struct ScanRun {
    CalendarRequest request;
    NatalAngles angles;
};

ScanRun runOf(const BirthForm &form = {}, int year = 2026)
{
    const CalendarRequest request = requestOf(form, year);
    return {request, anglesOf(request)};
}

// A run that looks for `natalAngleRounded` in place of its birth's.
ScanRun lookingFor(double natalAngleRounded, const BirthForm &form = {}, int year = 2026)
{
    ScanRun run = runOf(form, year);
    run.angles.rounded = natalAngleRounded;
    return run;
}

CalendarModel scan(const ScanRun &run, ExaminedDays *examined = nullptr)
{
    ExaminedDays unused;
    std::optional<CalendarModel> model =
        ScanYear(run.request, run.angles, calendarEphemeris(), (examined ? *examined : unused).recorder());
    if (!model)
        throw std::logic_error("the scan stopped");
    return *model;
}

// Every day of the year but the 20 after each moon-phase day.
std::set<int> daysExamined(const std::vector<PhaseDay> &phaseDays, int dayCount = 365)
{
    std::set<int> days;
    for (int k = 0; k < dayCount; ++k)
        days.insert(k);
    for (const PhaseDay &phase : phaseDays)
        for (int k = cellOf(phase.month, phase.day) + 1; k <= cellOf(phase.month, phase.day) + 20; ++k)
            days.erase(k);
    return days;
}

// The rounded Sun-Moon angle at local noon of a day (zone -1): a natal angle
// that the scan finds on that day.
double angleAtNoon(int month, int day, int year = 2026)
{
    const LibraryFilesGuard closeFiles(calendarEphemeris());
    return roundToTenth(MomentAngleAt(calendarEphemeris(), Ephemeris::julianDay(year, month, day, 11)).angle);
}

const std::vector<PhaseDay> PhaseDays2026 = {
    {1, 11, DayClass::PhaseGirl}, {2, 10, DayClass::PhaseBoy},  {3, 12, DayClass::PhaseGirl},
    {4, 11, DayClass::PhaseBoy},  {5, 10, DayClass::PhaseGirl}, {6, 9, DayClass::PhaseGirl},
    {7, 8, DayClass::PhaseBoy},   {8, 6, DayClass::PhaseGirl},  {9, 5, DayClass::PhaseBoy},
    {10, 4, DayClass::PhaseGirl}, {11, 2, DayClass::PhaseBoy},  {12, 2, DayClass::PhaseGirl},
    {12, 31, DayClass::PhaseBoy},
};

} // namespace

TEST(YearScan, DefaultBirthFieldsIn2026)
{
    DecimalSeparatorGuard dot(u'.');
    const ScanRun run = runOf();
    ASSERT_DOUBLE_EQ(run.angles.rounded, 280.2);
    ExaminedDays examined;
    expectDays(scan(run, &examined), calendarOf(PhaseDays2026));
    // The 20 days after a moon-phase day are not examined.
    EXPECT_EQ(examined.days, daysExamined(PhaseDays2026));
}

TEST(YearScan, TheCommaSeparatorGivesTheSameCalendar)
{
    DecimalSeparatorGuard comma(u',');
    expectDays(scan(runOf()), calendarOf(PhaseDays2026));
}

// A birth in Mumbai (zone 5.5 hours east) computed with the full stop and with the
// Hungarian decimal comma: the same chart, the same calendar and the same minutes of a
// moon-phase day; only the shown degrees carry the comma.
TEST(CalendarRuns, AHalfHourZoneGivesTheSameCalendarOnAHungarianDesktop)
{
    BirthForm mumbai;
    mumbai.year = QStringLiteral("1991");
    mumbai.month = QStringLiteral("9");
    mumbai.day = QStringLiteral("14");
    mumbai.hour = QStringLiteral("18");
    mumbai.hour12 = QStringLiteral("6");
    mumbai.beforeNoon = false;
    mumbai.minute = QStringLiteral("20.5");
    mumbai.zoneText = QStringLiteral("-5.5");
    mumbai.longitudeDegrees = QStringLiteral("72");
    mumbai.longitudeMinutes = QStringLiteral("52.5");
    mumbai.latitudeDegrees = QStringLiteral("19");
    mumbai.latitudeMinutes = QStringLiteral("4");

    struct Computed {
        NatalChart natal;
        QString chartText, caption;
        CalendarModel year;
        DayDetail day;
    };
    const auto compute = [&](QChar separator) {
        DecimalSeparatorGuard guard(separator);
        Computed out;
        out.natal = natalOf(mumbai);
        out.chartText = out.natal.text();
        out.caption = AngleCaption(out.natal);
        const ScanRun run = runOf(mumbai);
        out.year = scan(run);
        for (int k = 0; k < out.year.dayCount; ++k) {
            if (out.year.days[static_cast<size_t>(k)].isPhaseDay()) {
                const QDate date = out.year.date(k);
                out.day = *ComputeDayDetail(run.request, run.angles, date.month(), date.day(), calendarEphemeris());
                break;
            }
        }
        return out;
    };
    const Computed dot = compute(u'.');
    const Computed comma = compute(u',');

    EXPECT_EQ(comma.natal.angle, dot.natal.angle);
    EXPECT_TRUE(comma.chartText.contains(u',')) << comma.chartText.toStdString();
    EXPECT_EQ(QString(comma.chartText).replace(u',', u'.'), dot.chartText);
    EXPECT_EQ(QString(comma.caption).replace(u',', u'.'), dot.caption);
    expectDays(comma.year, dot.year);
    EXPECT_EQ(comma.day.hours, dot.day.hours);
    EXPECT_NE(std::count(dot.day.hours.begin(), dot.day.hours.end(), HourClass::Match), 0);
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
        ExaminedDays examined;
        const CalendarModel model = scan(lookingFor(angleAtNoon(1, row.day)), &examined);
        const int phaseCell = row.day - 1;
        EXPECT_EQ(model.days[static_cast<size_t>(phaseCell)], (DayCell{row.kind, false}));
        for (int k = 0; k <= phaseCell + 20; ++k) {
            if (k == phaseCell)
                continue;
            EXPECT_EQ(model.days[static_cast<size_t>(k)].dayClass,
                      k < phaseCell && k >= phaseCell - 3 ? DayClass::Fertile : DayClass::NotFertile) << "day " << row.day << " cell " << k;
        }
        // Examined: the days up to the moon-phase day, then from 21 days after it.
        for (int k = 0; k <= phaseCell + 21; ++k)
            EXPECT_EQ(examined.days.count(k), k <= phaseCell || k == phaseCell + 21 ? 1u : 0u) << k;
    }
}

// A moon-phase day in the last 20 days of the year ends the scan: the jump lands past
// 31 December and no moment after the moon-phase day is evaluated.
TEST(YearScan, AJumpPastTheEndOfTheYearEndsTheScan)
{
    DecimalSeparatorGuard dot(u'.');
    ExaminedDays examined;
    const CalendarModel model = scan(lookingFor(angleAtNoon(12, 20)), &examined);
    const int phaseCell = cellOf(12, 20);
    EXPECT_TRUE(model.days[static_cast<size_t>(phaseCell)].isPhaseDay());
    for (int k = phaseCell + 1; k < 365; ++k)
        EXPECT_EQ(model.days[static_cast<size_t>(k)].dayClass, DayClass::NotFertile) << k;
    EXPECT_EQ(*examined.days.rbegin(), phaseCell);
}

// The fertile days before a moon-phase day on 1 to 3 January are the last days of the
// year before; the January day itself has no cell.
TEST(YearScan, AMoonPhaseDayEarlyInJanuaryMakesTheLastDaysOfDecemberFertile)
{
    const BirthForm budapest = birthOf("1985", "7", "14", 9, "35", "-2");
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
        const CalendarModel model =
            scan(row.januaryDay == 0 ? runOf(budapest, row.year)
                                     : lookingFor(angleAtNoon(1, row.januaryDay, row.year + 1), {}, row.year));
        QString lastFourDays;
        for (int k = model.dayCount - 4; k < model.dayCount; ++k) {
            const DayClass dayClass = model.days[static_cast<size_t>(k)].dayClass;
            lastFourDays += dayClass == DayClass::Fertile ? u'y' : dayClass == DayClass::NotFertile ? u'w' : u'?';
        }
        EXPECT_EQ(lastFourDays.toStdString(), row.lastFourDays) << row.year << " " << row.januaryDay;
    }
}

const BirthForm LeapDayBirth = birthOf("1981", "3", "10", 18, "27", "-1.5");

// A leap year has 366 cells and 29 February is scanned like any other day: here it is the
// moon-phase day of February.
TEST(YearScan, LeapYearScans29February)
{
    DecimalSeparatorGuard dot(u'.');
    const ScanRun run = runOf(LeapDayBirth, 2020);
    ASSERT_DOUBLE_EQ(run.angles.rounded, 58.7);
    ExaminedDays examined;
    const CalendarModel model = scan(run, &examined);
    ASSERT_EQ(model.dayCount, 366);
    EXPECT_EQ(model.date(59), QDate(2020, 2, 29));
    EXPECT_EQ(model.days[59].dayClass, DayClass::PhaseGirl); // the Moon in BIKA
    for (int k = 56; k <= 58; ++k) // 26 to 28 February
        EXPECT_EQ(model.days[static_cast<size_t>(k)].dayClass, DayClass::Fertile) << k;
    EXPECT_TRUE(model.days[29].isPhaseDay()); // 30 January
    EXPECT_EQ(examined.days.count(59), 1u);
}

// The days of January against the Sun-Moon angles of the swetest tool at the scan's
// sampled moments. The program gives the universal Julian day to the library as it is, so
// swetest gets the same Julian day as ephemeris time.
TEST(YearScan, JanuaryAgreesWithSwetest)
{
    DecimalSeparatorGuard dot(u'.');
    constexpr int Days = 31;
    const double firstMoment = static_cast<double>(QDate(2026, 1, 1).toJulianDay()) - 0.5 - 1.0 / 24; // zone -1
    QProcess swetest;
    swetest.start(QStringLiteral("swetest"),
                  {QStringLiteral("-bj%1").arg(firstMoment, 0, 'f', 10), QStringLiteral("-n%1").arg(Days * 144),
                   QStringLiteral("-s10m"), QStringLiteral("-p01"), QStringLiteral("-fl"), QStringLiteral("-head"),
                   QStringLiteral("-eswe"), QStringLiteral("-edir%1").arg(QStringLiteral(FEROLUNE_EPHEMS_DIR))});
    ASSERT_TRUE(swetest.waitForFinished(60000));
    const QStringList lines = QString::fromLatin1(swetest.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2 * Days * 144);
    const auto angleAt = [&](int day, int hour, int minute, double *moon) {
        const qsizetype i = 2 * (day * 144 + hour * 6 + minute / 10);
        const double sun = lines[i].trimmed().toDouble();
        *moon = lines[i + 1].trimmed().toDouble();
        return *moon > sun ? *moon - sun : *moon + (360 - sun);
    };

    // January by the rules of the scan, from swetest's angles: a day with a sampled moment
    // whose angle rounds into the natal whole degree, the kind by the last such moment.
    const double natalWholeDegree = std::floor(280.2);
    CalendarModel expected = CalendarModel::emptyYear(2026);
    for (int cell = 0; cell < Days; ++cell) {
        double lastMoon = -1;
        for (int hour = 0; hour <= 22; hour += 2)
            for (int minute = 0; minute <= 50; minute += 10) {
                double moon = 0;
                const double angle = angleAt(cell, hour, minute, &moon);
                if (std::floor(std::floor(angle * 10 + 0.5) / 10) == natalWholeDegree)
                    lastMoon = moon;
            }
        if (lastMoon < 0)
            continue;
        const int moonSign = static_cast<int>(lastMoon / 30) + 1;
        expected.days[static_cast<size_t>(cell)].dayClass = moonSign % 2 ? DayClass::PhaseBoy : DayClass::PhaseGirl;
        for (int k = std::max(0, cell - 3); k < cell; ++k)
            expected.days[static_cast<size_t>(k)].dayClass = DayClass::Fertile;
        cell += 20;
    }

    const CalendarModel model = scan(runOf());
    for (int cell = 0; cell < Days; ++cell)
        EXPECT_EQ(model.days[static_cast<size_t>(cell)].dayClass, expected.days[static_cast<size_t>(cell)].dayClass)
            << "January " << cell + 1;
}

TEST(YearScan, StopsWhenTheCallbackSaysSo)
{
    DecimalSeparatorGuard dot(u'.');
    ExaminedDays examined;
    // Stopped at the first moment of 10 February.
    const ScanRun run = runOf();
    EXPECT_FALSE(ScanYear(run.request, run.angles, calendarEphemeris(),
                          examined.recorder([](const RunProgress &progress) { return progress.done == 40; })));
    EXPECT_EQ(*examined.days.rbegin(), 39);
}

// Years the data files do not cover, whole or in part, are computed by the library's
// built-in ephemeris, and the calendar says so. The library gives up on the Moon at the
// first instant of its files, 1 January 1800, 0h universal time: a scan in zone 0 samples
// that instant, a birth may fall on it.
TEST(YearScan, YearsAtAndOutsideTheDataFiles)
{
    const struct {
        const char *year, *zone;
        bool builtIn;
    } rows[] = {{"1799", "-1", true},  {"1800", "0", false}, {"2026", "-1", false},
                {"2399", "-1", false}, {"2400", "-1", true}, {"2800", "-1", true}};
    DecimalSeparatorGuard dot(u'.');
    for (const auto &row : rows) {
        SCOPED_TRACE(row.year);
        const BirthForm form = birthOf(row.year, "1", "1", 0, "0", row.zone); // born at the first moment of the scan
        EXPECT_EQ(scan(runOf(form, QString::fromLatin1(row.year).toInt())).builtInEphemeris, row.builtIn);
    }
}

TEST(YearScan, AYearBeyondTheLibraryThrows)
{
    DecimalSeparatorGuard dot(u'.');
    const ScanRun beyond = lookingFor(280.2, {}, 3500);
    EXPECT_THROW(ScanYear(beyond.request, beyond.angles, calendarEphemeris()), EphemerisError);
    // The library works on afterwards.
    EXPECT_EQ(scan(runOf()).days[10].dayClass, DayClass::PhaseGirl);
}

TEST(DayDetail, ElevenJanuary2026)
{
    DecimalSeparatorGuard dot(u'.');
    int minutes = 0;
    const ScanRun run = runOf();
    const std::optional<DayDetail> detail =
        ComputeDayDetail(run.request, run.angles, 1, 11, calendarEphemeris(), [&](const RunProgress &progress) {
            EXPECT_EQ(progress.done, minutes++);
            EXPECT_EQ(progress.total, 3 * 24 * 60);
            return true;
        });
    ASSERT_TRUE(detail);
    EXPECT_EQ(minutes, 3 * 24 * 60);
    for (int k = 0; k < DayDetail::HourCount; ++k)
        EXPECT_EQ(detail->hours[static_cast<size_t>(k)], k == 38 || k == 39 ? HourClass::Match : HourClass::Plain)
            << "hour cell " << k;
    EXPECT_EQ(detail->captions, (std::array<QString, 3>{QStringLiteral("2026.1.10"), QStringLiteral("2026.1.11"),
                                                        QStringLiteral("2026.1.12")}));
    EXPECT_EQ(detail->dayIndex, 10);
}

// The neighbour days at the ends of the year.
TEST(DayDetail, NeighbourDaysAtTheEndsOfTheYear)
{
    const struct {
        int year, month, day;
        const char *captions[3];
    } rows[] = {
        {2024, 1, 1, {"2023.12.31", "2024.1.1", "2024.1.2"}},
        {2024, 12, 31, {"2024.12.30", "2024.12.31", "2025.1.1"}},
        {2023, 3, 1, {"2023.2.28", "2023.3.1", "2023.3.2"}},
    };
    DecimalSeparatorGuard dot(u'.');
    for (const auto &row : rows) {
        const ScanRun run = runOf({}, row.year);
        const std::optional<DayDetail> detail =
            ComputeDayDetail(run.request, run.angles, row.month, row.day, calendarEphemeris());
        ASSERT_TRUE(detail);
        for (size_t g = 0; g < 3; ++g)
            EXPECT_EQ(detail->captions[g], QString::fromLatin1(row.captions[g]));
    }
}

TEST(DayDetail, StopsWhenTheCallbackSaysSo)
{
    DecimalSeparatorGuard dot(u'.');
    const ScanRun run = runOf();
    EXPECT_FALSE(ComputeDayDetail(run.request, run.angles, 1, 11, calendarEphemeris(),
                                  [](const RunProgress &progress) { return progress.done < 1440 + 15 * 60; }));
}
