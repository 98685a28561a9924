#include "core/calendar/calendar_moment.h"

#include "core/chart/natal_chart.h"

namespace ferolune {

double MomentJulianDay(int year, int month, int day, int hour, int minute, UtcOffset zone)
{
    const float universalHour = zone.universalHour(static_cast<float>(hour));
    const double hourDecimal = static_cast<float>(minute) / 60.0 + universalHour;
    return Ephemeris::julianDay(year, month, day, hourDecimal);
}

MomentAngle MomentAngleAt(Ephemeris &ephemeris, double julianDay)
{
    const SunMoon positions = ephemeris.sunAndMoon(julianDay);
    return {positions, SunToMoonAngle(positions.sunLon, positions.moonLon)};
}

} // namespace ferolune
