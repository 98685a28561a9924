#include "calendar/calendar_moment.h"
#include "calendar/calendar_run.h"
#include "calendar/calendar_year.h"
#include "chart/birth_moment.h"
#include "common/number_rules.h"
#include "common/run_error.h"
#include "support/calendar_support.h"
#include "support/locale_guard.h"

#include <gtest/gtest.h>

#include <QDate>

#include <stdexcept>

using namespace ferolune;
using ferolune::test::calendarEphemeris;
using ferolune::test::DecimalSeparatorGuard;
using ferolune::test::natalStateOf;

namespace {

// Julian day of a universal date and hour, from the calendar alone.
double julianDayOf(int year, int month, int day, double hour)
{
    return static_cast<double>(QDate(year, month, day).toJulianDay()) - 0.5 + hour / 24.0;
}

} // namespace

// Chart moment, universal hour, Julian day and place of moments given as the runs give
// them; of the chart to evaluate only the Sun and the Moon change.
TEST(CalendarMoment, TextsBecomeTheUniversalMoment)
{
    const struct {
        const char *month, *day, *hour, *minute, *zone;
        bool east, south;
        int chartDay;
        float chartHour;
        double julianDay;
    } rows[] = {
        // A zone that pushes the first moment of the year into the previous day.
        {" 1", " 1", " 0", " 0", "-1", true, false, 1, -1, julianDayOf(2025, 12, 31, 23)},
        {" 3", " 15", " 22", " 50", "-2", false, true, 15, 20, julianDayOf(2026, 3, 15, 20 + 50 / 60.0)},
        // A December day number above 31 is a day of January of the next year.
        {" 12", " 32", " 0", " 0", "0", true, true, 32, 0, julianDayOf(2027, 1, 1, 0)},
        {" 12", " 31", " 23", " 30", "5.5", false, false, 31, 28.5, julianDayOf(2027, 1, 1, 5)},
    };
    DecimalSeparatorGuard dot(u'.');
    const ChartState natal = natalStateOf();
    for (const auto &row : rows) {
        ChartState state = natal;
        state.EvalMode = EvaluationMode::Scan;
        CalendarModel model;
        BirthData fields;
        fields.txtYear = QStringLiteral("2026");
        fields.txtTZ = QString::fromLatin1(row.zone);
        fields.optEast = row.east;
        fields.optSouth = row.south;
        EvaluateCalendarMoment(state, fields, QString::fromLatin1(row.month), QString::fromLatin1(row.day),
                               QString::fromLatin1(row.hour), QString::fromLatin1(row.minute), calendarEphemeris(),
                               model);
        SCOPED_TRACE(std::string(row.month) + "/" + row.day + " " + row.hour + ":" + row.minute + " zone " + row.zone);
        EXPECT_EQ(state.ChartYear, 2026);
        EXPECT_EQ(state.ChartDay, row.chartDay);
        EXPECT_FLOAT_EQ(state.ChartHour, row.chartHour);
        EXPECT_DOUBLE_EQ(state.ChartHourDecimal, row.chartHour + readLeniently(QString::fromLatin1(row.minute)) / 60);
        EXPECT_NEAR(state.ChartJulianDay, row.julianDay, 1e-9);
        EXPECT_NEAR(state.ChartLongitude, row.east ? 19.1166666666667 : -19.1166666666667, 1e-12);
        EXPECT_NEAR(state.ChartLatitude, row.south ? -47.5833333333333 : 47.5833333333333, 1e-12);
        EXPECT_EQ(state.LongitudeSide, natal.LongitudeSide);
        for (size_t point = 1; point <= PointCount; ++point) {
            const bool moved = point == 1 || point == 10;
            EXPECT_EQ(state.ChartLon[point] != natal.ChartLon[point], moved) << point;
            EXPECT_EQ(state.PointLon[point], state.ChartLon[point]) << point;
        }
        EXPECT_EQ(state.ChartDecl, natal.ChartDecl);
    }
}

// A text that is not a number stops the moment before anything is computed, naming the
// field it came from; the year is converted before the zone, the zone before the place.
TEST(CalendarMoment, ATextThatIsNotANumberNamesItsField)
{
    const struct {
        const char *year, *zone, *longMin, *latDeg, *day;
        const char *field;
        int number;
    } rows[] = {
        {"2024x", "-1", "07", "47", " 1", "txtYear", RunError::TypeMismatch},
        {"", "", "07", "47", " 1", "txtYear", RunError::TypeMismatch},
        {"40000", "-1", "07", "47", " 1", "txtYear", RunError::Overflow},
        {"2024", "", "07", "47", " 1", "txtTZ", RunError::TypeMismatch},
        {"2024", "-", "07", "47", " 1", "txtTZ", RunError::TypeMismatch},
        {"2024", "1.2.3", "", "", " 1", "txtTZ", RunError::TypeMismatch},
        {"2024", "-1", "", "", " 1", "txtLongMin", RunError::TypeMismatch},
        {"2024", "-1", "07", "-", " 1", "txtLatDeg", RunError::TypeMismatch},
        // The argument texts come from the runs, not from a field.
        {"2024", "-1", "07", "47", "x", "", RunError::TypeMismatch},
    };
    DecimalSeparatorGuard dot(u'.');
    for (const auto &row : rows) {
        ChartState state = natalStateOf();
        state.EvalMode = EvaluationMode::Scan;
        const ChartState before = state;
        CalendarModel model;
        BirthData fields;
        fields.txtYear = QString::fromLatin1(row.year);
        fields.txtTZ = QString::fromLatin1(row.zone);
        fields.txtLongMin = QString::fromLatin1(row.longMin);
        fields.txtLatDeg = QString::fromLatin1(row.latDeg);
        try {
            EvaluateCalendarMoment(state, fields, QStringLiteral(" 1"), QString::fromLatin1(row.day),
                                   QStringLiteral(" 0"), QStringLiteral(" 0"), calendarEphemeris(), model);
            ADD_FAILURE() << "no error for field " << row.field;
        } catch (const RunError &error) {
            EXPECT_EQ(error.field(), QString::fromLatin1(row.field));
            EXPECT_EQ(error.number(), row.number) << row.field;
        }
        EXPECT_EQ(state.ChartJulianDay, before.ChartJulianDay) << row.field;
        EXPECT_EQ(state.ChartLon, before.ChartLon) << row.field;
    }
}

