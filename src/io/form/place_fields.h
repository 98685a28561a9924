#pragma once

// What a birthplace of the atlas writes into the birth form: its coordinates, and the
// zone in force there at the birth date and clock time the form shows.

#include "core/atlas/atlas.h"
#include "io/form/birth_form.h"

#include <QString>

namespace ferolune {

// The zone as the field writes it: a full stop before a fraction ("-5.5"), never "-0".
QString ZoneFieldText(double hours);
// The zone as the field holds it once written: to six significant digits, as the field
// shows a zone of local mean time ("-1.27222").
double ZoneFieldHours(double hours);

// The place's coordinates, minutes rounded to the nearest whole minute, with their sides.
void ApplyPlaceCoordinates(BirthForm &form, const Place &place);

// The zone and the summer-time box from a reading of the place's history. The box only
// shows the summer time: the zone already holds it.
void ApplyZoneReading(BirthForm &form, const ZoneReading &reading);

// The place's zone history at the birth date and the clock time the form shows; an
// invalid moment when the form's date or time cannot be read.
ZoneAt ZoneAtBirth(const Place &place, const BirthForm &form);

// The message for a birth moment the history does not settle by itself; empty otherwise.
QString ZoneProblemAtBirth(const Place &place, const BirthForm &form, const ZoneAt &zone);

} // namespace ferolune
