#include "core/calendar/calendar_run.h"

namespace ferolune {

BirthRecord BirthMovedBy(const BirthRecord &birth, int minutes)
{
    // The chart reads hour + minute / 60, and the Julian day carries a minute below 0 or
    // past 59 into the neighbouring hour and day.
    BirthRecord moved = birth;
    moved.minute = static_cast<float>(static_cast<double>(birth.minute) + minutes);
    return moved;
}

void SetNatalAngles(CalendarRequest &request, const NatalChart &natal, const BirthRecord &birth,
                    const std::function<NatalChart(const BirthRecord &)> &chartOf)
{
    request.natalAngle = natal.angle;
    request.natalAngleRounded = natal.angleRounded;
    request.earliestNatalAngle = natal.angle;
    request.latestNatalAngle = natal.angle;
    if (request.uncertaintyMinutes <= 0)
        return;
    request.earliestNatalAngle = chartOf(BirthMovedBy(birth, -request.uncertaintyMinutes)).angle;
    request.latestNatalAngle = chartOf(BirthMovedBy(birth, request.uncertaintyMinutes)).angle;
}

} // namespace ferolune
