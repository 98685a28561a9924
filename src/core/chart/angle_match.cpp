#include "core/chart/angle_match.h"

#include "core/common/number_rules.h"

namespace ferolune {

namespace {

// The angles lie in 0 < angle <= 360 and round to 0.0 .. 360.0: 360 is the same angle as 0,
// so a natal angle that rounds to 360.0 meets the angles just past the new moon.
double onTheCircle(double roundedAngle)
{
    return roundedAngle >= 360 ? roundedAngle - 360 : roundedAngle;
}

} // namespace

double DegreeOfAngle(double angle)
{
    return DegreeOfRoundedAngle(roundToTenth(angle));
}

double DegreeOfRoundedAngle(double roundedAngle)
{
    return intPart(onTheCircle(roundedAngle));
}

bool MatchesToTheDegree(double angle, double natalAngleRounded)
{
    return DegreeOfAngle(angle) == DegreeOfRoundedAngle(natalAngleRounded);
}

bool MatchesToTheTenth(double angle, double natalAngleRounded)
{
    return onTheCircle(roundToTenth(angle)) == onTheCircle(natalAngleRounded);
}

} // namespace ferolune
