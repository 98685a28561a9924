#pragma once

// The one reading of the birth form: its texts become typed values here and nowhere else,
// with the program's number rules (a date part, the 12-hour hour, the zone and the
// coordinates converted strictly, the hour shown and the minute read leniently). The
// first field, in the order the user fills them, that a run cannot use is reported: a
// text that is no number, a date part beyond 16 bits, or a value beyond the run's bounds.

#include "core/chart/birth_rules.h"
#include "core/common/result.h"
#include "io/form/birth_form.h"

#include <QString>

#include <cstdint>

namespace ferolune {

// The local date and clock time of the form.
struct FormMoment {
    std::int16_t year = 0;
    std::int16_t month = 0;
    std::int16_t day = 0;
    double shownHour = 0; // the hour the field shows
    double hour = 0;      // the 12-hour hour with its meridiem on the 24-hour clock: what the chart reads
    double minute = 0;
};

// The birth date and clock time alone, which a birthplace needs before it can tell the zone.
Expected<FormMoment, FieldProblem> ReadBirthMoment(const BirthForm &form);

// The birth and the calendar year a run computes.
Expected<CheckedRun, FieldProblem> ReadRunForm(const BirthForm &form, const QString &calendarYearText);

// The message for a text of `field` that is no number (or, with `overflow`, a number
// beyond the range of the field).
QString UnreadableFieldMessage(BirthField field, bool overflow);

} // namespace ferolune
