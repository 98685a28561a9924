#pragma once

// The rules of the birth fields as the user edits them, as plain functions on the form:
// the hour shown on the 24-hour clock against the 12-hour hour and meridiem the chart
// reads, the summer-time box and the east/west options against the zone, which typed
// characters each field takes, and which values keep the focus in a field that is left.
// The main window and the chart file import both apply them.

#include "core/chart/birth_rules.h"
#include "core/common/result.h"
#include "core/common/run_error.h"
#include "io/form/birth_form.h"

#include <QChar>
#include <QString>

namespace ferolune {

// The hour shown (24-hour) to the 12-hour pair: below 12 the text is copied unchanged
// with "DE", otherwise v - 12 with "DU". The 12-hour hour is normalised as it is written.
void Hour24To12(BirthForm &form);

// The 12-hour pair to the hour shown: 12 "DE" shows 0, 12 "DU" 12, h "DU" h + 12, h "DE"
// unchanged.
void Hour12To24(BirthForm &form);

// Writes the 12-hour hour and runs its change rule, as every write of that field does:
// 0 becomes 12 (meridiem kept); above 12 it loses 12 until it is 12 or less and "DU" is
// selected; a text that is not a number is kept as it is.
void SetBirthHour(BirthForm &form, const QString &text);

// The summer-time box was toggled to `newState` by the user: 1 lowers the zone by an
// hour, any other state raises it. The zone is read leniently (an empty zone is 0). An
// overflow when the result cannot be written.
Expected<void, RunError> SummerTimeStep(BirthForm &form, int newState);

// The user chose east (zone made -|z|) or west (|z|). A zone that is not a number is
// left as it is.
void SideStep(BirthForm &form, bool east);

// Whether a character typed into `field` reaches it. A field with a character set takes
// its characters and backspace and discards every other control character; a field
// without one (the name, the hour shown, the calendar year, the places) takes everything.
bool AcceptsTypedCharacter(BirthField field, QChar typed);

// `text` as `field` takes it when it is pasted or dropped: the characters typing would put
// into the field, in their order (no control characters in a field with a set).
QString AcceptedText(BirthField field, const QString &text);

// The message that keeps the focus in `field` when it is left holding `text`, or an empty
// text when the value may leave. The value is read leniently, so an empty month passes as
// 0 and "12abc" reads as 12.
QString LeavingMessage(BirthField field, const QString &text);

// How a message names the field: "A születési nap", "Az időzóna" ...
QString FieldInWords(BirthField field);

} // namespace ferolune
