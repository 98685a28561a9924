#include "calendar/calendar_moment.h"
#include "calendar/calendar_run.h"
#include "calendar/fixed_year.h"
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

// Chart moment, universal hour and Julian day of moments given as the runs give them.
TEST(CalendarMoment, TextsBecomeTheUniversalMoment)
{
    const struct {
        const char *year, *month, *day, *hour, *minute, *zone;
        int chartDay;
        float chartHour;
        double julianDay;
    } rows[] = {
        // A zone that pushes the first moment of the year into the previous day.
        {"2026", " 1", " 1", " 0", " 0", "-1", 1, -1, julianDayOf(2025, 12, 31, 23)},
        {"2026", " 3", " 15", " 22", " 50", "-2", 15, 20, julianDayOf(2026, 3, 15, 20 + 50 / 60.0)},
        // A December day number above 31 is a day of January of the next year.
        {"2026", " 12", " 32", " 0", " 0", "0", 32, 0, julianDayOf(2027, 1, 1, 0)},
        {"2026", " 12", " 31", " 23", " 30", "5.5", 31, 28.5, julianDayOf(2027, 1, 1, 5)},
    };
    DecimalSeparatorGuard dot(u'.');
    for (const auto &row : rows) {
        ChartState state = natalStateOf();
        state.EvalMode = EvalModeScan;
        CalendarModel model;
        BirthData fields;
        fields.txtYear = QString::fromLatin1(row.year);
        fields.txtTZ = QString::fromLatin1(row.zone);
        EvaluateCalendarMoment(state, fields, QString::fromLatin1(row.month), QString::fromLatin1(row.day),
                               QString::fromLatin1(row.hour), QString::fromLatin1(row.minute), calendarEphemeris(),
                               model);
        SCOPED_TRACE(std::string(row.month) + "/" + row.day + " " + row.hour + ":" + row.minute + " zone " + row.zone);
        EXPECT_EQ(state.ChartDay, row.chartDay);
        EXPECT_FLOAT_EQ(state.ChartHour, row.chartHour);
        EXPECT_NEAR(state.ChartJulianDay, row.julianDay, 1e-9);
        EXPECT_DOUBLE_EQ(state.ChartHourDecimal, row.chartHour + readLeniently(QString::fromLatin1(row.minute)) / 60);
    }
}

TEST(CalendarMoment, OnlyTheSunAndMoonOfTheChartChange)
{
    DecimalSeparatorGuard dot(u'.');
    const ChartState natal = natalStateOf();
    ChartState state = natal;
    state.EvalMode = EvalModeScan;
    CalendarModel model;
    BirthData fields;
    fields.txtYear = QStringLiteral("2026");
    EvaluateCalendarMoment(state, fields, QStringLiteral(" 6"), QStringLiteral(" 9"), QStringLiteral(" 12"),
                           QStringLiteral(" 0"), calendarEphemeris(), model);
    EXPECT_NE(state.ChartLon[1], natal.ChartLon[1]);
    EXPECT_NE(state.ChartLon[10], natal.ChartLon[10]);
    EXPECT_EQ(state.PointLon[1], state.ChartLon[1]);
    EXPECT_EQ(state.PointLon[10], state.ChartLon[10]);
    for (size_t point = 1; point <= PointCount; ++point) {
        if (point != 1 && point != 10) {
            EXPECT_EQ(state.ChartLon[point], natal.ChartLon[point]) << point;
        }
    }
    EXPECT_EQ(state.ChartDecl, natal.ChartDecl);
    EXPECT_EQ(state.LongitudeSide, natal.LongitudeSide);
    EXPECT_EQ(state.BirthYear, 2026);
    EXPECT_EQ(state.BirthMonth, 6);
    EXPECT_EQ(state.BirthDay, 9);
}

