#include "chart/angle_match.h"

#include "chart/natal_chart.h"
#include "common/number_rules.h"

#include <cmath>

namespace ferolune {

namespace {

QString padTagPart(const QString &part)
{
    return part.size() == 1 ? part + u'-' : part;
}

// The angles lie in 0 < angle <= 360 and round to 0.0 .. 360.0: 360 is the same angle as 0,
// so a natal angle that rounds to 360.0 meets the angles just past the new moon.
double onTheCircle(double roundedAngle)
{
    return roundedAngle >= 360 ? roundedAngle - 360 : roundedAngle;
}

} // namespace

bool MatchesToTheTenth(double angle, double natalAngleRounded)
{
    return onTheCircle(roundToTenth(angle)) == onTheCircle(natalAngleRounded);
}

void EvaluateSunMoon(ChartState &state, CellMarks &marks)
{
    state.PointIndex = 1;
    EvaluatePoint(state, &marks);
    state.PointIndex = 10;
    EvaluatePoint(state, &marks);
}

void MatchScanPoint(ChartState &state, CellMarks &marks, int point, int moonSign)
{
    if (point == 1)
        state.Scan.SunLon = state.PointLon[1];
    if (point != 10)
        return;
    state.Scan.MoonLon = state.PointLon[10];
    state.Scan.Angle = SunToMoonAngle(state.Scan.SunLon, state.Scan.MoonLon);
    state.Scan.AngleRounded = roundToTenth(state.Scan.Angle);
    // Whole degrees: a natal 124.0 matches any scan angle that rounds into 124.0 .. 124.9.
    if (intPart(onTheCircle(state.Scan.AngleRounded)) != intPart(onTheCircle(state.NatalAngleRounded)))
        return;

    state.PhaseDayFound = -1;
    const int c = state.CellIndex;
    state.CellTagA = padTagPart(state.CellTagA);
    state.CellTagB = padTagPart(state.CellTagB);
    if (c < 0)
        return;
    // A moon-phase day in the first days of the next year has no cell, but the fertile
    // days before it may still be days of this year.
    if (c < marks.dayCellCount())
        marks.markMoonPhaseDay(c, moonSign % 2 == 1 ? MoonPhaseKind::Boy : MoonPhaseKind::Girl,
                               state.CellTagA + state.CellTagB);
    // The three days before it, never reaching into the previous year.
    for (int before = c - 1; before >= 0 && before >= c - 3; --before)
        if (before < marks.dayCellCount())
            marks.markFertileDay(before);
}

void MatchDetailPoint(ChartState &state, CellMarks &marks, int point)
{
    if (point == 1)
        state.Detail.SunLon = state.PointLon[1];
    if (point != 10)
        return;
    state.Detail.MoonLon = state.PointLon[10];
    state.Detail.Angle = SunToMoonAngle(state.Detail.SunLon, state.Detail.MoonLon);
    state.Detail.AngleRounded = roundToTenth(state.Detail.Angle);
    // Tenths of a degree: the detail is finer than the whole-degree scan.
    if (!MatchesToTheTenth(state.Detail.Angle, state.NatalAngleRounded))
        return;
    const int c = state.CellIndex;
    if (c >= 0 && c < marks.hourCellCount())
        marks.markMatchingHour(c);
}

} // namespace ferolune
