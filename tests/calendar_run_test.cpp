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

CalendarModel scan(const CalendarRequest &request, ExaminedDays *examined = nullptr)
{
    ExaminedDays unused;
    std::optional<CalendarModel> model =
        ScanYear(request, calendarEphemeris(), (examined ? *examined : unused).recorder());
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
    const CalendarRequest request = requestOf();
    ASSERT_DOUBLE_EQ(request.natalAngleRounded, 280.2);
    ExaminedDays examined;
    expectDays(scan(request, &examined), calendarOf(PhaseDays2026));
    // Every examined day has its 72 moments, every second hour, every tenth minute; the
    // 20 days after a moon-phase day are not examined.
    EXPECT_EQ(examined.days, daysExamined(PhaseDays2026));
    EXPECT_EQ(examined.moments, static_cast<int>(examined.days.size()) * 72);
}

TEST(YearScan, TheCommaSeparatorGivesTheSameCalendar)
{
    DecimalSeparatorGuard comma(u',');
    expectDays(scan(requestOf()), calendarOf(PhaseDays2026));
}

// A birth in Mumbai (zone 5.5 hours east) computed with the full stop and with the
// Hungarian decimal comma: the same chart, the same calendar and the same minutes of a
// moon-phase day; only the shown degrees carry the comma.
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
        const CalendarRequest request = requestOf(mumbai);
        out.year = scan(request);
        for (size_t k = 0; k < out.year.days.size(); ++k) {
            if (out.year.days[k].customPointer) {
                const QDate date = QDate(2026, 1, 1).addDays(static_cast<qint64>(k));
                out.day = *ComputeDayDetail(request, date.month(), date.day(), calendarEphemeris());
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
        CalendarRequest request = requestOf();
        request.natalAngleRounded = angleAtNoon(1, row.day);
        ExaminedDays examined;
        const CalendarModel model = scan(request, &examined);
        const int phaseCell = row.day - 1;
        EXPECT_EQ(model.days[static_cast<size_t>(phaseCell)],
                  (DayCell{row.kind, QStringLiteral("1-%1-").arg(row.day), true, false}));
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
    CalendarRequest request = requestOf();
    request.natalAngleRounded = angleAtNoon(12, 20);
    ExaminedDays examined;
    const CalendarModel model = scan(request, &examined);
    const int phaseCell = cellOf(12, 20);
    EXPECT_NE(model.days[static_cast<size_t>(phaseCell)].dayClass, DayClass::NotFertile);
    EXPECT_EQ(model.days[static_cast<size_t>(phaseCell)].tag, QStringLiteral("1220"));
    for (int k = phaseCell + 1; k < 365; ++k)
        EXPECT_EQ(model.days[static_cast<size_t>(k)].dayClass, DayClass::NotFertile) << k;
    EXPECT_EQ(*examined.days.rbegin(), phaseCell);
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
        CalendarRequest request = requestOf(fields, row.year);
        if (row.januaryDay != 0)
            request.natalAngleRounded = angleAtNoon(1, row.januaryDay, row.year + 1);
        const CalendarModel model = scan(request);
        QString lastFourDays;
        for (int k = model.dayCount - 4; k < model.dayCount; ++k) {
            const DayClass dayClass = model.days[static_cast<size_t>(k)].dayClass;
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
    const CalendarRequest request = requestOf(LeapDayBirth, 2020);
    ASSERT_DOUBLE_EQ(request.natalAngleRounded, 58.7);
    ExaminedDays examined;
    const CalendarModel model = scan(request, &examined);
    ASSERT_EQ(model.dayCount, 366);
    const DayCell &leapDay = model.days[59];
    EXPECT_EQ(leapDay.dayClass, DayClass::PhaseGirl); // the Moon in BIKA
    EXPECT_EQ(leapDay.tag, QStringLiteral("2-29"));
    for (int k = 56; k <= 58; ++k) // 26 to 28 February
        EXPECT_EQ(model.days[static_cast<size_t>(k)].dayClass, DayClass::Fertile) << k;
    EXPECT_EQ(model.days[29].tag, QStringLiteral("1-30"));
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
    CalendarModel expected;
    expected.resetDays();
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

    const CalendarModel model = scan(requestOf());
    for (int cell = 0; cell < Days; ++cell)
        EXPECT_EQ(model.days[static_cast<size_t>(cell)].dayClass, expected.days[static_cast<size_t>(cell)].dayClass)
            << "January " << cell + 1;
}

TEST(YearScan, StopsWhenTheCallbackSaysSo)
{
    DecimalSeparatorGuard dot(u'.');
    ExaminedDays examined;
    // Stopped at the first moment of 10 February.
    EXPECT_FALSE(ScanYear(requestOf(), calendarEphemeris(),
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
        const BirthData fields = birthOf(row.year, "1", "1", 0, "0", row.zone); // born at the first moment of the scan
        EXPECT_EQ(scan(requestOf(fields, QString::fromLatin1(row.year).toInt())).builtInEphemeris, row.builtIn);
    }
}

TEST(YearScan, AYearBeyondTheLibraryThrows)
{
    DecimalSeparatorGuard dot(u'.');
    EXPECT_THROW(ScanYear(requestOf({}, 3500), calendarEphemeris()), EphemerisError);
    // The library works on afterwards.
    EXPECT_EQ(scan(requestOf()).days[10].dayClass, DayClass::PhaseGirl);
}

TEST(DayDetail, ElevenJanuary2026)
{
    DecimalSeparatorGuard dot(u'.');
    int minutes = 0;
    const std::optional<DayDetail> detail =
        ComputeDayDetail(requestOf(), 1, 11, calendarEphemeris(), [&](const RunProgress &progress) {
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
        const std::optional<DayDetail> detail =
            ComputeDayDetail(requestOf({}, row.year), row.month, row.day, calendarEphemeris());
        ASSERT_TRUE(detail);
        for (size_t g = 0; g < 3; ++g)
            EXPECT_EQ(detail->captions[g], QString::fromLatin1(row.captions[g]));
    }
}

TEST(DayDetail, StopsWhenTheCallbackSaysSo)
{
    DecimalSeparatorGuard dot(u'.');
    EXPECT_FALSE(ComputeDayDetail(requestOf(), 1, 11, calendarEphemeris(),
                                  [](const RunProgress &progress) { return progress.done < 1440 + 15 * 60; }));
}
