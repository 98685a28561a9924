#include "io/form/form_rules.h"
#include "support/locale_guard.h"

#include <gtest/gtest.h>

using namespace ferolune;
using ferolune::test::DecimalSeparatorGuard;

TEST(HourCoupling, Hour24To12)
{
    const struct {
        const char *text1;
        const char *hidden;
        bool am;
    } rows[] = {
        {"0", "12", true},      {"12", "12", false},       {"13", "1", false},   {"23", "11", false},
        {"7", "7", true},       {"07", "07", true},        {"", "", true},       {"abc", "abc", true},
        {"12.5", "0.5", false}, {"23.75", "11.75", false}, {"6.5", "6.5", true},
    };
    for (const auto &row : rows) {
        BirthForm fields;
        fields.beforeNoon = !row.am;
        fields.hour = QString::fromUtf8(row.text1);
        Hour24To12(fields);
        EXPECT_EQ(fields.hour12, QString::fromUtf8(row.hidden)) << row.text1;
        EXPECT_EQ(fields.beforeNoon, row.am) << row.text1;
    }
}

TEST(HourCoupling, Hour12To24)
{
    const struct {
        const char *hidden;
        bool am;
        const char *text1;
    } rows[] = {{"12", true, "0"},      {"12", false, "12"},   {"1", false, "13"},
                {"11", true, "11"},     {"09", true, "09"},    {"3", false, "15"},
                {"0.5", false, "12.5"}, {"12.5", true, "0.5"}, {"11.75", false, "23.75"}};
    for (const auto &row : rows) {
        BirthForm fields;
        fields.hour12 = QString::fromUtf8(row.hidden);
        fields.beforeNoon = row.am;
        Hour12To24(fields);
        EXPECT_EQ(fields.hour, QString::fromUtf8(row.text1)) << row.hidden;
    }
}

TEST(HourCoupling, WritingTheHiddenHourNormalisesIt)
{
    const struct {
        const char *written;
        bool amBefore;
        const char *hidden;
        bool am;
    } rows[] = {
        {"0", true, "12", true},   {"0", false, "12", false}, {"13", true, "1", false},     {"24", true, "12", false},
        {"36", true, "12", false}, {"12", true, "12", true},  {"5", true, "5", true},       {"-3", true, "-3", true},
        {"x", true, "x", true},    {"", false, "", false},    {"13.5", true, "1.5", false}, {"0.0", true, "12", true},
    };
    for (const auto &row : rows) {
        BirthForm fields;
        fields.beforeNoon = row.amBefore;
        SetBirthHour(fields, QString::fromUtf8(row.written));
        EXPECT_EQ(fields.hour12, QString::fromUtf8(row.hidden)) << row.written;
        EXPECT_EQ(fields.beforeNoon, row.am) << row.written;
    }
}

// The zone is written back with the full stop whatever the user's settings, so a
// half-hour zone survives any number of steps.
TEST(ZoneCoupling, SummerTimeAndSides)
{
    const struct {
        const char *zone;
        const char *steps; // "+" box cleared, "-" box ticked, "E" east, "W" west
        const char *after;
    } rows[] = {
        {"-1", "-", "-2"},        {"-2", "+", "-1"},      {"5", "-", "4"},
        {"", "-", "-1"},          {"1", "E", "-1"},       {"-1", "W", "1"},
        {"-2", "W", "2"},         {"-1", "E", "-1"},      {"", "W", ""},
        {"-", "E", "-"},          {"5.5", "-", "4.5"},    {"5.5", "-+-+-+", "5.5"},
        {"5.5", "EW", "5.5"},     {"5.5", "E-W+", "7.5"}, {"-5.5", "WEWEWE", "-5.5"},
        {"3.25", "--", "1.25"},   {"0.5", "-", "-0.5"},   {"-0.5", "+W", "0.5"},
        {"12.75", "E", "-12.75"},
    };
    for (const auto &row : rows) {
        BirthForm fields;
        fields.zoneText = QString::fromUtf8(row.zone);
        for (const char *step = row.steps; *step; ++step) {
            if (*step == '+' || *step == '-')
                EXPECT_TRUE(SummerTimeStep(fields, *step == '-' ? 1 : 0).has_value());
            else
                SideStep(fields, *step == 'E');
        }
        EXPECT_EQ(fields.zoneText, QString::fromUtf8(row.after)) << row.zone << " " << row.steps;
    }
}

// A zone pasted with the user's own separator is taken by the side step and written
// back with the full stop.
TEST(ZoneCoupling, PastedCommaZone)
{
    DecimalSeparatorGuard comma(u',');
    BirthForm fields;
    fields.zoneText = QStringLiteral("5,5");
    SideStep(fields, true);
    EXPECT_EQ(fields.zoneText, QStringLiteral("-5.5"));
}
