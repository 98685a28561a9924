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

constexpr float EvalModeNatal = 0;
constexpr float EvalModeScan = 1;
constexpr float EvalModeDetail = 2;

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
    QString LongitudeSide;
    float LatitudeDM = 0;
    QString LatitudeSide;

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
    float EvalMode = -1;
    double PointIndex = 0;
    QString ChartText;
    double NatalSunLon = 0;
    double NatalMoonLon = 0;
    double NatalAngle = 0;
    double NatalAngleRounded = 0;
    double NatalAngleRounded2 = 0;
    double ScanSunLon = 0, ScanMoonLon = 0, ScanAngle = 0, ScanAngleRounded = 0;
    double DetailSunLon = 0, DetailMoonLon = 0, DetailAngle = 0, DetailAngleRounded = 0;
    float CellIndex = 0;
    std::int16_t PhaseDayFound = 0; // -1 once a moon-phase day has been marked
    QString CellTagA;
    QString CellTagB;
};

} // namespace ferolune
