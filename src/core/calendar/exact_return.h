#pragma once

// The exact return of a moon-phase day: the instant the Sun-Moon angle equals the natal
// angle, found from the library's positions, with the Moon's sign at that instant, a
// change of sign near it, and the minutes the day detail matches to the tenth of a degree.

#include "core/calendar/calendar_model.h"
#include "core/calendar/calendar_run.h"

#include <QString>

#include <optional>

namespace ferolune {

class Ephemeris;
class LocalClock;

// The exact return near the moon-phase day month/day of `year` on `clock` (the zone
// field's fixed zone or the place of residence), searched from the first moment of the day
// before to the first moment of the day after the day after, given in the clock's local
// time. nullopt when the angle does not reach the natal angle there. Throws EphemerisError
// when the library cannot compute a position.
std::optional<ExactReturn> FindExactReturn(double natalAngle, double natalAngleRounded, int year,
                                           const LocalClock &clock, int month, int day, Ephemeris &ephemeris);

// The exact return of every moon-phase day of a scanned calendar into model.exactReturns,
// on the clock of `request`. A day whose positions the library cannot compute keeps no
// exact return. Closes the library's files.
void FindExactReturns(const CalendarRequest &request, Ephemeris &ephemeris, CalendarModel &model);

// With an uncertain birth moment, the exact return of each moon-phase day of the model for
// the birth moment request.uncertaintyMinutes earlier and later, near its exact return.
// Nothing without an uncertainty. Closes the library's files.
void FindExactRanges(const CalendarRequest &request, Ephemeris &ephemeris, CalendarModel &model);

// "±15 perc: 08:48–09:18": the exact returns of the birth moment the uncertainty's minutes
// earlier and later; empty without an uncertainty.
QString ExactRangeText(const ExactReturn &exact);

// "2027.01.28 23:14 (UTC+1) – Hold: VIZONTO", with an uncertainty a line "±15 perc:
// 22:59–23:29", and on a change of sign a line "a Hold jelet vált: BAK → VIZONTO".
QString ExactReturnToolTip(const ExactReturn &exact);

// The line under the detail's dates: the exact moment to the second with its clock, its
// range with an uncertainty, and the span of minutes that match to the tenth of a degree.
QString ExactReturnDetailLine(const ExactReturn &exact);

} // namespace ferolune
