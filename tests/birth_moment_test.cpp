#include "chart/birth_moment.h"
#include "common/run_error.h"
#include "support/locale_guard.h"

#include <gtest/gtest.h>

using namespace ferolune;
using ferolune::test::DecimalSeparatorGuard;

namespace {

ChartState universalMomentOf(const BirthData &fields)
{
    ChartState state;
    ReadBirthFields(state, fields);
    ComputeUniversalMoment(state, fields);
    return state;
}

} // namespace

TEST(BirthMoment, MeridiemAndZoneGiveTheUniversalHour)
{
    const struct {
        const char *hour;
        bool am;
        const char *zone;
        double chartHour;
    } rows[] = {
        {"12", true, "0", 0},   {"12", false, "0", 12}, {"7", false, "0", 19},  {"1", false, "0", 13},
        {"7", true, "0", 7},    {"2", true, "-1", 1},   {"12", true, "-1", -1}, {"11", false, "-2", 21},
        {"12.5", true, "0", 0.5}, {"09", true, "5", 14},
    };
    DecimalSeparatorGuard dot(u'.');
    for (const auto &row : rows) {
        BirthData fields;
        fields.txtBirthHour = QString::fromUtf8(row.hour);
        fields.optAM = row.am;
        fields.txtTZ = QString::fromUtf8(row.zone);
        EXPECT_FLOAT_EQ(universalMomentOf(fields).ChartHour, row.chartHour) << row.hour << (row.am ? " DE" : " DU");
    }
}

TEST(BirthMoment, DefaultFieldsGiveTenToTwoUniversalTime)
{
    const ChartState state = universalMomentOf(BirthData{});
    EXPECT_EQ(state.ChartYear, 1973);
    EXPECT_EQ(state.ChartMonth, 2);
    EXPECT_EQ(state.ChartDay, 26);
    EXPECT_FLOAT_EQ(state.ChartHour, 1);
    EXPECT_FLOAT_EQ(state.ChartMinute, 50);
    EXPECT_EQ(state.LongitudeSide, EastWest::East);
    EXPECT_EQ(state.LatitudeSide, NorthSouth::North);
    EXPECT_NEAR(state.ChartLongitude, 19.1166666666667, 1e-12);
    EXPECT_NEAR(state.ChartLatitude, 47.5833333333333, 1e-12);
}

TEST(BirthMoment, HemispheresSignThePlace)
{
    BirthData west;
    west.optEast = false;
    EXPECT_NEAR(universalMomentOf(west).ChartLongitude, -19.1166666666667, 1e-12);

    BirthData south;
    south.optSouth = true;
    const ChartState southern = universalMomentOf(south);
    EXPECT_EQ(southern.LatitudeSide, NorthSouth::South);
    EXPECT_NEAR(southern.ChartLatitude, -47.5833333333333, 1e-12);

    // A negated zero is not below zero: 0 deg 00 min east counts as "West", the place is 0 either way.
    BirthData greenwich;
    greenwich.txtLongDeg = QStringLiteral("0");
    greenwich.txtLongMin = QStringLiteral("00");
    const ChartState zero = universalMomentOf(greenwich);
    EXPECT_EQ(zero.LongitudeSide, EastWest::West);
    EXPECT_EQ(zero.ChartLongitude, 0.0);
}

TEST(BirthMoment, LenientHourAndMinuteIgnoreTrailingText)
{
    BirthData fields;
    fields.txtBirthMinute = QStringLiteral("30");
    fields.txtBirthHour = QStringLiteral("12");
    fields.optAM = true;
    fields.txtTZ = QStringLiteral("-1");
    const ChartState state = universalMomentOf(fields);
    EXPECT_FLOAT_EQ(state.ChartHour, -1); // 00:30 local with zone -1 is on the previous day
    EXPECT_FLOAT_EQ(state.ChartMinute, 30);
}

TEST(BirthMoment, AFieldThatIsNoNumberIsNamedAndNothingIsWritten)
{
    const struct {
        QString BirthData::*member;
        const char *text;
        const char *field;
        int number;
    } rows[] = {
        {&BirthData::txtDay, "", "txtDay", 13},
        {&BirthData::txtYear, "19x3", "txtYear", 13},
        {&BirthData::txtMonth, " ", "txtMonth", 13},
        {&BirthData::txtTZ, "-", "txtTZ", 13},
        {&BirthData::txtBirthMinute, "", "txtBirthMinute", 13},
        {&BirthData::txtBirthHour, "abc", "txtBirthHour", 13},
        {&BirthData::txtLongDeg, "", "txtLongDeg", 13},
        {&BirthData::txtLongMin, "1.2.3", "txtLongMin", 13},
        {&BirthData::txtLatDeg, "", "txtLatDeg", 13},
        {&BirthData::txtLatMin, "", "txtLatMin", 13},
        {&BirthData::txtYear, "40000", "txtYear", 6},
    };
    DecimalSeparatorGuard dot(u'.');
    for (const auto &row : rows) {
        BirthData fields;
        fields.*row.member = QString::fromUtf8(row.text);
        ChartState state;
        state.BirthYear = 1111;
        try {
            ReadBirthFields(state, fields);
            ADD_FAILURE() << row.field;
        } catch (const RunError &e) {
            EXPECT_EQ(e.field(), QString::fromUtf8(row.field));
            EXPECT_EQ(e.number(), row.number) << row.field;
        }
        EXPECT_EQ(state.BirthYear, 1111) << row.field;
    }
}

TEST(BirthMoment, TheFullStopAndTheUserSeparatorBothConvert)
{
    const struct {
        QChar separator;
        const char *zone;
        bool converts;
    } rows[] = {{u',', "-1,5", true}, {u',', "-1.5", true}, {u'.', "-1.5", true}, {u'.', "-1,5", false}};
    for (const auto &row : rows) {
        DecimalSeparatorGuard guard(row.separator);
        BirthData fields;
        fields.txtTZ = QString::fromUtf8(row.zone);
        if (row.converts)
            EXPECT_FLOAT_EQ(universalMomentOf(fields).ChartHour, 0.5) << row.zone;
        else
            EXPECT_THROW(universalMomentOf(fields), RunError) << row.zone;
    }
}

TEST(Normalize360, WrapsBothWays)
{
    const struct {
        double in, out;
    } rows[] = {{-10, 350}, {370, 10}, {360, 0}, {-360, 0}, {-720, 0}, {0, 0}, {359.5, 359.5}, {-1e-15, 0}, {725, 5}};
    for (const auto &row : rows) {
        const double result = Normalize360(row.in);
        EXPECT_NEAR(result, row.out, 1e-9) << row.in;
        EXPECT_GE(result, 0);
        EXPECT_LT(result, 360);
    }
}
