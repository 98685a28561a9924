#include "io/form/place_fields.h"

#include "core/common/number_rules.h"
#include "io/form/read_birth_form.h"

#include <cmath>

namespace ferolune {

namespace {

struct ClockMoment {
    QDate date;
    int hour = 0;
    int minute = 0;
};

ClockMoment clockMoment(const BirthForm &form)
{
    const Expected<FormMoment, FieldProblem> moment = ReadBirthMoment(form);
    if (!moment)
        return {};
    return {QDate(moment->year, moment->month, moment->day), int(std::trunc(moment->shownHour)),
            int(std::trunc(moment->minute))};
}

} // namespace

QString ZoneFieldText(double hours)
{
    return QString::number(hours == 0 ? 0.0 : hours);
}

double ZoneFieldHours(double hours)
{
    return ZoneFieldText(hours).toDouble();
}

void ApplyPlaceCoordinates(BirthForm &form, const Place &place)
{
    const FieldValues values = fieldValues(place);
    form.longitudeDegrees = QString::number(values.longitudeDegrees);
    form.longitudeMinutes = formatTwoDigits(values.longitudeMinutes);
    form.east = values.east;
    form.latitudeDegrees = QString::number(values.latitudeDegrees);
    form.latitudeMinutes = formatTwoDigits(values.latitudeMinutes);
    form.south = !values.north;
}

void ApplyZoneReading(BirthForm &form, const ZoneReading &reading)
{
    form.zoneText = ZoneFieldText(reading.zoneHours);
    form.summerTime = reading.summerTime ? 1 : 0;
}

ZoneAt ZoneAtBirth(const Place &place, const BirthForm &form)
{
    const ClockMoment moment = clockMoment(form);
    return zoneAt(place, moment.date, moment.hour, moment.minute);
}

QString ZoneProblemAtBirth(const Place &place, const BirthForm &form, const ZoneAt &zone)
{
    const ClockMoment moment = clockMoment(form);
    return zoneProblemText(place, moment.date, moment.hour, moment.minute, zone);
}

} // namespace ferolune
