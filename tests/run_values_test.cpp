#include "core/chart/birth_moment.h"
#include "core/calendar/run_fields.h"
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

// The first field, in the order the user fills them, that keeps a run from starting is
// named with the control the user corrects it in, and its message (the birth is 26
// February 1973).
TEST(RunValues, AFieldTheRunCannotTakeIsNamed)
{
    const QString notANumber = QStringLiteral(" mezőjében nem szám áll. Kérem, javítsa ki!");
    const QString zone = QStringLiteral("Helytelen időzóna! Az időzóna -15 és 15 óra között lehet.");
    const QString longitude = QStringLiteral("Helytelen földrajzi hosszúság! A hosszúság legfeljebb 180° lehet.");
    const QString uncertainty =
        QStringLiteral("Helytelen „± PERC”! A születési idő bizonytalansága 0 és 180 perc között lehet.");
    const struct {
        QString BirthData::*member; // null for the calendar year
        const char *text, *field, *focus;
        QString message;
    } rows[] = {
        {&BirthData::txtDay, "", "txtDay", "txtDay", "A születési nap" + notANumber},
        {&BirthData::txtYear, "40000", "txtYear", "txtYear",
         QStringLiteral("A születési év mezőjében túl nagy vagy túl kicsi szám áll.")},
        {&BirthData::txtYear, "19x3", "txtYear", "txtYear", "A születési év" + notANumber},
        {&BirthData::txtBirthHour, "", "txtBirthHour", "Text1", "A születési óra" + notANumber},
        {&BirthData::txtBirthMinute, "5 0", "txtBirthMinute", "txtBirthMinute", "A születési perc" + notANumber},
        {&BirthData::txtTZ, "-", "txtTZ", "txtTZ", "Az időzóna" + notANumber},
        {&BirthData::txtLongMin, "0..7", "txtLongMin", "txtLongMin", "A földrajzi hosszúság percének" + notANumber},
        {&BirthData::txtLatDeg, "", "txtLatDeg", "txtLatDeg", "A földrajzi szélesség fokának" + notANumber},
        {nullptr, "2024x", "Text3", "Text3", "A naptár évének (piros)" + notANumber},
        {nullptr, "", "Text3", "Text3", "A naptár évének (piros)" + notANumber},
        {&BirthData::txtDay, "30", "txtDay", "txtDay", QStringLiteral("Helytelen nap!")},
        {&BirthData::txtDay, "29", "txtDay", "txtDay", QStringLiteral("Helytelen nap!")},
        {&BirthData::txtMonth, "0", "txtMonth", "txtMonth", QStringLiteral("Helytelen hónap!")},
        {&BirthData::txtYear, "0", "txtYear", "txtYear", QStringLiteral("Helytelen születési év!")},
        {&BirthData::Text1, "25", "Text1", "Text1", QStringLiteral("Helytelen óra!")},
        {&BirthData::txtTZ, "99", "txtTZ", "txtTZ", zone},
        {&BirthData::txtTZ, "1e300", "txtTZ", "txtTZ", zone},
        {&BirthData::txtLongDeg, "180", "txtLongDeg", "txtLongDeg", longitude},
        {&BirthData::txtLatDeg, "91", "txtLatDeg", "txtLatDeg",
         QStringLiteral("Helytelen földrajzi szélesség! A szélesség legfeljebb 90° lehet.")},
        {&BirthData::txtLatMin, "99", "txtLatMin", "txtLatMin",
         QStringLiteral("Helytelen földrajzi szélesség! A perc legfeljebb 59 lehet.")},
        {nullptr, "12000", "Text3", "Text3", QStringLiteral("Helytelen év!")},
        {&BirthData::txtUncertainty, "181", "txtUncertainty", "txtUncertainty", uncertainty},
        {&BirthData::txtUncertainty, "-1", "txtUncertainty", "txtUncertainty", uncertainty},
        {&BirthData::txtUncertainty, "abc", "txtUncertainty", "txtUncertainty", uncertainty}, // from a file
        {&BirthData::txtUncertainty, "15.5", "txtUncertainty", "txtUncertainty", uncertainty},
    };
    DecimalSeparatorGuard dot(u'.');
    for (const auto &row : rows) {
        BirthData fields;
        QByteArray calendarYear = "2026";
        if (row.member)
            fields.*row.member = QString::fromUtf8(row.text);
        else
            calendarYear = row.text;
        const std::variant<RunValues, FieldProblem> values = readFields(fields, calendarYear.constData());
        const FieldProblem *problem = std::get_if<FieldProblem>(&values);
        ASSERT_TRUE(problem) << row.field << " " << row.text;
        EXPECT_EQ(problem->field, QString::fromUtf8(row.field));
        EXPECT_EQ(problem->focusControl, QString::fromUtf8(row.focus));
        EXPECT_EQ(problem->message, row.message) << row.field << " " << row.text;
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
