#include "io/chartfile/value_list.h"

#include "core/common/number_rules.h"

#include <charconv>
#include <optional>
#include <string>

namespace ferolune {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

bool endsValue(QChar c)
{
    return c == u',' || isLineEnd(c);
}

// The number an unquoted token stands for; none when it is not a number or lies beyond
// the range of a double (such a token stays text).
std::optional<double> plainNumber(QStringView token)
{
    const std::optional<std::string> digits = decimalNumberSyntax(token);
    if (!digits)
        return std::nullopt;
    const char *begin = digits->data();
    const char *end = begin + digits->size();
    if (*begin == '+')
        ++begin;
    double value = 0;
    const auto [stop, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

ChartValue unquotedValue(QStringView token)
{
    if (token.isEmpty())
        return ChartValue::empty();
    if (token.compare(u"#TRUE#", Qt::CaseInsensitive) == 0)
        return ChartValue::ofTruth(true);
    if (token.compare(u"#FALSE#", Qt::CaseInsensitive) == 0)
        return ChartValue::ofTruth(false);
    if (const std::optional<double> number = plainNumber(token))
        return ChartValue::ofNumber(*number);
    return ChartValue::ofText(token.toString());
}

// Reads the value that starts at `pos` (blanks already skipped) and leaves `pos` on the
// separator after it, or at the end of the text.
ChartValue readValue(QStringView text, qsizetype &pos)
{
    if (text[pos] == u'"') {
        const qsizetype close = text.indexOf(u'"', pos + 1);
        const qsizetype end = close < 0 ? text.size() : close;
        ChartValue value = ChartValue::ofText(text.sliced(pos + 1, end - pos - 1).toString());
        pos = close < 0 ? text.size() : close + 1;
        // The writer puts nothing between the closing quote and the separator; anything
        // found there is not part of any value.
        while (pos < text.size() && !endsValue(text[pos]))
            ++pos;
        return value;
    }
    const qsizetype start = pos;
    while (pos < text.size() && !endsValue(text[pos]))
        ++pos;
    qsizetype end = pos;
    while (end > start && isBlank(text[end - 1]))
        --end;
    return unquotedValue(text.sliced(start, end - start));
}

// Steps over the separator at `pos`: a comma, or one line end (CR LF, CR or LF).
// Returns true for a comma, which promises one more value even at the end of the text.
bool skipSeparator(QStringView text, qsizetype &pos)
{
    if (pos >= text.size())
        return false;
    if (text[pos] == u',') {
        ++pos;
        return true;
    }
    if (text[pos] == u'\r' && pos + 1 < text.size() && text[pos + 1] == u'\n')
        ++pos;
    ++pos;
    return false;
}

} // namespace

std::vector<ChartValue> ReadDelimitedValues(QStringView text, qsizetype maxValues)
{
    std::vector<ChartValue> values;
    qsizetype pos = 0;
    bool afterComma = false;
    while (static_cast<qsizetype>(values.size()) < maxValues) {
        while (pos < text.size() && isBlank(text[pos]))
            ++pos;
        if (pos >= text.size()) {
            if (afterComma)
                values.push_back(ChartValue::empty());
            break;
        }
        values.push_back(readValue(text, pos));
        afterComma = skipSeparator(text, pos);
    }
    return values;
}

QString FieldText(const ChartValue &value)
{
    switch (value.kind) {
    case ChartValue::Kind::Text:
        return value.text;
    case ChartValue::Kind::Number:
        return fieldNumberText(value.number);
    case ChartValue::Kind::Truth:
        return value.truth ? QStringLiteral("True") : QStringLiteral("False");
    case ChartValue::Kind::Empty:
        break;
    }
    return {};
}

} // namespace ferolune
