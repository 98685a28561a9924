#pragma once

// The Sun-Moon angle of a calendar moment against the natal angle, and what a match
// marks on the calendar.

#include "chart/cell_marks.h"
#include "chart/chart_state.h"

namespace ferolune {

// Whether a Sun-Moon angle, rounded to a tenth of a degree, is the natal angle rounded
// the same way; 360.0 and 0.0 are the same angle.
bool MatchesToTheTenth(double angle, double natalAngleRounded);

// EvaluatePoint for the Sun (point 1), then the Moon (point 10).
void EvaluateSunMoon(ChartState &state, CellMarks &marks);

// Scan mode: at the Moon, a whole-degree match marks the day cell CellIndex as a
// moon-phase day (boy for an odd Moon sign, girl for an even one), tags it, gives it the
// custom pointer, marks the three days before it fertile and sets PhaseDayFound.
void MatchScanPoint(ChartState &state, CellMarks &marks, int point, int moonSign);

// Detail mode: at the Moon, a match to the tenth of a degree marks hour cell CellIndex.
void MatchDetailPoint(ChartState &state, CellMarks &marks, int point);

} // namespace ferolune
