#include "io/chartfile/codepage.h"
#include "io/chartfile/value_list.h"

#include <gtest/gtest.h>

#include <chrono>
#include <limits>

using namespace ferolune;

namespace ferolune {
void PrintTo(const ChartValue &v, std::ostream *out)
{
    *out << int(v.kind) << ':' << v.text.toStdString() << ':' << v.number << ':' << v.truth;
}
} // namespace ferolune

namespace {

constexpr qsizetype AllValues = std::numeric_limits<qsizetype>::max();
ChartValue T(const char *utf8) { return ChartValue::ofText(QString::fromUtf8(utf8)); }
ChartValue N(double value) { return ChartValue::ofNumber(value); }
const ChartValue E = ChartValue::empty();
const ChartValue True = ChartValue::ofTruth(true);
const ChartValue False = ChartValue::ofTruth(false);

} // namespace

TEST(ReadDelimitedValues, FollowsTheListWritersForm)
{
    const struct {
        const char *input;
        std::vector<ChartValue> values;
    } rows[] = {
        {"", {}},
        {"1,2\r\n3\n4\r5\r\n", {N(1), N(2), N(3), N(4), N(5)}},
        {" \t1,\t 2  ,x\t", {N(1), N(2), T("x")}},
        {"\"a, b \",\"two\r\nlines\",\"\"", {T("a, b "), T("two\r\nlines"), T("")}},
        {"\"a\"junk,b\"c\",\"open", {T("a"), T("b\"c\""), T("open")}},
        {"#TRUE#,#FALSE#,#true#,#NULL#", {True, False, True, T("#NULL#")}},
        {"1,,2\r\n\r\n3,\r\n4", {N(1), E, N(2), E, N(3), E, N(4)}},
        {"1,   ", {N(1), E}},
        {"1\r\n   ", {N(1)}},
        {"035,\"035\",-1,+7,7.5,.5,5.,1E+3", {N(35), T("035"), N(-1), N(7), N(7.5), N(0.5), N(5), N(1000)}},
        {"1.2.3,12abc,-,.,1e,1 2,1E+400", {T("1.2.3"), T("12abc"), T("-"), T("."), T("1e"), T("1 2"), T("1E+400")}},
    };
    for (const auto &row : rows)
        EXPECT_EQ(ReadDelimitedValues(QString::fromUtf8(row.input), AllValues), row.values) << row.input;
    EXPECT_EQ(ReadDelimitedValues(u"1,2,\"3\",4", 2), (std::vector{N(1), N(2)}));
}

TEST(ReadDelimitedValues, TakesLinearTime)
{
    // A million characters of each awkward shape; a reader that went back over the text
    // for every value would not finish in any reasonable time.
    for (const char *pattern : {",", "\r\n", " ", "\"", "7", "\"a\"x", "#TRUE#,", "\t,"}) {
        QString input;
        while (input.size() < 1024 * 1024)
            input += QString::fromLatin1(pattern);
        const auto start = std::chrono::steady_clock::now();
        ReadDelimitedValues(input, AllValues);
        EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 20.0) << pattern;
    }
}

TEST(DecodeWindows1250, GivesTheHungarianLettersLikeIconv)
{
    const QByteArray hungarian("\xf5\xfb\xe1\xe9\xed\xf3\xf6\xfa\xfc \xd5\xdb\xc1\xc9\xcd\xd3\xd6\xda\xdc");
    EXPECT_EQ(DecodeWindows1250(hungarian), QStringLiteral("őűáéíóöúü ŐŰÁÉÍÓÖÚÜ"));

    // Qt's converter and the iconv fallback agree on every byte the code page defines.
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const QString qt = DecodeWindows1250(all);
    const QString iconv = DecodeWindows1250WithIconv(all);
    ASSERT_EQ(qt.size(), 256);
    ASSERT_EQ(iconv.size(), 256);
    for (int b = 0; b < 256; ++b) {
        if (iconv[b] != QChar::ReplacementCharacter) {
            EXPECT_EQ(qt[b], iconv[b]) << "byte " << b;
        }
    }
}