// The place enters neither the Sun nor the Moon: two places, one verdict.
TEST(CalendarMoment, ThePlaceSignsButDoesNotMoveTheBodies)
{
    const struct {
        bool east, south;
        double longitude, latitude;
    } rows[] = {
        {true, false, 19.1166666666667, 47.5833333333333},
        {false, true, -19.1166666666667, -47.5833333333333},
    };
    DecimalSeparatorGuard dot(u'.');
    double sun = 0, moon = 0;
    for (const auto &row : rows) {
        ChartState state = natalStateOf();
        state.EvalMode = EvalModeScan;
        CalendarModel model;
        BirthData fields;
        fields.txtYear = QStringLiteral("2026");
        fields.optEast = row.east;
        fields.optSouth = row.south;
        EvaluateCalendarMoment(state, fields, QStringLiteral(" 2"), QStringLiteral(" 3"), QStringLiteral(" 4"),
                               QStringLiteral(" 5"), calendarEphemeris(), model);
        EXPECT_NEAR(state.ChartLongitude, row.longitude, 1e-12);
        EXPECT_NEAR(state.ChartLatitude, row.latitude, 1e-12);
        EXPECT_EQ(state.LongitudeDM < 0, row.east);
        EXPECT_EQ(state.LatitudeDM < 0, row.south);
        if (sun != 0) {
            EXPECT_EQ(state.PointLon[1], sun);
            EXPECT_EQ(state.PointLon[10], moon);
        }
        sun = state.PointLon[1];
        moon = state.PointLon[10];
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
        state.EvalMode = EvalModeScan;
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

TEST(CalendarMoment, TheUserDecimalSeparatorAppliesToTheZone)
{
    DecimalSeparatorGuard comma(u',');
    ChartState state = natalStateOf();
    state.EvalMode = EvalModeScan;
    CalendarModel model;
    BirthData fields;
    fields.txtYear = QStringLiteral("2026");
    fields.txtTZ = QStringLiteral("-1,5");
    EvaluateCalendarMoment(state, fields, QStringLiteral(" 1"), QStringLiteral(" 2"), QStringLiteral(" 4"),
                           QStringLiteral(" 0"), calendarEphemeris(), model);
    EXPECT_FLOAT_EQ(state.ChartHour, 2.5f);
    fields.txtTZ = QStringLiteral("-1.5");
    EXPECT_THROW(EvaluateCalendarMoment(state, fields, QStringLiteral(" 1"), QStringLiteral(" 2"),
                                        QStringLiteral(" 4"), QStringLiteral(" 0"), calendarEphemeris(), model),
                 RunError);
}

// Beyond its data files and its built-in ephemeris the library leaves no position: the
// moment fails and nothing is marked from it.
TEST(CalendarMoment, AYearBeyondTheLibraryThrows)
{
    DecimalSeparatorGuard dot(u'.');
    ChartState state = natalStateOf();
    state.EvalMode = EvalModeScan;
    const ChartState before = state;
    CalendarModel model;
    model.resetDays();
    BirthData fields;
    fields.txtYear = QStringLiteral("3500");
    EXPECT_THROW(EvaluateCalendarMoment(state, fields, QStringLiteral(" 1"), QStringLiteral(" 1"),
                                        QStringLiteral(" 0"), QStringLiteral(" 0"), calendarEphemeris(), model),
                 EphemerisError);
    calendarEphemeris().close();
    EXPECT_EQ(state.PointLon, before.PointLon);
    EXPECT_EQ(state.PhaseDayFound, 0);
}

// The marking of a moment, with the Sun and Moon placed by hand: the scan matches whole
// degrees, the detail tenths; the Moon's sign gives the kind.
TEST(AngleMatch, WholeDegreesInTheScanTenthsInTheDetail)
{
    const struct {
        double natal;
        double sunLon, angle;
        float mode;
        bool matches;
    } rows[] = {
        {200.0, 10, 200.04, EvalModeScan, true},
        {200.0, 10, 199.96, EvalModeScan, true},
        {200.0, 10, 200.94, EvalModeScan, true},
        {200.0, 10, 200.97, EvalModeScan, false},
        {200.0, 10, 199.94, EvalModeScan, false},
        {123.9, 10, 123.0, EvalModeScan, true},
        {200.0, 10, 200.04, EvalModeDetail, true},
        {200.0, 10, 199.96, EvalModeDetail, true},
        {200.0, 10, 200.1, EvalModeDetail, false},
        {200.0, 10, 199.9, EvalModeDetail, false},
        // Sun and Moon together: the angle is 360, not 0.
        {360.0, 40, 0, EvalModeScan, true},
        {360.0, 40, 0, EvalModeDetail, true},
        {0.0, 40, 0, EvalModeScan, false},
    };
    for (const auto &row : rows) {
        ChartState state;
        state.NatalAngleRounded = state.NatalAngleRounded2 = row.natal;
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
        SCOPED_TRACE(testing::Message() << "natal " << row.natal << " angle " << row.angle << " mode " << row.mode);
        if (row.mode == EvalModeScan) {
            EXPECT_EQ(state.PhaseDayFound == -1, row.matches);
            EXPECT_EQ(model.days[5].dayClass != DayClass::NotFertile, row.matches);
        } else {
            EXPECT_EQ(model.hours[5] == HourClass::Match, row.matches);
            EXPECT_EQ(model.days[5].dayClass, DayClass::NotFertile);
        }
    }
}

TEST(AngleMatch, KindTagAndFertileDaysOfAMatch)
{
    const struct {
        int cell;
        const char *month, *day;
        double moonLon;
        DayClass kind;
        const char *tag;
        int firstFertile; // cells firstFertile .. cell - 1 turn yellow
    } rows[] = {
        {0, "1", "1", 45, DayClass::PhaseGirl, "1-1-", 0},   // BIKA, nothing before 1 January
        {1, "1", "2", 75, DayClass::PhaseBoy, "1-2-", 0},    // IKREK
        {2, "1", "3", 75, DayClass::PhaseBoy, "1-3-", 0},
        {4, "1", "5", 75, DayClass::PhaseBoy, "1-5-", 1},
        {73, "3", "15", 345, DayClass::PhaseGirl, "3-15", 70}, // HALAK
        {338, "12", "5", 5, DayClass::PhaseBoy, "125-", 335},  // KOS
        {358, "12", "25", 5, DayClass::PhaseBoy, "1225", 355},
    };
    for (const auto &row : rows) {
        ChartState state;
        state.EvalMode = EvalModeScan;
        state.CellIndex = static_cast<float>(row.cell);
        state.CellTagA = QString::fromLatin1(row.month);
        state.CellTagB = QString::fromLatin1(row.day);
        state.ChartLon[10] = row.moonLon;
        state.ChartLon[1] = Normalize360(row.moonLon - 100);
        state.NatalAngleRounded = state.NatalAngleRounded2 = 100;
        CalendarModel model;
        model.resetDays();
        EvaluateChart(state, &model);
        SCOPED_TRACE(row.tag);
        for (int k = 0; k < CalendarModel::DayCount; ++k) {
            const DayCell &cell = model.days[static_cast<size_t>(k)];
            const DayClass expected = k == row.cell                              ? row.kind
                                      : (k >= row.firstFertile && k < row.cell) ? DayClass::Fertile
                                                                                : DayClass::NotFertile;
            EXPECT_EQ(cell.dayClass, expected) << k;
            EXPECT_EQ(cell.customPointer, k == row.cell) << k;
            EXPECT_EQ(cell.tag, k == row.cell ? QString::fromLatin1(row.tag) : QString()) << k;
        }
    }
}

TEST(FixedYear, DaysOfTheYearAndTheirNeighbours)
{
    const struct {
        int dayOfYear;
        MonthDay date;
    } days[] = {{1, {1, 1}},    {31, {1, 31}},   {32, {2, 1}},    {59, {2, 28}},
                {60, {3, 1}},   {90, {3, 31}},   {335, {12, 1}}, {365, {12, 31}}};
    for (const auto &row : days)
        EXPECT_EQ(DateOfDayOfYear(row.dayOfYear), row.date) << row.dayOfYear;
    EXPECT_THROW(DateOfDayOfYear(0), std::out_of_range);
    EXPECT_THROW(DateOfDayOfYear(366), std::out_of_range);

    const struct {
        int year, month, day;
        DetailDay before, after;
    } neighbours[] = {
        {2024, 1, 1, {2023, 12, 31}, {2024, 1, 2}},
        {2024, 12, 31, {2024, 12, 30}, {2025, 1, 1}},
        {2024, 2, 28, {2024, 2, 27}, {2024, 3, 1}}, // no 29 February, in a leap year too
        {2024, 3, 1, {2024, 2, 28}, {2024, 3, 2}},
        {2026, 4, 30, {2026, 4, 29}, {2026, 5, 1}},
        {2026, 5, 31, {2026, 5, 30}, {2026, 6, 1}},
        {2026, 5, 1, {2026, 4, 30}, {2026, 5, 2}},
    };
    for (const auto &row : neighbours) {
        const auto days3 = DetailDays(row.year, row.month, row.day);
        EXPECT_EQ(days3[0], row.before) << row.month << "/" << row.day;
        EXPECT_EQ(days3[1], (DetailDay{static_cast<double>(row.year), row.month, row.day}));
        EXPECT_EQ(days3[2], row.after) << row.month << "/" << row.day;
    }
    EXPECT_THROW(DetailDays(2024, 2, 29), std::out_of_range);
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
