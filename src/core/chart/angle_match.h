#pragma once

// The Sun-Moon angle of a calendar moment against the natal angle.

namespace ferolune {

// Whether a Sun-Moon angle, rounded to a tenth of a degree, lies in the same whole degree
// as the natal angle rounded the same way: the year scan's test (a natal 124.0 matches any
// angle that rounds into 124.0 .. 124.9). 360.0 and 0.0 are the same angle.
bool MatchesToTheDegree(double angle, double natalAngleRounded);

// The two sides of MatchesToTheDegree: the whole degree 0..359 a Sun-Moon angle rounds
// into, and the whole degree of a natal angle already rounded to a tenth.
double DegreeOfAngle(double angle);
double DegreeOfRoundedAngle(double roundedAngle);

// Whether a Sun-Moon angle, rounded to a tenth of a degree, is the natal angle rounded the
// same way: the day detail's finer test. 360.0 and 0.0 are the same angle.
bool MatchesToTheTenth(double angle, double natalAngleRounded);

} // namespace ferolune
