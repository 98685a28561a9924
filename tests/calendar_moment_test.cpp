#include "core/calendar/calendar_moment.h"
#include "core/calendar/calendar_run.h"
#include "core/calendar/calendar_year.h"
#include "core/chart/angle_match.h"

#include <gtest/gtest.h>

#include <QDate>

#include <stdexcept>

using namespace ferolune;

namespace {

// Julian day of a universal date and hour, from the calendar alone.
double julianDayOf(int year, int month, int day, double hour)
{
    return static_cast<double>(QDate(year, month, day).toJulianDay()) - 0.5 + hour / 24.0;
}

} // namespace

// The Julian day of a clock time of the calendar: the zone may push it into the
// neighbouring day, and a December day number above 31 is a day of January.
TEST(CalendarMoment, ClockTimesBecomeTheUniversalMoment)
{
    const struct {
        int month, day, hour, minute;
        float zone;
        double julianDay;
    } rows[] = {
        {1, 1, 0, 0, -1, julianDayOf(2025, 12, 31, 23)},
        {3, 15, 22, 50, -2, julianDayOf(2026, 3, 15, 20 + 50 / 60.0)},
        {12, 32, 0, 0, 0, julianDayOf(2027, 1, 1, 0)},
        {12, 31, 23, 30, 5.5, julianDayOf(2027, 1, 1, 5)},
    };
    for (const auto &row : rows)
        EXPECT_NEAR(MomentJulianDay(2026, row.month, row.day, row.hour, row.minute, UtcOffset{row.zone}), row.julianDay,
                    1e-9)
            << row.month << "/" << row.day << " " << row.hour << ":" << row.minute;
}

// The scan matches whole degrees, the detail tenths.
TEST(AngleMatch, WholeDegreesInTheScanTenthsInTheDetail)
{
    enum Precision { Degree, Tenth };
    const struct {
        double natal, angle;
        Precision test;
        bool matches;
    } rows[] = {
        {200.0, 200.04, Degree, true},
        {200.0, 199.96, Degree, true},
        {200.0, 200.94, Degree, true},
        {200.0, 200.97, Degree, false},
        {200.0, 199.94, Degree, false},
        {123.9, 123.0, Degree, true},
        {200.0, 200.04, Tenth, true},
        {200.0, 199.96, Tenth, true},
        {200.0, 200.1, Tenth, false},
        {200.0, 199.9, Tenth, false},
        // Sun and Moon together: the angle is 360, the same angle as 0.
        {360.0, 360, Degree, true},
        {360.0, 360, Tenth, true},
        {0.0, 360, Degree, true},
        // Past the new moon: a natal 360.0 meets the angles that round to 0.0 .. 0.9.
        {360.0, 0.3, Degree, true},
        {360.0, 0.94, Degree, true},
        {360.0, 0.96, Degree, false},
        {360.0, 359.94, Degree, false},
        {0.4, 359.96, Degree, true},
        {360.0, 0.04, Tenth, true},
        {360.0, 0.06, Tenth, false},
        {0.0, 359.96, Tenth, true},
        {359.9, 0.04, Tenth, false},
    };
    for (const auto &row : rows) {
        const bool matches =
            row.test == Degree ? MatchesToTheDegree(row.angle, row.natal) : MatchesToTheTenth(row.angle, row.natal);
        EXPECT_EQ(matches, row.matches) << "natal " << row.natal << " angle " << row.angle << " test " << row.test;
    }
}

TEST(CalendarYear, DaysOfTheYearAndTheirNeighbours)
{
    const struct {
        int year, dayOfYear;
        MonthDay date;
    } days[] = {{2026, 1, {1, 1}},    {2026, 32, {2, 1}},   {2026, 59, {2, 28}},  {2026, 60, {3, 1}},
                {2026, 365, {12, 31}}, {2024, 59, {2, 28}},  {2024, 60, {2, 29}},  {2024, 61, {3, 1}},
                {2024, 366, {12, 31}}, {2000, 60, {2, 29}},  {1900, 60, {3, 1}},   {2100, 365, {12, 31}}};
    for (const auto &row : days) {
        EXPECT_EQ(DateOfDayOfYear(row.year, row.dayOfYear), row.date) << row.year << " " << row.dayOfYear;
        EXPECT_EQ(DayOfYear(row.year, row.date.month, row.date.day), row.dayOfYear) << row.year;
    }
    for (const int year : {1800, 1900, 2000, 2020, 2023, 2024, 2100, 2400})
        EXPECT_EQ(DaysInYear(year), QDate(year, 12, 31).dayOfYear()) << year;
    EXPECT_EQ(MonthLength(2024, 2), 29);
    EXPECT_EQ(MonthLength(2026, 2), 28);
    EXPECT_THROW(DateOfDayOfYear(2026, 0), std::out_of_range);
    EXPECT_THROW(DateOfDayOfYear(2026, 366), std::out_of_range);
    EXPECT_THROW(DayOfYear(2026, 2, 29), std::out_of_range);

    const struct {
        int year, month, day;
        DetailDay before, after;
    } neighbours[] = {
        {2024, 1, 1, {2023, 12, 31}, {2024, 1, 2}},
        {2024, 12, 31, {2024, 12, 30}, {2025, 1, 1}},
        {2024, 2, 28, {2024, 2, 27}, {2024, 2, 29}},
        {2024, 2, 29, {2024, 2, 28}, {2024, 3, 1}},
        {2024, 3, 1, {2024, 2, 29}, {2024, 3, 2}},
        {2026, 2, 28, {2026, 2, 27}, {2026, 3, 1}},
        {2026, 3, 1, {2026, 2, 28}, {2026, 3, 2}},
        {2026, 4, 30, {2026, 4, 29}, {2026, 5, 1}},
        {2026, 5, 31, {2026, 5, 30}, {2026, 6, 1}},
    };
    for (const auto &row : neighbours) {
        const auto days3 = DetailDays(row.year, row.month, row.day);
        EXPECT_EQ(days3[0], row.before) << row.year << " " << row.month << "/" << row.day;
        EXPECT_EQ(days3[1], (DetailDay{row.year, row.month, row.day}));
        EXPECT_EQ(days3[2], row.after) << row.year << " " << row.month << "/" << row.day;
    }
    EXPECT_THROW(DetailDays(2026, 2, 29), std::out_of_range);
    EXPECT_THROW(DetailDays(2024, 13, 1), std::out_of_range);
    EXPECT_THROW(DetailDays(2024, 4, 0), std::out_of_range);
}
