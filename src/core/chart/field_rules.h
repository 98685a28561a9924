#pragma once

// The text fields of the birth record and the calendar year, in one table: their control
// names, how messages name them, which typed characters they take, which values keep the
// focus in them when they are left, and how the computation reads them. Fields are named
// by their controls ("txtMonth", "Text1", "Text3" ...).

#include "core/chart/birth_data.h"

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
    txtUncertainty,
};

// The control of a field, as the windows name it and RunError carries it.
QString controlName(Field field);

// Whether a character typed into `control` reaches the field. A field with a character
// set takes its characters and backspace and discards every other control character;
// a field without one (the name, the visible hour, the calendar year) takes everything.
bool acceptsTypedCharacter(const QString &control, QChar typed);

// `text` as `control` takes it when it is pasted or dropped: the characters typing would
// put into the field, in their order (no control characters in a field with a set).
QString acceptedText(const QString &control, const QString &text);

// The message that keeps the focus in `control` when it is left holding `text`, or an
// empty text when the value may leave. The value is read leniently, so an empty month
// passes as 0 and "12abc" reads as 12.
QString rangeMessage(const QString &control, const QString &text);

// The control the user edits to correct `control` (the hidden 12-hour hour is set from Text1).
QString focusControlOf(const QString &control);

// How a message names the field: "A születési nap", "Az időzóna" ...; "Az egyik" for none.
QString fieldInWords(const QString &control);

// The message that keeps a calendar run from starting with `value` in `field`, or an
// empty text. The value is the one the computation reads (a date part rounded to a whole
// number). Stricter than the check on leaving a field: month 0 and day 0 are refused
// here, and the zone and the coordinates are bounded.
QString runRangeMessage(Field field, double value);
// The message of the bounds a run needs in `field`, for a value they refuse.
QString runBoundMessage(Field field);

// A text a calendar run reads, in the order the user fills the fields.
struct RunText {
    Field field;
    QString text;
    bool converted;   // converted strictly by the natal chart or the moments, else read leniently
    bool wholeNumber; // rounded to a 16-bit integer by the computation
};
std::vector<RunText> RunTexts(const BirthData &fields, const QString &calendarYearText);

} // namespace ferolune
