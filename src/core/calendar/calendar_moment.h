#pragma once

// One moment of the calendar: a clock time of a date on the calendar's clock, and the Sun
// and Moon the library gives for it.

#include "core/chart/birth_input.h"
#include "core/chart/ephemeris.h"

namespace ferolune {

// The Julian day of `hour`:`minute` of a date on the clock `zone`. The universal hour is
// formed in single precision, as the chart forms it, and may fall outside 0..24: the
// Julian day carries it into the neighbouring day, as it carries a December day past 31
// into January.
double MomentJulianDay(int year, int month, int day, int hour, int minute, UtcOffset zone);

// The Sun, the Moon and the angle from the Sun forward to the Moon at a Julian day. Throws
// EphemerisError when the library cannot compute them.
struct MomentAngle {
    SunMoon positions;
    double angle = 0; // 0 < angle <= 360
};
MomentAngle MomentAngleAt(Ephemeris &ephemeris, double julianDay);

} // namespace ferolune
