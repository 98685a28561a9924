#include "chart/natal_chart.h"

#include "chart/angle_match.h"
#include "chart/birth_moment.h"
#include "chart/ephemeris.h"
#include "common/number_rules.h"

#include <cmath>
#include <stdexcept>

namespace ferolune {

namespace {

void appendChartLine(ChartState &state, int point, int sign, double degrees)
{
    state.ChartText += PointName(point) + u' ' + SignName(sign) + u' ' + formatFixed(degrees) + QStringLiteral("\r\n");
}

void evaluateNatalBranch(ChartState &state, int point, int sign, double degrees)
{
    if (point == 1 || point == 10 || point == 11 || point == 13 || point == 14)
        appendChartLine(state, point, sign, degrees);
    if (point == 1) {
        state.NatalSunLon = state.PointLon[1];
    } else if (point == 10) {
        state.NatalMoonLon = state.PointLon[10];
        state.NatalAngle = SunToMoonAngle(state.NatalSunLon, state.NatalMoonLon);
        state.NatalAngleRounded = roundToTenth(state.NatalAngle);
    }
}

} // namespace

QString SignName(int sign)
{
    static const char *const names[] = {"KOS      ", "BIKA     ", "IKREK    ", "RAK      ",
                                        "OROSZLAN ", "SZUZ     ", "MERLEG   ", "SKORPIO  ",
                                        "NYILAS   ", "BAK      ", "VIZONTO  ", "HALAK    "};
    return sign >= 1 && sign <= 12 ? QString::fromLatin1(names[sign - 1]) : QString();
}

QString PointName(int point)
{
    switch (point) {
    case 1:
        return QStringLiteral("NAP        ");
    case 10:
        return QStringLiteral("HOLD       ");
    case 11:
        return QStringLiteral("SARKANYFEJ ");
    case 13:
        return QStringLiteral("LILITH     ");
    case 14:
        return QStringLiteral("ASC        ");
    default:
        return {};
    }
}

int SignOf(double longitude)
{
    return static_cast<int>(intPart(longitude / 30)) + 1;
}

double SunToMoonAngle(double sunLon, double moonLon)
{
    return moonLon > sunLon ? moonLon - sunLon : moonLon + (360 - sunLon);
}

void ComputeNatalChart(ChartState &state, const BirthData &fields, Ephemeris &ephemeris)
{
    state.HouseSystem = QStringLiteral("P");
    ReadBirthFields(state, fields);
    ComputeUniversalMoment(state, fields);
    ephemeris.ComputeEphemeris(state);
    state.ChartCuspFromMC = state.CuspFromMC;

    const NodePosition &node = state.Options.NodeKind != 0 ? state.TrueNode : state.MeanNode;
    state.PointLon[11] = node.Longitude;
    state.PointLon[12] = Normalize360(node.Longitude + 180);
    state.PointDecl[11] = node.Declination;
    state.PointDecl[12] = -node.Declination;

    state.ChartLon = state.PointLon;
    state.ChartDecl = state.PointDecl;
    EvaluateChart(state, nullptr);
}

void EvaluateChart(ChartState &state, CellMarks *marks)
{
    state.PointLon = state.ChartLon;
    state.PointDecl = state.ChartDecl;
    state.CuspFromMC = state.ChartCuspFromMC;
    if (state.EvalMode != EvaluationMode::Natal) {
        if (!marks)
            throw std::logic_error("EvaluateChart: the scan and detail modes need a calendar to mark");
        EvaluateSunMoon(state, *marks);
    } else {
        EvaluateNatalPoints(state);
    }
}

void EvaluateNatalPoints(ChartState &state)
{
    // Points 1, 10, 11, 12, 13, 14: the loop runs on from the Moon.
    state.PointIndex = 1;
    EvaluatePoint(state, nullptr);
    for (state.PointIndex = 10; state.PointIndex <= 14; ++state.PointIndex)
        EvaluatePoint(state, nullptr);
}

void EvaluatePoint(ChartState &state, CellMarks *marks)
{
    const int point = state.PointIndex;
    const double longitude = state.PointLon[static_cast<size_t>(point)];
    const int sign = SignOf(longitude);
    const double degrees = longitude - (sign - 1) * 30;

    if (state.EvalMode == EvaluationMode::Natal) {
        evaluateNatalBranch(state, point, sign, degrees);
        return;
    }
    if (!marks)
        throw std::logic_error("EvaluatePoint: the scan and detail modes need a calendar to mark");
    if (state.EvalMode == EvaluationMode::Scan)
        MatchScanPoint(state, *marks, point, sign);
    else
        MatchDetailPoint(state, *marks, point);
}

QString AngleCaption(const ChartState &state)
{
    return QStringLiteral("NAP-HOLD FOK: ") + numberText(state.NatalAngleRounded);
}

} // namespace ferolune
