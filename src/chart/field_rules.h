#pragma once

// The text fields of the birth record and the calendar year, in one table: their control
// names, how messages name them, which typed characters they take, which values keep the
// focus in them when they are left, and how the computation reads them. Fields are named
// by their controls ("txtMonth", "Text1", "Text3" ...).

#include "chart/birth_data.h"

#include <QChar>
#include <QString>

#include <optional>
#include <vector>

namespace ferolune {

enum class Field {
    txtName,
    txtYear,
    txtMonth,
    txtDay,
    Text1,
    txtBirthHour,
    txtBirthMinute,
    txtTZ,
    txtLongDeg,
    txtLongMin,
    txtLatDeg,
    txtLatMin,
    Text3,
};

// The control of a field, as the windows name it and RunError carries it.
QString controlName(Field field);

// Whether a character typed into `control` reaches the field. A field with a character
// set takes its characters and backspace and discards every other control character;
// a field without one (the name, the visible hour, the calendar year) takes everything.
bool acceptsTypedCharacter(const QString &control, QChar typed);

// The message that keeps the focus in `control` when it is left holding `text`, or an
// empty text when the value may leave. The value is read leniently, so an empty month
// passes as 0 and "12abc" reads as 12.
QString rangeMessage(const QString &control, const QString &text);

// The control the user edits to correct `control` (the hidden 12-hour hour is set from Text1).
QString focusControlOf(const QString &control);

// How a message names the field: "A születési nap", "Az időzóna" ...; "Az egyik" for none.
QString fieldInWords(const QString &control);

// A text the natal chart and the calendar moments convert to a number, in the order the
// user fills the fields.
struct ConvertedText {
    QString control;
    QString text;
    bool wholeNumber; // rounded to a 16-bit integer by the computation
};
std::vector<ConvertedText> ConvertedTexts(const BirthData &fields, const QString &calendarYearText);

} // namespace ferolune
