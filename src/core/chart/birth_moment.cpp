#include "core/chart/birth_moment.h"

#include "core/common/number_rules.h"

#include <cmath>

namespace ferolune {

double SignedDegrees(const QString &degreesText, const QString &degreesField, const QString &minutesText,
                     const QString &minutesField, bool positive)
{
    const double degrees = convertToNumber(degreesText, degreesField);
    const double minutes = convertToNumber(minutesText, minutesField);
    const double v = roundToSignificant15(degrees + minutes / 60);
    return positive ? v : -v;
}

float DegreesMinutesDM(const QString &degreesText, const QString &degreesField, const QString &minutesText,
                       const QString &minutesField, bool negate)
{
    const double degrees = convertToNumber(degreesText, degreesField);
    const double minutes = convertToNumber(minutesText, minutesField);
    const auto dm = static_cast<float>(degrees + minutes / 100);
    return negate ? -dm : dm;
}

double Normalize360(double angle)
{
    if (angle >= 0)
        return angle - 360 * std::floor(angle / 360);
    const double reduced = angle - 360 * (std::floor(angle / 360) + 1) + 360;
    return reduced >= 360 ? reduced - 360 : reduced;
}

} // namespace ferolune
