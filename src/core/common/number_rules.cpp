#include "core/common/number_rules.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <string>

namespace ferolune {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Parses a plain decimal number written with "." (already checked by the caller).
double parseDecimal(const std::string &digits, bool *outOfRange = nullptr)
{
    double value = 0;
    const char *begin = digits.data();
    if (!digits.empty() && digits.front() == '+')
        ++begin;
    auto [ptr, ec] = std::from_chars(begin, digits.data() + digits.size(), value);
    if (outOfRange)
        *outOfRange = ec == std::errc::result_out_of_range;
    return ec == std::errc() ? value : 0.0;
}

// The C library's number formatting follows the process locale, which the application
// sets from the environment (a decimal comma on a Hungarian desktop); to_chars and
// from_chars always use the full stop.
std::string scientific14(double value)
{
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    return std::string(buf, result.ptr);
}

// "%.15G": up to 15 significant digits, no trailing zeros, "1E+20" for large values.
std::string general15(double value)
{
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    std::string text(buf, result.ptr);
    for (char &c : text) // "E+20", "INF" as printf's %G writes them
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// Whether a number text that from_chars found out of range lies beyond the largest
// double (as opposed to below the smallest): its mantissa's magnitude times the power.
bool beyondLargestDouble(const std::string &number)
{
    const auto e = number.find('e');
    bool mantissaOutOfRange = false;
    const double mantissa = std::fabs(parseDecimal(number.substr(0, e), &mantissaOutOfRange));
    if (mantissaOutOfRange)
        return true; // a mantissa without an exponent can only be too large
    if (e == std::string::npos || mantissa == 0)
        return false;
    const std::string power = number.substr(e + 1);
    const char *begin = power.data() + (!power.empty() && power.front() == '+' ? 1 : 0);
    long long exponent = 0;
    if (std::from_chars(begin, power.data() + power.size(), exponent).ec != std::errc())
        return power.front() != '-'; // an exponent beyond 64 bits decides alone
    return std::log10(mantissa) + static_cast<double>(exponent) > 0;
}

// The decimal digits of a value rounded to 15 significant digits, then rounded half
// away from zero to `decimals` places. Working on decimal digits keeps 7.335 at 7.34
// where binary arithmetic would give 7.33.
struct FixedDigits {
    bool negative = false;
    std::string integerDigits; // without leading zeros, may be empty
    std::string fraction;      // exactly `decimals` digits
};

FixedDigits roundDecimal(double value, int decimals)
{
    FixedDigits out;
    if (!std::isfinite(value))
        value = 0;
    const std::string buf = scientific14(std::fabs(value)); // d.dddddddddddddde[+-]xx
    std::string mantissa;
    mantissa += buf[0];
    mantissa.append(buf, 2, 14);
    const int exponent = std::stoi(buf.substr(buf.find('e') + 1));

    // Digit k of the mantissa has weight 10^(exponent - k). Build the digits from the
    // largest integer place down to 10^-decimals, then round on the next one.
    const int highest = std::max(exponent, 0);
    std::string digits;
    auto digitAt = [&](int power) -> char {
        const int k = exponent - power;
        return (k >= 0 && k < static_cast<int>(mantissa.size())) ? mantissa[k] : '0';
    };
    for (int power = highest; power >= -decimals; --power)
        digits += digitAt(power);
    if (digitAt(-decimals - 1) >= '5') {
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i >= 0)
            ++digits[i];
        else
            digits.insert(digits.begin(), '1');
    }
    out.fraction = digits.substr(digits.size() - decimals);
    out.integerDigits = digits.substr(0, digits.size() - decimals);
    const auto firstNonZero = out.integerDigits.find_first_not_of('0');
    out.integerDigits = firstNonZero == std::string::npos ? std::string() : out.integerDigits.substr(firstNonZero);
    const bool isZero = out.integerDigits.empty() && out.fraction.find_first_not_of('0') == std::string::npos;
    out.negative = value < 0 && !isZero;
    return out;
}

QString joinDigits(const FixedDigits &d, bool leadingZero, const QString &separator)
{
    QString text;
    if (d.negative)
        text += u'-';
    if (!d.integerDigits.empty())
        text += QString::fromLatin1(d.integerDigits.c_str());
    else if (leadingZero)
        text += u'0';
    if (!d.fraction.empty())
        text += separator + QString::fromLatin1(d.fraction.c_str());
    return text;
}

} // namespace

