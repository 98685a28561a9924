#include "core/chart/natal_chart.h"

#include "core/chart/birth_moment.h"
#include "core/chart/ephemeris.h"
#include "core/common/number_rules.h"

namespace ferolune {

namespace {

// The points the chart text lists, in its order.
constexpr std::array<int, 5> ListedPoints = {1, 10, 11, 13, 14};

QString chartLine(int point, double longitude)
{
    const int sign = SignOf(longitude);
    const double degrees = longitude - (sign - 1) * 30;
    return PointName(point) + u' ' + SignName(sign) + u' ' + formatFixed(degrees);
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

QString NatalChart::text() const
{
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

ChartMoment BirthMomentOf(const BirthRecord &birth)
{
    // The universal hour may fall outside 0..24; the Julian day carries it into the
    // neighbouring day.
    return {birth.year, birth.month, birth.day, static_cast<float>(birth.zoneHours + birth.hour), birth.minute,
            birth.longitude, birth.latitude};
}

NatalChart ComputeNatalChart(const BirthRecord &birth, Ephemeris &ephemeris)
{
    return NatalChartOf(ephemeris.ComputeEphemeris(BirthMomentOf(birth)));
}

NatalChart NatalChartOf(const ChartPositions &chartPositions)
{
    ChartPositions positions = chartPositions;
    // The chart takes the mean node as point 11.
    positions.longitude[11] = positions.meanNode.longitude;
    positions.longitude[12] = Normalize360(positions.meanNode.longitude + 180);

    NatalChart natal;
    for (size_t k = 0; k < ListedPoints.size(); ++k)
        natal.lines[k] = chartLine(ListedPoints[k], positions.longitude[static_cast<size_t>(ListedPoints[k])]);
    natal.angle = SunToMoonAngle(positions.longitude[1], positions.longitude[10]);
    natal.angleRounded = roundToTenth(natal.angle);
    return natal;
}

QString AngleCaption(const NatalChart &natal)
{
    return QStringLiteral("NAP-HOLD FOK: ") + numberText(natal.angleRounded);
}

} // namespace ferolune
