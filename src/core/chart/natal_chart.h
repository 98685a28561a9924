#pragma once

#include "core/chart/birth_input.h"
#include "core/chart/ephemeris.h"

#include <QString>

#include <array>

namespace ferolune {

// "KOS      " .. "HALAK    " (9 characters) for signs 1..12, else empty.
QString SignName(int sign);
// "NAP        ", "HOLD       ", "SARKANYFEJ ", "LILITH     ", "ASC        " (11 characters)
// for points 1, 10, 11, 13, 14, else empty.
QString PointName(int point);

// The sign 1..12 ("KOS" .. "HALAK") a longitude of 0 <= lon < 360 stands in.
int SignOf(double longitude);

// The angle from the Sun forward to the Moon, 0 < angle <= 360 (equal longitudes give 360).
double SunToMoonAngle(double sunLon, double moonLon);

// The natal chart as the calendar shows it: a line for the Sun, the Moon, the mean lunar
// node, Lilith and the Ascendant ("NAP         HALAK     7.33"), and the Sun-Moon angle.
struct NatalChart {
    std::array<QString, 5> lines;
    double angle = 0;        // 0 < angle <= 360
    double angleRounded = 0; // to one decimal: what the calendar compares with

    // The lines, each ended by a carriage return and line feed.
    QString text() const;
};

// The moment and place of a birth in universal time, as the library is asked for them.
ChartMoment BirthMomentOf(const BirthInput &birth);

// The natal chart of a birth. Throws EphemerisError when the library cannot compute the
// birth moment.
NatalChart ComputeNatalChart(const BirthInput &birth, Ephemeris &ephemeris);

// The chart text and angle of the positions of a chart moment.
NatalChart NatalChartOf(const ChartPositions &positions);

// "NAP-HOLD FOK: " followed by the rounded natal angle as number text.
QString AngleCaption(const NatalChart &natal);

} // namespace ferolune
