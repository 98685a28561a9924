#include "core/common/number_rules.h"
#include "core/common/run_error.h"
#include "support/locale_guard.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace ferolune;
using ferolune::test::DecimalSeparatorGuard;

TEST(ReadLeniently, TakesTheLeadingNumberAndNeverFails)
{
    const struct {
        const char *text;
        double value;
    } rows[] = {
        {"", 0},        {"abc", 0},      {"12abc", 12},   {" 1 2 ", 12},  {"-5", -5},    {"- 5", -5},
        {"+7", 7},      {"1.2.3", 1.2},  {"58.5", 58.5},  {"035", 35},    {".5", 0.5},   {"-", 0},
        {"--5", 0},     {"5-", 5},       {"1,5", 1},      {"\t3\n", 3},   {"7 DE", 7},   {"1e3", 1},
    };
    DecimalSeparatorGuard comma(u','); // the lenient reading ignores the user's settings
    for (const auto &row : rows)
        EXPECT_DOUBLE_EQ(readLeniently(QString::fromUtf8(row.text)), row.value) << row.text;
}

TEST(ConvertToNumber, TakesTheFullStopAndTheUserSeparator)
{
    const struct {
        QChar separator;
        const char *text;
        bool ok;
        double value;
    } rows[] = {
        {u'.', "2.5", true, 2.5},   {u',', "2,5", true, 2.5},   {u',', "2.5", true, 2.5},
        {u'.', "2,5", false, 0},    {u'.', " -1 ", true, -1},   {u'.', "+3", true, 3},
        {u'.', "", false, 0},       {u'.', "  ", false, 0},     {u'.', "-", false, 0},
        {u'.', "12abc", false, 0},  {u'.', "1.2.3", false, 0},  {u'.', ".5", true, 0.5},
        {u'.', "5.", true, 5},      {u'.', "1e3", true, 1000},  {u'.', "1 2", false, 0},
        {u',', "-0,5", true, -0.5}, {u'.', "035", true, 35},    {u',', "-5.5", true, -5.5},
        {u',', "1.5,5", false, 0},  {u',', "1,5.5", false, 0},  {u',', ",5", true, 0.5},
        {u',', "1,5e2", true, 150}, {u',', "1e-400", true, 0},  {u'.', "-1.5e-400", true, 0},
    };
    for (const auto &row : rows) {
        DecimalSeparatorGuard guard(row.separator);
        const QString text = QString::fromUtf8(row.text);
        const Expected<double, RunError> value = convertToNumber(text);
        ASSERT_EQ(value.has_value(), row.ok) << row.text;
        if (row.ok) {
            EXPECT_DOUBLE_EQ(*value, row.value) << row.text;
        } else {
            EXPECT_EQ(value.error().number, 13) << row.text;
            EXPECT_EQ(value.error().description, QStringLiteral("Type mismatch"));
        }
    }
}

TEST(ConvertToNumber, BeyondADoubleIsAnOverflow)
{
    const QString huge(400, QLatin1Char('9'));
    for (const QString &text : {QStringLiteral("1e400"), QStringLiteral("-1.5e309"), huge, QStringLiteral("0.01e311"),
                                QStringLiteral("1e99999999999999999999")}) {
        for (const QChar separator : {u'.', u','}) {
            DecimalSeparatorGuard guard(separator);
            const Expected<double, RunError> value = convertToNumber(text);
            ASSERT_FALSE(value.has_value()) << qPrintable(text);
            EXPECT_EQ(value.error().number, 6) << qPrintable(text);
        }
    }
}

TEST(ToInt16, RoundsHalvesToEvenAndOverflowsOutside16Bits)
{
    const struct {
        double value;
        int whole;
    } rows[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {2.4999, 2}, {32767.4, 32767}, {-32768, -32768}};
    for (const auto &row : rows)
        EXPECT_EQ(*toInt16(row.value), row.whole) << row.value;
    for (double bad : {32767.5, 32768.0, -32769.0, 1e10, std::nan("")}) {
        const Expected<std::int16_t, RunError> whole = toInt16(bad);
        ASSERT_FALSE(whole.has_value()) << bad;
        EXPECT_EQ(whole.error().procedureMessage(QStringLiteral("Form_Load of Form frmMain")),
                  QStringLiteral("Error 6 (Overflow) in procedure Form_Load of Form frmMain"));
    }
}

// Shown texts follow the user's settings; texts written into fields always use the
// full stop, so the strict and the lenient reading both read them back.
TEST(NumberText, ShortestFormShownAndInFields)
{
    const struct {
        QChar separator;
        double value;
        const char *shown;
        const char *field;
    } rows[] = {
        {u'.', 280.2, "280.2", "280.2"},
        {u',', 280.2, "280,2", "280.2"},
        {u'.', 360, "360", "360"},
        {u',', -1, "-1", "-1"},
        {u',', 0.5, "0,5", "0.5"},
        {u',', -5.5, "-5,5", "-5.5"},
        {u'.', 0, "0", "0"},
        {u',', -0.0, "0", "0"},
        {u',', 1.0 / 3, "0,333333333333333", "0.333333333333333"},
        {u',', 1e20, "1E+20", "1E+20"},
        {u',', 1.5e-7, "1,5E-07", "1.5E-07"},
        {u'.', 12, "12", "12"},
        {u',', 2023, "2023", "2023"},
    };
    for (const auto &row : rows) {
        DecimalSeparatorGuard guard(row.separator);
        EXPECT_EQ(numberText(row.value), QString::fromUtf8(row.shown)) << row.value;
        const QString field = fieldNumberText(row.value);
        EXPECT_EQ(field, QString::fromUtf8(row.field)) << row.value;
        EXPECT_EQ(*convertToNumber(field), roundToSignificant15(row.value)) << row.value;
        if (!field.contains(u'E')) {
            EXPECT_EQ(readLeniently(field), roundToSignificant15(row.value)) << row.value;
        }
    }
}

TEST(FormatPatterns, RoundHalfAwayOnDecimalDigits)
{
    const struct {
        QChar separator;
        double value;
        const char *fixed;
        double tenth;
    } rows[] = {
        {u'.', 7.33, "7.33", 7.3},       {u',', 7.33, "7,33", 7.3},          {u'.', 7.335, "7.34", 7.3},
        {u'.', 29.996, "30.00", 30},     {u'.', 0.5, "0.50", 0.5},           {u'.', 0.04, "0.04", 0},
        {u'.', 123.46, "123.46", 123.5}, {u'.', 359.96, "359.96", 360},      {u'.', 200.05, "200.05", 200.1},
        {u'.', 0.25, "0.25", 0.3},       {u'.', 1234.56, "1234.56", 1234.6}, {u'.', -0.001, "0.00", 0},
    };
    for (const auto &row : rows) {
        DecimalSeparatorGuard guard(row.separator);
        EXPECT_EQ(formatFixed(row.value), QString::fromUtf8(row.fixed)) << row.value;
        EXPECT_DOUBLE_EQ(roundToTenth(row.value), row.tenth) << row.value;
    }
}

TEST(FormatPatterns, TwoDigitPad)
{
    EXPECT_EQ(formatTwoDigits(5), QStringLiteral("05"));
    EXPECT_EQ(formatTwoDigits(0), QStringLiteral("00"));
    EXPECT_EQ(formatTwoDigits(23), QStringLiteral("23"));
    EXPECT_EQ(formatTwoDigits(123), QStringLiteral("123"));
}
