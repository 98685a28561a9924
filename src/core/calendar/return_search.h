#pragma once

// The exact return of a moon-phase day: the instant the Sun-Moon angle equals the natal
// angle, found by root finding on the library's positions, with the Moon's sign at that
// instant, a change of sign near it, and the minutes the day detail matches to the tenth
// of a degree.

#include "core/calendar/calendar_model.h"
#include "core/calendar/calendar_run.h"

#include <QDate>

#include <optional>

namespace ferolune {

class Ephemeris;
class LocalClock;

// The exact return near the moon-phase day `day` on `clock` (the birth zone or the place
// of residence), searched from the first moment of the day before to the first moment of
// the day after the day after, given in the clock's local time. nullopt when the angle
// does not reach the natal angle there. Throws EphemerisError when the library cannot
// compute a position.
std::optional<ExactReturn> FindExactReturn(const NatalAngles &angles, const LocalClock &clock, const QDate &day,
                                           Ephemeris &ephemeris);

// The exact return of every moon-phase day of a scanned calendar into model.exactReturns,
// on the clock of `request`. A day whose positions the library cannot compute keeps no
// exact return. Closes the library's files.
void FindExactReturns(const CalendarRequest &request, const NatalAngles &angles, Ephemeris &ephemeris,
                      CalendarModel &model);

// With an uncertain birth moment, the exact return of each moon-phase day of the model for
// the birth moment that many minutes earlier and later, near its exact return. Nothing
// without an uncertainty. Closes the library's files.
void FindExactRanges(const CalendarRequest &request, const NatalAngles &angles, Ephemeris &ephemeris,
                     CalendarModel &model);

} // namespace ferolune
