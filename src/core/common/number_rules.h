#pragma once

// The number and text rules every part of the program shares. Field texts are kept
// exactly as typed; they become numbers only through these functions.

#include "core/common/result.h"
#include "core/common/run_error.h"

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
// fields, or the user's own separator (a text pasted from elsewhere). A type mismatch when
// it is no number, an overflow beyond the range of a double.
Expected<double, RunError> convertToNumber(const QString &text);

// Nearest integer, halves to even; an overflow outside -32768..32767.
Expected<std::int16_t, RunError> toInt16(double value);

// General number text: no leading blank, "-" for negatives, up to 15 significant
// digits, no trailing zeros, the user's decimal separator ("2,5", "-1", "1E+20").
QString numberText(double value);

// The text the program writes into an input field: numberText with the full stop as
// decimal point whatever the user's settings, so the field reads back the same number.
QString fieldNumberText(double value);

// "Fixed": at least one digit before the separator, exactly two after, rounded.
QString formatFixed(double value);

// A value rounded to one decimal, halves away from zero, as its decimal digits are (7.35
// gives 7.4 where binary arithmetic would give 7.3).
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
