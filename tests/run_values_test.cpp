#include "chart/birth_moment.h"
#include "chart/run_values.h"
#include "support/locale_guard.h"

#include <gtest/gtest.h>

using namespace ferolune;
using ferolune::test::DecimalSeparatorGuard;

namespace {

std::variant<RunValues, FieldProblem> readFields(const BirthData &fields, const char *calendarYear = "2026")
{
    return ReadRunValues(fields, QString::fromLatin1(calendarYear));
}

BirthRecord recordOf(const BirthData &fields)
{
    const std::variant<RunValues, FieldProblem> values = readFields(fields);
    if (const FieldProblem *problem = std::get_if<FieldProblem>(&values))
        throw std::invalid_argument(problem->field.toStdString());
    return std::get<RunValues>(values).birth;
}

// The universal hour of the birth, in single precision as the chart takes it.
float universalHourOf(const BirthData &fields)
{
    const BirthRecord birth = recordOf(fields);
    return birth.zoneHours + birth.hour;
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
        EXPECT_FLOAT_EQ(universalHourOf(fields), row.chartHour) << row.hour << (row.am ? " DE" : " DU");
    }
}

TEST(BirthMoment, DefaultFieldsGiveTenToTwoUniversalTime)
{
    const std::variant<RunValues, FieldProblem> values = readFields(BirthData{}, "2027");
    ASSERT_TRUE(std::holds_alternative<RunValues>(values));
    EXPECT_EQ(std::get<RunValues>(values).calendarYear, 2027);
    const BirthRecord birth = std::get<RunValues>(values).birth;
    EXPECT_EQ(birth.year, 1973);
    EXPECT_EQ(birth.month, 2);
    EXPECT_EQ(birth.day, 26);
    EXPECT_FLOAT_EQ(birth.zoneHours + birth.hour, 1);
    EXPECT_FLOAT_EQ(birth.minute, 50);
    EXPECT_NEAR(birth.longitude, 19.1166666666667, 1e-12);
    EXPECT_NEAR(birth.latitude, 47.5833333333333, 1e-12);
}

TEST(BirthMoment, HemispheresSignThePlace)
{
    BirthData west;
    west.optEast = false;
    EXPECT_NEAR(recordOf(west).longitude, -19.1166666666667, 1e-12);

    BirthData south;
    south.optSouth = true;
    EXPECT_NEAR(recordOf(south).latitude, -47.5833333333333, 1e-12);

    // A negated zero is not below zero: 0 deg 00 min east counts as west, the place is 0 either way.
    BirthData greenwich;
    greenwich.txtLongDeg = QStringLiteral("0");
    greenwich.txtLongMin = QStringLiteral("00");
    EXPECT_EQ(recordOf(greenwich).longitude, 0.0);
}

TEST(BirthMoment, LenientHourAndMinuteIgnoreTrailingText)
{
    BirthData fields;
    fields.txtBirthMinute = QStringLiteral("30");
    fields.txtBirthHour = QStringLiteral("12");
    fields.optAM = true;
    fields.txtTZ = QStringLiteral("-1");
    EXPECT_FLOAT_EQ(universalHourOf(fields), -1); // 00:30 local with zone -1 is on the previous day
    EXPECT_FLOAT_EQ(recordOf(fields).minute, 30);
}

// The first field, in the order the user fills them, that a run cannot read is named with
// the control the user corrects it in.
TEST(RunValues, AFieldThatIsNoNumberIsNamed)
{
    const struct {
        QString BirthData::*member;
        const char *text;
        const char *calendarYear;
        const char *field, *focus;
        bool overflow;
    } rows[] = {
        {&BirthData::txtDay, "", "2026", "txtDay", "txtDay", false},
        {&BirthData::txtYear, "19x3", "2026", "txtYear", "txtYear", false},
        {&BirthData::txtMonth, " ", "2026", "txtMonth", "txtMonth", false},
        {&BirthData::txtTZ, "-", "2026", "txtTZ", "txtTZ", false},
        {&BirthData::txtBirthMinute, "", "2026", "txtBirthMinute", "txtBirthMinute", false},
        {&BirthData::txtBirthHour, "abc", "2026", "txtBirthHour", "Text1", false},
        {&BirthData::txtLongDeg, "", "2026", "txtLongDeg", "txtLongDeg", false},
        {&BirthData::txtLongMin, "1.2.3", "2026", "txtLongMin", "txtLongMin", false},
        {&BirthData::txtLatDeg, "", "2026", "txtLatDeg", "txtLatDeg", false},
        {&BirthData::txtLatMin, "", "2026", "txtLatMin", "txtLatMin", false},
        {&BirthData::txtYear, "40000", "2026", "txtYear", "txtYear", true},
        {&BirthData::txtName, "", "2024x", "Text3", "Text3", false},
        {&BirthData::txtName, "", "", "Text3", "Text3", false},
        {&BirthData::txtName, "", "99999", "Text3", "Text3", true},
        {&BirthData::txtDay, "x", "x", "txtDay", "txtDay", false},
    };
    DecimalSeparatorGuard dot(u'.');
    for (const auto &row : rows) {
        BirthData fields;
        fields.*row.member = QString::fromUtf8(row.text);
        const std::variant<RunValues, FieldProblem> values = readFields(fields, row.calendarYear);
        const FieldProblem *problem = std::get_if<FieldProblem>(&values);
        ASSERT_TRUE(problem) << row.field;
        EXPECT_EQ(problem->field, QString::fromUtf8(row.field));
        EXPECT_EQ(problem->focusControl, QString::fromUtf8(row.focus));
        EXPECT_EQ(problem->message, UnreadableFieldMessage(problem->field, row.overflow)) << row.field;
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
            EXPECT_FLOAT_EQ(universalHourOf(fields), 0.5) << row.zone;
        else
            EXPECT_TRUE(std::holds_alternative<FieldProblem>(readFields(fields))) << row.zone;
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