QString userDecimalSeparator()
{
    return QLocale().decimalPoint();
}

double readLeniently(const QString &text)
{
    std::string number;
    bool sawPoint = false;
    bool sawDigit = false;
    for (QChar c : text) {
        if (isBlank(c))
            continue;
        if ((c == u'-' || c == u'+') && number.empty()) {
            number += static_cast<char>(c.unicode());
        } else if (c >= u'0' && c <= u'9') {
            number += static_cast<char>(c.unicode());
            sawDigit = true;
        } else if (c == u'.' && !sawPoint) {
            number += '.';
            sawPoint = true;
        } else {
            break;
        }
    }
    if (!sawDigit)
        return 0.0;
    bool outOfRange = false;
    const double value = parseDecimal(number, &outOfRange);
    if (outOfRange)
        return number.front() == '-' ? -HUGE_VAL : HUGE_VAL;
    return value;
}

std::optional<std::string> decimalNumberSyntax(QStringView text, QStringView otherPoint)
{
    std::string number;
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && (text[i] == u'-' || text[i] == u'+'))
        number += static_cast<char>(text[i++].unicode());
    auto takeDigits = [&] {
        int count = 0;
        while (i < n && text[i] >= u'0' && text[i] <= u'9') {
            number += static_cast<char>(text[i++].unicode());
            ++count;
        }
        return count;
    };
    int mantissaDigits = takeDigits();
    if (i < n && text[i] == u'.') {
        ++i;
        number += '.';
        mantissaDigits += takeDigits();
    } else if (!otherPoint.isEmpty() && text.mid(i).startsWith(otherPoint)) {
        i += otherPoint.size();
        number += '.';
        mantissaDigits += takeDigits();
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        number += 'e';
        ++i;
        if (i < n && (text[i] == u'-' || text[i] == u'+'))
            number += static_cast<char>(text[i++].unicode());
        if (takeDigits() == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    return number;
}

Expected<double, RunError> convertToNumber(const QString &text)
{
    const std::optional<std::string> number = decimalNumberSyntax(QStringView(text).trimmed(), userDecimalSeparator());
    if (!number)
        return Unexpected(RunError::typeMismatch());
    bool outOfRange = false;
    const double value = parseDecimal(*number, &outOfRange);
    if (outOfRange && beyondLargestDouble(*number))
        return Unexpected(RunError::overflow());
    return value;
}

Expected<std::int16_t, RunError> toInt16(double value)
{
    const double rounded = std::nearbyint(value); // the default rounding mode: halves to even
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        return Unexpected(RunError::overflow());
    return static_cast<std::int16_t>(rounded);
}

QString fieldNumberText(double value)
{
    if (value == 0 || std::isnan(value))
        return QStringLiteral("0");
    return QString::fromStdString(general15(value));
}

QString numberText(double value)
{
    QString text = fieldNumberText(value);
    text.replace(u'.', userDecimalSeparator());
    return text;
}

QString formatFixed(double value)
{
    return joinDigits(roundDecimal(value, 2), true, userDecimalSeparator());
}

double roundToTenth(double value)
{
    const FixedDigits d = roundDecimal(value, 1);
    std::string number = d.negative ? "-" : "";
    number += d.integerDigits.empty() ? "0" : d.integerDigits;
    number += '.' + d.fraction;
    return parseDecimal(number);
}

QString formatTwoDigits(double value)
{
    const FixedDigits d = roundDecimal(value, 0);
    QString digits = QString::fromLatin1(d.integerDigits.c_str());
    while (digits.size() < 2)
        digits.prepend(u'0');
    return d.negative ? u'-' + digits : digits;
}

double intPart(double value)
{
    return std::floor(value);
}

} // namespace ferolune

namespace ferolune {

double roundToSignificant15(double value)
{
    if (!std::isfinite(value) || value == 0)
        return value;
    return parseDecimal(scientific14(value));
}

} // namespace ferolune
