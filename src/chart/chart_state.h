#pragma once

// The chart state: one chart at a time, the birth moment and place as numbers, the
// chart points, the house cusps, the chart handed to the evaluation, the evaluation
// mode and what the evaluation leaves behind. The program owns one ChartState and
// passes it to whoever computes with it.
//
// Arrays are indexed from 1 like the point numbers (entry 0 is unused):
// 1 Sun, 2..9 Mercury to Pluto, 10 Moon, 11 lunar node, 12 opposite node,
// 13 Lilith (or the Part of Fortune), 14 Ascendant, 15 Midheaven, 16 Chiron.

#include <QString>

#include <array>
#include <cstdint>

namespace ferolune {

constexpr int PointCount = 16;
using PointArray = std::array<double, PointCount + 1>;
using CuspArray = std::array<double, 13>;

// What an evaluation of the chart does: nothing yet (after start-up), the natal chart
// text, the year scan's day marking, or the day detail's hour marking.
enum class EvaluationMode { None = -1, Natal = 0, Scan = 1, Detail = 2 };

// The side of the birth place, from the signs of its degrees.
enum class EastWest { East, West };
enum class NorthSouth { North, South };

// The Sun, the Moon and the angle from the Sun forward to the Moon at one moment.
struct MomentAngle {
    double SunLon = 0;
    double MoonLon = 0;
    double Angle = 0;        // 0 < angle <= 360
    double AngleRounded = 0; // to one decimal
};

struct NodePosition {
    double Longitude = 0;
    double Declination = 0;
};

struct ChartOptions {
    int NodeKind = 0;    // 0 mean node, other values true node; nothing sets it
    int Point13Kind = 1; // 0 Part of Fortune, 1 Lilith
};

struct ChartState {
    // Birth numbers (ReadBirthFields).
    std::int16_t BirthDay = 0;
    std::int16_t BirthMonth = 0;
    std::int16_t BirthYear = 0;
    float ZoneHours = 0;
    float LongitudeDM = 0;
    EastWest LongitudeSide = EastWest::West;
    float LatitudeDM = 0;
    NorthSouth LatitudeSide = NorthSouth::North;

    // Chart moment and place.
    std::int16_t ChartDay = 0;
    std::int16_t ChartMonth = 0;
    std::int16_t ChartYear = 0;
    float ChartHour = 0;
    float ChartMinute = 0;
    double ChartHourDecimal = 0;
    double ChartJulianDay = 0;
    double ChartLongitude = 0;
    double ChartLatitude = 0;
    QString HouseSystem;

    // Chart points and houses.
    PointArray PointLon{};
    PointArray PointDecl{};
    NodePosition MeanNode;
    NodePosition TrueNode;
    ChartOptions Options;
    CuspArray HouseCusp{};
    CuspArray CuspFromMC{};
    double SiderealDegrees = 0;
    QString SiderealTimeText;

    // The chart handed to the evaluation.
    PointArray ChartLon{};
    PointArray ChartDecl{};
    CuspArray ChartCuspFromMC{};

    // Evaluation control and results.
    EvaluationMode EvalMode = EvaluationMode::None;
    int PointIndex = 0;
    QString ChartText;
    double NatalSunLon = 0;
    double NatalMoonLon = 0;
    double NatalAngle = 0;
    double NatalAngleRounded = 0;
    MomentAngle Scan;   // the calendar day being scanned
    MomentAngle Detail; // the minute of the day detail
    int CellIndex = 0;
    std::int16_t PhaseDayFound = 0; // -1 once a moon-phase day has been marked
    QString CellTagA;
    QString CellTagB;
};

} // namespace ferolune
