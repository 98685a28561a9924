#pragma once

// The values a calendar run takes from the form, read once at its start: the birth record
// and the calendar year as numbers. A field the run cannot read is found here and named as
// the window names it, so that the message and the focus can go to it.

#include "chart/birth_data.h"
#include "chart/birth_record.h"

#include <QString>

#include <variant>

namespace ferolune {

struct FieldProblem {
    QString field;        // the control whose text fails ("txtDay", "txtBirthHour", "Text3" ...)
    QString focusControl; // the control the user corrects it in ("Text1" for the hidden hour)
    QString message;      // Hungarian, names the field in words
};

struct RunValues {
    BirthRecord birth;
    int calendarYear = 0;
};

// The birth record and the calendar year, or the first field, in the order the user fills
// them, whose text is not a number or is a date part beyond 16 bits.
std::variant<RunValues, FieldProblem> ReadRunValues(const BirthData &fields, const QString &calendarYearText);

// The message for a conversion failure of `field` (a control name as RunError carries it);
// `overflow` for a number beyond the range of the field rather than no number at all.
QString UnreadableFieldMessage(const QString &field, bool overflow);

} // namespace ferolune
