#pragma once

// The texts a calendar run reads, checked before the run starts, so that a run never
// begins with a field it cannot read or a birth that never was. The window, the command
// line and the files brought in by either are all checked here.

#include "core/chart/birth_data.h"
#include "core/calendar/calendar_run.h"
#include "core/chart/birth_record.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <variant>

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

// The values a calendar run takes from the form, read once at its start: the birth record
// and the calendar year as numbers.
struct RunValues {
    BirthRecord birth;
    int calendarYear = 0;
};

// The birth record and the calendar year, or the first problem FindFieldProblem finds.
std::variant<RunValues, FieldProblem> ReadRunValues(const BirthData &fields, const QString &calendarYearText);

// The message for a conversion failure of `field` (a control name as RunError carries it);
// `overflow` for a number beyond the range of the field rather than no number at all.
QString UnreadableFieldMessage(const QString &field, bool overflow);

// What a calendar window shows above and beside its cells.
struct CalendarHeading {
    QString yearText;  // the calendar year as typed
    QString name;      // the person's name
    QString residence; // the place of residence, empty when none
    // Without a residence the times stay on the birth zone all year, summer or not; the
    // heading says so ("az idők a születési zóna szerint (UTC+1)"). Empty with a residence.
    QString clockNote;
};

// A calendar run as the form gives it: the values it computes with, what its window shows,
// and the identity its saved files carry.
struct CalendarRun {
    BirthRecord birth;
    CalendarRequest calendar; // the natal angle is filled in by the run
    CalendarHeading heading;
    QString personIdentity;
};

// The IANA zone ("Europe/Budapest") of the place of residence a run's fields name; empty
// when the calendar keeps the zone of the zone field.
using ResidenceZoneOf = std::function<QByteArray(const PlaceChoice &)>;

// The calendar run the fields and the calendar year make, read once, or the first field it
// cannot read. The calendar is read on the clock `residenceZoneOf` finds for the place of
// residence (none: the zone field's), with her recorded `cycle` laid over it; its files'
// events carry the person's `eventKey` (PersonIdentity).
std::variant<CalendarRun, FieldProblem> CalendarRunOf(const BirthData &fields, const QString &calendarYearText,
                                                      const ResidenceZoneOf &residenceZoneOf,
                                                      const CycleHistory &cycle = {}, const QString &eventKey = {});

// A text that names the person in the events of her exported calendars: the event key of
// her saved person when there is one, so that a corrected name or birth minute keeps it;
// else her trimmed name. Two exports of the same person carry the same identity whatever
// year or day they were made.
QString PersonIdentity(const BirthData &fields, const QString &eventKey = {});

} // namespace ferolune
