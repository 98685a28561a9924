#include "chart/birth_fields.h"
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
        {"0", "12", true},  {"12", "12", false}, {"13", "1", false},  {"23", "11", false}, {"7", "7", true},
        {"07", "07", true}, {"", "", true},      {"abc", "abc", true}, {"12.5", "0,5", false},
    };
    DecimalSeparatorGuard comma(u',');
    for (const auto &row : rows) {
        BirthData fields;
        fields.optAM = !row.am;
        fields.Text1 = QString::fromUtf8(row.text1);
        Hour24To12(fields);
        EXPECT_EQ(fields.txtBirthHour, QString::fromUtf8(row.hidden)) << row.text1;
        EXPECT_EQ(fields.optAM, row.am) << row.text1;
    }
}

TEST(HourCoupling, Hour12To24)
{
    const struct {
        const char *hidden;
        bool am;
        const char *text1;
    } rows[] = {{"12", true, "0"}, {"12", false, "12"}, {"1", false, "13"}, {"11", true, "11"}, {"09", true, "09"},
                {"3", false, "15"}};
    for (const auto &row : rows) {
        BirthData fields;
        fields.txtBirthHour = QString::fromUtf8(row.hidden);
        fields.optAM = row.am;
        Hour12To24(fields);
        EXPECT_EQ(fields.Text1, QString::fromUtf8(row.text1)) << row.hidden;
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
        {"0", true, "12", true}, {"0", false, "12", false}, {"13", true, "1", false}, {"24", true, "12", false},
        {"36", true, "12", false}, {"12", true, "12", true}, {"5", true, "5", true},   {"-3", true, "-3", true},
        {"x", true, "x", true},  {"", false, "", false},
    };
    DecimalSeparatorGuard dot(u'.');
    for (const auto &row : rows) {
        BirthData fields;
        fields.optAM = row.amBefore;
        SetBirthHour(fields, QString::fromUtf8(row.written));
        EXPECT_EQ(fields.txtBirthHour, QString::fromUtf8(row.hidden)) << row.written;
        EXPECT_EQ(fields.optAM, row.am) << row.written;
    }
}

TEST(ZoneCoupling, SummerTimeAndSides)
{
    DecimalSeparatorGuard dot(u'.');
    BirthData fields;
    SummerTimeStep(fields, 1);
    EXPECT_EQ(fields.txtTZ, QStringLiteral("-2"));
    SummerTimeStep(fields, 0);
    EXPECT_EQ(fields.txtTZ, QStringLiteral("-1"));
    fields.txtTZ = QStringLiteral("5");
    SummerTimeStep(fields, 1);
    EXPECT_EQ(fields.txtTZ, QStringLiteral("4"));
    fields.txtTZ = QString();
    SummerTimeStep(fields, 1);
    EXPECT_EQ(fields.txtTZ, QStringLiteral("-1"));

    const struct {
        const char *zone;
        bool east;
        const char *after;
    } sides[] = {{"1", true, "-1"}, {"-1", false, "1"}, {"-2", false, "2"}, {"-1", true, "-1"}, {"", false, ""},
                 {"-", true, "-"}};
    for (const auto &row : sides) {
        fields.txtTZ = QString::fromUtf8(row.zone);
        SideStep(fields, row.east);
        EXPECT_EQ(fields.txtTZ, QString::fromUtf8(row.after)) << row.zone;
    }
}
