#pragma once

// The editing rules of the birth-data fields and of the calendar year: which typed
// characters a field takes, and which values keep the focus in it when it is left.
// Fields are named by their controls ("txtMonth", "Text1", "Text3" ...).

#include <QChar>
#include <QString>

namespace ferolune {

// Whether a character typed into `control` reaches the field. A field with a character
// set takes its characters and backspace and discards every other control character;
// a field without one (the name, the visible hour, the calendar year) takes everything.
bool acceptsTypedCharacter(const QString &control, QChar typed);

// The message that keeps the focus in `control` when it is left holding `text`, or an
// empty text when the value may leave. The value is read leniently, so an empty month
// passes as 0 and "12abc" reads as 12.
QString rangeMessage(const QString &control, const QString &text);

} // namespace ferolune
