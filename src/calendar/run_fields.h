#pragma once

// The texts a calendar run converts to numbers, checked before the run starts, so that a
// run never begins with a field it cannot read.

#include "chart/birth_data.h"

#include <QString>

#include <optional>

namespace ferolune {

struct FieldProblem {
    QString field;        // the control whose text fails ("txtDay", "txtBirthHour", "Text3" ...)
    QString focusControl; // the control the user corrects it in ("Text1" for the hidden hour)
    QString message;      // Hungarian, names the field in words
};

// The first field, in the order the user fills them, whose text the natal chart or the
// calendar moments cannot convert: not a number, or a date part beyond 16 bits.
std::optional<FieldProblem> FindUnreadableField(const BirthData &fields, const QString &calendarYearText);

// The message for a conversion failure of `field` (a control name as RunError carries it);
// `overflow` for a number beyond the range of the field rather than no number at all.
QString UnreadableFieldMessage(const QString &field, bool overflow);

} // namespace ferolune
