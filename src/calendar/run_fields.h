#pragma once

// The texts a calendar run reads, checked before the run starts, so that a run never
// begins with a field it cannot read or a birth that never was. The window, the command
// line and the files brought in by either are all checked here.

#include "chart/birth_data.h"

#include <QString>

#include <optional>

namespace ferolune {

struct FieldProblem {
    QString field;        // the control whose text fails ("txtDay", "txtBirthHour", "Text3" ...)
    QString focusControl; // the control the user corrects it in ("Text1" for the hidden hour)
    QString message;      // Hungarian, names the field
};

// The first field, in the order the user fills them, that keeps a calendar run from
// starting: a text the natal chart or the calendar moments cannot convert (not a number,
// or a date part beyond 16 bits), a value beyond the field's bounds (a zone beyond 15
// hours, a longitude beyond 180°, minutes above 59 ...), or a birth date the calendar
// does not have (30 February, month 0, day 0, a year before 1), which gets the message
// of its field ("Helytelen nap!").
std::optional<FieldProblem> FindFieldProblem(const BirthData &fields, const QString &calendarYearText);

// The same for the birth date and clock time alone, which a birthplace needs before it
// can tell the zone.
std::optional<FieldProblem> FindBirthMomentProblem(const BirthData &fields);

// The message for a conversion failure of `field` (a control name as RunError carries it);
// `overflow` for a number beyond the range of the field rather than no number at all.
QString UnreadableFieldMessage(const QString &field, bool overflow);

} // namespace ferolune
