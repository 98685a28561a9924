#include "core/atlas/atlas.h"

#include <QDateTime>
#include <QTime>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

namespace ferolune {

namespace {

ZoneReading readingAt(const QTimeZone &zone, const QDateTime &instant, int offsetSeconds)
{
    return {-offsetSeconds / 3600.0, zone.isDaylightTime(instant)};
}

// The offsets the zone used in the days around a moment: a clock time can only have
// happened under one of them.
std::vector<int> offsetsAround(const QTimeZone &zone, const QDateTime &moment)
{
    const QDateTime from = moment.addDays(-2);
    const QDateTime to = moment.addDays(2);
    std::vector<int> offsets{zone.offsetFromUtc(from)};
    for (const QTimeZone::OffsetData &transition : zone.transitions(from, to))
        offsets.push_back(transition.offsetFromUtc);
    offsets.push_back(zone.offsetFromUtc(to));
    std::sort(offsets.begin(), offsets.end());
    offsets.erase(std::unique(offsets.begin(), offsets.end()), offsets.end());
    return offsets;
}

void splitDegrees(double degrees, int &wholeDegrees, int &minutes)
{
    const long totalMinutes = std::lround(std::abs(degrees) * 60.0);
    wholeDegrees = int(totalMinutes / 60);
    minutes = int(totalMinutes % 60);
}

} // namespace

// QDateTime in a zone resolves a skipped or repeated clock time on its own, so the clock
// time is tried under every offset in force around it: the instant "clock time minus
// offset" is a real reading only when the zone itself uses that offset then.
ZoneAt zoneAt(const QByteArray &timeZoneId, QDate date, int hour, int minute)
{
    if (!date.isValid() || !QTime::isValid(hour, minute, 0))
        return {LocalTimeKind::InvalidMoment, {}};
    const QTimeZone zone(timeZoneId);
    if (!zone.isValid())
        return {LocalTimeKind::UnknownZone, {}};

    const QDateTime clockAsUtc(date, QTime(hour, minute), Qt::UTC);
    std::vector<int> offsets = offsetsAround(zone, clockAsUtc);
    // The larger offset east of Greenwich reaches the clock time earlier.
    std::reverse(offsets.begin(), offsets.end());
    ZoneAt result{LocalTimeKind::Unique, {}};
    for (const int offset : offsets) {
        const QDateTime instant = clockAsUtc.addSecs(-offset);
        if (zone.offsetFromUtc(instant) == offset)
            result.readings.push_back(readingAt(zone, instant, offset));
    }
    if (result.readings.size() > 1) {
        result.kind = LocalTimeKind::Repeated;
    } else if (result.readings.empty()) {
        result.kind = LocalTimeKind::Skipped;
        const QDateTime before = clockAsUtc.addDays(-1);
        const QDateTime after = clockAsUtc.addDays(1);
        result.readings = {readingAt(zone, before, zone.offsetFromUtc(before)),
                           readingAt(zone, after, zone.offsetFromUtc(after))};
    }
    return result;
}

FieldValues fieldValues(const Place &place)
{
    FieldValues values;
    splitDegrees(place.longitude, values.longitudeDegrees, values.longitudeMinutes);
    splitDegrees(place.latitude, values.latitudeDegrees, values.latitudeMinutes);
    values.east = place.longitude >= 0;
    values.north = place.latitude >= 0;
    return values;
}

} // namespace ferolune
