#include "chartfile/codepage.h"
#include "chartfile/value_list.h"
#include "support/locale_guard.h"

#include <gtest/gtest.h>

#include <chrono>
#include <iconv.h>
#include <limits>

using namespace ferolune;
using ferolune::test::DecimalSeparatorGuard;

namespace {

constexpr qsizetype AllValues = std::numeric_limits<qsizetype>::max();

ChartValue text(const char *utf8)
{
    return ChartValue::ofText(QString::fromUtf8(utf8));
}

ChartValue number(double value)
{
    return ChartValue::ofNumber(value);
}

const ChartValue Empty = ChartValue::empty();
const ChartValue True = ChartValue::ofTruth(true);
const ChartValue False = ChartValue::ofTruth(false);

std::string describe(const std::vector<ChartValue> &values)
{
    std::string out;
    for (const ChartValue &v : values) {
        switch (v.kind) {
        case ChartValue::Kind::Empty:
            out += "<empty>";
            break;
        case ChartValue::Kind::Text:
            out += '"' + v.text.toStdString() + '"';
            break;
        case ChartValue::Kind::Number:
            out += std::to_string(v.number);
            break;
        case ChartValue::Kind::Truth:
            out += v.truth ? "#TRUE#" : "#FALSE#";
            break;
        }
        out += ' ';
    }
    return out;
}

} // namespace

TEST(ReadDelimitedValues, FollowsTheListWritersForm)
{
    const struct {
        const char *input;
        std::vector<ChartValue> values;
    } rows[] = {
        {"", {}},
        {"1,2", {number(1), number(2)}},
        {"1\r\n2\r\n", {number(1), number(2)}},
        {"1\n2\n", {number(1), number(2)}},
        {"1\r2", {number(1), number(2)}},
        {" \t1,\t 2", {number(1), number(2)}},
        {"12  ,x\t", {number(12), text("x")}},
        {"\"a, b \",c", {text("a, b "), text("c")}},
        {"\"two\r\nlines\"", {text("two\r\nlines")}},
        {"\"\",1", {text(""), number(1)}},
        {"\"open to the end", {text("open to the end")}},
        {"\"a\"junk,b", {text("a"), text("b")}},
        {"a\"b\",c", {text("a\"b\""), text("c")}},
        {"#TRUE#,#FALSE#,#true#", {True, False, True}},
        {"#NULL#,#1973-05-17#", {text("#NULL#"), text("#1973-05-17#")}},
        {"1,,2", {number(1), Empty, number(2)}},
        {",", {Empty, Empty}},
        {"1,\r\n2", {number(1), Empty, number(2)}},
        {"1\r\n\r\n2", {number(1), Empty, number(2)}},
        {"1,   ", {number(1), Empty}},
        {"1\r\n   ", {number(1)}},
        {"035,\"035\"", {number(35), text("035")}},
        {"-1,+7,7.5,.5,5.,1E+3,2e-1", {number(-1), number(7), number(7.5), number(0.5), number(5), number(1000),
                                       number(0.2)}},
        {"1.2.3,12abc,-,.,1e,e5,1 2", {text("1.2.3"), text("12abc"), text("-"), text("."), text("1e"), text("e5"),
                                       text("1 2")}},
        {"1E+400", {text("1E+400")}},
        {"Őrző Kálmánné", {text("Őrző Kálmánné")}},
    };
    for (const auto &row : rows) {
        const auto values = ReadDelimitedValues(QString::fromUtf8(row.input), AllValues);
        EXPECT_EQ(values, row.values) << row.input << " gave " << describe(values);
    }
}

TEST(ReadDelimitedValues, StopsAfterTheValuesAskedFor)
{
    const QString input = QStringLiteral("1,2,\"3\",4\r\n5");
    EXPECT_EQ(ReadDelimitedValues(input, 0), std::vector<ChartValue>{});
    EXPECT_EQ(ReadDelimitedValues(input, 3), (std::vector<ChartValue>{number(1), number(2), text("3")}));
    EXPECT_EQ(ReadDelimitedValues(input, 9).size(), 5u);
}

TEST(FieldText, StoresEachKindAsTheFieldsHoldIt)
{
    const struct {
        QChar separator;
        ChartValue value;
        const char *field;
    } rows[] = {
        {u'.', number(35), "35"},     {u'.', number(7.5), "7.5"},   {u',', number(7.5), "7,5"},
        {u',', number(-1), "-1"},     {u'.', number(1e20), "1E+20"}, {u'.', number(-0.0), "0"},
        {u',', text("7.5"), "7.5"},   {u'.', text("035"), "035"},    {u'.', True, "True"},
        {u'.', False, "False"},       {u'.', Empty, ""},
    };
    for (const auto &row : rows) {
        DecimalSeparatorGuard guard(row.separator);
        EXPECT_EQ(FieldText(row.value), QString::fromUtf8(row.field)) << row.field;
    }
}

TEST(ReadDelimitedValues, TakesLinearTime)
{
    // A million characters of each awkward shape; a reader that went back over the text
    // for every value would not finish in any reasonable time.
    constexpr qsizetype Size = 1024 * 1024;
    const char *patterns[] = {",", "\r\n", " ", "\"", "7", "\"a\"x", "1\r", "#TRUE#,", "\t,"};
    for (const char *pattern : patterns) {
        QString input;
        while (input.size() < Size)
            input += QString::fromLatin1(pattern);
        const auto start = std::chrono::steady_clock::now();
        const auto values = ReadDelimitedValues(input, AllValues);
        const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_LT(seconds, 20.0) << pattern;
        EXPECT_LE(static_cast<qsizetype>(values.size()), input.size() + 1) << pattern;
    }
}

TEST(DecodeWindows1250, GivesTheHungarianLetters)
{
    // ő ű á é í ó ö ú ü and their capitals, as Windows-1250 writes them.
    const QByteArray bytes("\xf5\xfb\xe1\xe9\xed\xf3\xf6\xfa\xfc \xd5\xdb\xc1\xc9\xcd\xd3\xd6\xda\xdc");
    EXPECT_EQ(DecodeWindows1250(bytes), QStringLiteral("őűáéíóöúü ŐŰÁÉÍÓÖÚÜ"));
    EXPECT_EQ(DecodeWindows1250WithIconv(bytes), QStringLiteral("őűáéíóöúü ŐŰÁÉÍÓÖÚÜ"));
}

TEST(DecodeWindows1250, BothDecodersAgreeOnEveryDefinedByte)
{
    // The five bytes Windows-1250 leaves undefined come out differently (ICU keeps them
    // as control characters, iconv replaces them); every other byte must agree.
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const QString qt = DecodeWindows1250(all);
    const QString iconv = DecodeWindows1250WithIconv(all);
    ASSERT_EQ(qt.size(), 256);
    ASSERT_EQ(iconv.size(), 256);
    for (int b = 0; b < 256; ++b) {
        if (iconv[b] == QChar::ReplacementCharacter)
            continue;
        EXPECT_EQ(qt[b], iconv[b]) << "byte " << b;
    }
    EXPECT_EQ(qt[0x8a], QChar(0x0160)); // Š
}
