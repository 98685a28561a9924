#pragma once

// The number and text rules every part of the program shares. Field texts are kept
// exactly as typed; they become numbers only through these functions.

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <string>

namespace ferolune {

// The user's decimal separator, from the system locale (QLocale's default locale, so
// tests can switch it with QLocale::setDefault).
QString userDecimalSeparator();

// Leading number of a text: blanks are ignored wherever they stand, then an optional
// sign, digits and "." as decimal point are read up to the first other character.
// A text without a leading number gives 0. Never fails.
double readLeniently(const QString &text);

// The whole text as a plain decimal number: [+-] digits [point digits] [E [+-] digits],
// with at least one digit before the exponent, the point "." or `otherPoint` when one is
// given. The digits come back with "." as the point; none when the text is no such number.
std::optional<std::string> decimalNumberSyntax(QStringView text, QStringView otherPoint = {});

// Strict conversion of a field text: apart from blanks at either end the whole text
// must be a number. Its decimal point is the full stop, the one the program writes into
// fields, or the user's own separator (a text pasted from elsewhere). Throws RunError (type mismatch 13, or
// overflow 6 beyond the range of a double); `field` names the control in the error.
double convertToNumber(const QString &text, const QString &field = {});

// Nearest integer, halves to even; outside -32768..32767 throws overflow (6).
std::int16_t toInt16(double value, const QString &field = {});

// General number text: no leading blank, "-" for negatives, up to 15 significant
// digits, no trailing zeros, the user's decimal separator ("2,5", "-1", "1E+20").
QString numberText(double value);

// The text the program writes into an input field: numberText with the full stop as
// decimal point whatever the user's settings, so the field reads back the same number.
QString fieldNumberText(double value);

// Str-style text of a whole number: one leading blank for values >= 0 (" 3", "-3").
QString strText(double value);

// "Fixed": at least one digit before the separator, exactly two after, rounded.
QString formatFixed(double value);

// "###.0": one decimal, halves away from zero, no leading zero (0.04 gives ",0" / ".0").
QString formatOneDecimal(double value);

// The value of formatOneDecimal read back as a number: rounded to one decimal.
double roundToTenth(double value);

// "00": a whole number padded to at least two digits.
QString formatTwoDigits(double value);

// Int(): rounds toward minus infinity.
double intPart(double value);

} // namespace ferolune

namespace ferolune {

// A value rounded to 15 significant decimal digits.
double roundToSignificant15(double value);

} // namespace ferolune