// The marking of a moment, with the Sun and Moon placed by hand: the scan matches whole
// degrees, the detail tenths; the Moon's sign gives the kind.
TEST(AngleMatch, WholeDegreesInTheScanTenthsInTheDetail)
{
    const struct {
        double natal;
        double sunLon, angle;
        EvaluationMode mode;
        bool matches;
    } rows[] = {
        {200.0, 10, 200.04, EvaluationMode::Scan, true},
        {200.0, 10, 199.96, EvaluationMode::Scan, true},
        {200.0, 10, 200.94, EvaluationMode::Scan, true},
        {200.0, 10, 200.97, EvaluationMode::Scan, false},
        {200.0, 10, 199.94, EvaluationMode::Scan, false},
        {123.9, 10, 123.0, EvaluationMode::Scan, true},
        {200.0, 10, 200.04, EvaluationMode::Detail, true},
        {200.0, 10, 199.96, EvaluationMode::Detail, true},
        {200.0, 10, 200.1, EvaluationMode::Detail, false},
        {200.0, 10, 199.9, EvaluationMode::Detail, false},
        // Sun and Moon together: the angle is 360, the same angle as 0.
        {360.0, 40, 0, EvaluationMode::Scan, true},
        {360.0, 40, 0, EvaluationMode::Detail, true},
        {0.0, 40, 0, EvaluationMode::Scan, true},
        // Past the new moon: a natal 360.0 meets the angles that round to 0.0 .. 0.9.
        {360.0, 40, 0.3, EvaluationMode::Scan, true},
        {360.0, 40, 0.94, EvaluationMode::Scan, true},
        {360.0, 40, 0.96, EvaluationMode::Scan, false},
        {360.0, 40, 359.94, EvaluationMode::Scan, false},
        {0.4, 40, 359.96, EvaluationMode::Scan, true},
        {360.0, 40, 0.04, EvaluationMode::Detail, true},
        {360.0, 40, 0.06, EvaluationMode::Detail, false},
        {0.0, 40, 359.96, EvaluationMode::Detail, true},
        {359.9, 40, 0.04, EvaluationMode::Detail, false},
    };
    for (const auto &row : rows) {
        ChartState state;
        state.NatalAngleRounded = row.natal;
        state.EvalMode = row.mode;
        state.CellIndex = 5;
        state.CellTagA = QStringLiteral("1");
        state.CellTagB = QStringLiteral("6");
        state.ChartLon[1] = row.sunLon;
        state.ChartLon[10] = row.sunLon + row.angle;
        CalendarModel model;
        model.resetDays();
        model.resetHours();
        EvaluateChart(state, &model);
        SCOPED_TRACE(testing::Message() << "natal " << row.natal << " angle " << row.angle << " mode " << static_cast<int>(row.mode));
        if (row.mode == EvaluationMode::Scan) {
            EXPECT_EQ(state.PhaseDayFound == -1, row.matches);
            EXPECT_EQ(model.days[5].dayClass != DayClass::NotFertile, row.matches);
        } else {
            EXPECT_EQ(model.hours[5] == HourClass::Match, row.matches);
            EXPECT_EQ(model.days[5].dayClass, DayClass::NotFertile);
        }
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
    EXPECT_EQ(CalendarYearOf(QStringLiteral(" 2024 ")), 2024);

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
        EXPECT_EQ(days3[1], (DetailDay{static_cast<double>(row.year), row.month, row.day}));
        EXPECT_EQ(days3[2], row.after) << row.year << " " << row.month << "/" << row.day;
    }
    EXPECT_THROW(DetailDays(2026, 2, 29), std::out_of_range);
    EXPECT_THROW(DetailDays(2024, 13, 1), std::out_of_range);
    EXPECT_THROW(DetailDays(2024, 4, 0), std::out_of_range);
}

TEST(DateOfTag, MonthAndDayOfATag)
{
    const struct {
        const char *tag;
        float month, day;
    } rows[] = {{"1-5-", 1, 5}, {"1225", 12, 25}, {"125-", 12, 5}, {"3-15", 3, 15}, {"6-9-", 6, 9}, {"1231", 12, 31}};
    for (const auto &row : rows) {
        const TagDate date = DateOfTag(QString::fromLatin1(row.tag));
        EXPECT_EQ(date.month, row.month) << row.tag;
        EXPECT_EQ(date.day, row.day) << row.tag;
    }
}
