#pragma once

#include "chart/birth_data.h"
#include "chart/chart_state.h"

#include <QString>

namespace ferolune {

class Ephemeris;
class CellMarks;

// "KOS      " .. "HALAK    " (9 characters) for signs 1..12, else empty.
QString SignName(int sign);
// "NAP        ", "HOLD       ", "SARKANYFEJ ", "LILITH     ", "ASC        " (11 characters)
// for points 1, 10, 11, 13, 14, else empty.
QString PointName(int point);

// The sign 1..12 ("KOS" .. "HALAK") a longitude of 0 <= lon < 360 stands in.
int SignOf(double longitude);

// The angle from the Sun forward to the Moon, 0 < angle <= 360 (equal longitudes give 360).
double SunToMoonAngle(double sunLon, double moonLon);

// The natal chart from the birth fields: birth moment, ephemeris, nodes, the chart to
// evaluate, then EvaluateChart in mode 0, which appends the five chart-text lines and
// sets the natal angle. Throws RunError (a field that is not a number) or
// EphemerisError (a birth moment the library cannot compute).
void ComputeNatalChart(ChartState &state, const BirthData &fields, Ephemeris &ephemeris);

// Loads the chart to evaluate and evaluates it for state.EvalMode. `marks` is the
// calendar the scan and detail modes mark; mode 0 needs none.
void EvaluateChart(ChartState &state, CellMarks *marks);

// Mode 0: EvaluatePoint for points 1, 10, 11, 12, 13, 14 in turn.
void EvaluateNatalPoints(ChartState &state);

// Handles point state.PointIndex: the chart line and natal angle in mode 0, the
// Sun-Moon match in modes 1 and 2.
void EvaluatePoint(ChartState &state, CellMarks *marks);

// "NAP-HOLD FOK: " followed by the rounded natal angle as number text.
QString AngleCaption(const ChartState &state);

} // namespace ferolune
