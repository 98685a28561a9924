#include "core/chart/natal_chart.h"

#include "core/chart/ephemeris.h"
#include "core/common/number_rules.h"

namespace ferolune {

namespace {

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

ChartMoment BirthMomentOf(const BirthInput &birth)
{
    // The universal hour may fall outside 0..24; the Julian day carries it into the
    // neighbouring day.
    return {birth.year,   birth.month,           birth.day,           birth.zone.universalHour(birth.hour),
            birth.minute, birth.place.longitude, birth.place.latitude};
}

NatalChart ComputeNatalChart(const BirthInput &birth, Ephemeris &ephemeris)
{
    return NatalChartOf(ephemeris.ComputeEphemeris(BirthMomentOf(birth)));
}

NatalChart NatalChartOf(const ChartPositions &positions)
{
    // The points the chart text lists, in its order: the Sun, the Moon, the mean node,
    // Lilith and the Ascendant.
    const std::array<std::pair<int, double>, 5> listed = {{{1, positions.sun},
                                                           {10, positions.moon},
                                                           {11, positions.meanNode},
                                                           {13, positions.lilith},
                                                           {14, positions.ascendant}}};
    NatalChart natal;
    for (size_t k = 0; k < listed.size(); ++k)
        natal.lines[k] = chartLine(listed[k].first, listed[k].second);
    natal.angle = SunToMoonAngle(positions.sun, positions.moon);
    natal.angleRounded = roundToTenth(natal.angle);
    return natal;
}

QString AngleCaption(const NatalChart &natal)
{
    return QStringLiteral("NAP-HOLD FOK: ") + numberText(natal.angleRounded);
}

} // namespace ferolune
