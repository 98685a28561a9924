#include "core/chart/birth_input.h"

#include <cmath>
#include <cstdlib>

namespace ferolune {

namespace {

constexpr int SecondsPerHour = 3600;

} // namespace

UtcOffset UtcOffset::ofSecondsEast(int offsetSeconds)
{
    return {static_cast<float>(-offsetSeconds) / SecondsPerHour};
}

int UtcOffset::secondsEast() const
{
    return static_cast<int>(std::lround(-static_cast<double>(hours) * SecondsPerHour));
}

QTimeZone UtcOffset::timeZone() const
{
    const QTimeZone zone(secondsEast());
    return zone.isValid() ? zone : QTimeZone::utc();
}

QString UtcOffset::label() const
{
    return ClockLabel(secondsEast());
}

QString ClockLabel(int offsetSeconds)
{
    if (offsetSeconds == 0)
        return QStringLiteral("UTC");
    const int minutes = std::abs(offsetSeconds) / 60;
    QString label = QStringLiteral("UTC") + (offsetSeconds < 0 ? u'-' : u'+') + QString::number(minutes / 60);
    if (minutes % 60 != 0)
        label += u':' + QStringLiteral("%1").arg(minutes % 60, 2, 10, QLatin1Char('0'));
    return label;
}

QString ClockLabel(const QDateTime &moment)
{
    return ClockLabel(moment.offsetFromUtc());
}

BirthInput BirthMovedBy(const BirthInput &birth, int minutes)
{
    // The chart reads hour + minute / 60, and the Julian day carries a minute below 0 or
    // past 59 into the neighbouring hour and day.
    BirthInput moved = birth;
    moved.minute = static_cast<float>(static_cast<double>(birth.minute) + minutes);
    return moved;
}

} // namespace ferolune
