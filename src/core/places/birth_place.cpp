#include "core/places/birth_place.h"

#include "core/common/number_rules.h"

#include <cmath>

namespace ferolune {

namespace {

struct ClockMoment {
    QDate date;
    int hour = 0;
    int minute = 0;
};

ClockMoment clockMoment(const BirthData &fields)
{
    const auto whole = [](const QString &text) { return int(std::trunc(readLeniently(text))); };
    return {QDate(whole(fields.txtYear), whole(fields.txtMonth), whole(fields.txtDay)), whole(fields.Text1),
            whole(fields.txtBirthMinute)};
}

} // namespace

QString ZoneFieldText(double hours)
{
    return QString::number(hours == 0 ? 0.0 : hours);
}

void ApplyPlaceCoordinates(BirthData &fields, const Place &place)
{
    const FieldValues values = fieldValues(place);
    fields.txtLongDeg = QString::number(values.longitudeDegrees);
    fields.txtLongMin = formatTwoDigits(values.longitudeMinutes);
    fields.optEast = values.east;
    fields.txtLatDeg = QString::number(values.latitudeDegrees);
    fields.txtLatMin = formatTwoDigits(values.latitudeMinutes);
    fields.optSouth = !values.north;
}

void ApplyZoneReading(BirthData &fields, const ZoneReading &reading)
{
    fields.txtTZ = ZoneFieldText(reading.zoneHours);
    fields.Check1 = reading.summerTime ? 1 : 0;
}

ZoneAt ZoneAtBirth(const Place &place, const BirthData &fields)
{
    const ClockMoment moment = clockMoment(fields);
    return zoneAt(place, moment.date, moment.hour, moment.minute);
}

QString ZoneProblemAtBirth(const Place &place, const BirthData &fields, const ZoneAt &zone)
{
    const ClockMoment moment = clockMoment(fields);
    return zoneProblemText(place, moment.date, moment.hour, moment.minute, zone);
}

} // namespace ferolune
