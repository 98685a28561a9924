#pragma once

// The delimited value list chart files are written in: values separated by commas or
// line ends, texts in double quotes, the truth values #TRUE# and #FALSE#, numbers with
// "." as decimal point, and empty values where two separators meet.

#include <QString>
#include <QStringView>

#include <vector>

namespace ferolune {

// One value of the list, typed as the list writer wrote it.
struct ChartValue {
    enum class Kind { Empty, Text, Number, Truth };

    Kind kind = Kind::Empty;
    QString text;       // Kind::Text: the characters, quotes removed
    double number = 0;  // Kind::Number
    bool truth = false; // Kind::Truth

    static ChartValue empty() { return {}; }
    static ChartValue ofText(QString text) { return {Kind::Text, std::move(text), 0, false}; }
    static ChartValue ofNumber(double number) { return {Kind::Number, {}, number, false}; }
    static ChartValue ofTruth(bool truth) { return {Kind::Truth, {}, 0, truth}; }

    bool operator==(const ChartValue &) const = default;
};

// The first `maxValues` values of `text` (fewer when the text ends sooner). One pass over
// the text: the work grows with its length only, whatever it holds.
std::vector<ChartValue> ReadDelimitedValues(QStringView text, qsizetype maxValues);

// The text a birth field receives for a value: a text unchanged, a number as its number
// text with the full stop (035 gives "35", -5.5 "-5.5"), a truth value "True" or
// "False", an empty value "".
QString FieldText(const ChartValue &value);

} // namespace ferolune
