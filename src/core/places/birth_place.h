#pragma once

// What a birthplace of the atlas gives the birth fields: its coordinates, and the zone in
// force there at the birth date and clock time. The main window and the command line fill
// the fields by the same rules.

#include "core/atlas/atlas.h"
#include "core/chart/birth_data.h"

#include <QString>

namespace ferolune {

// The zone as the field writes it: a full stop before a fraction ("-5.5"), never "-0".
QString ZoneFieldText(double hours);

// The place's coordinates, minutes rounded to the nearest whole minute, with their sides.
void ApplyPlaceCoordinates(BirthData &fields, const Place &place);

// The zone and the summer-time box from a reading of the place's history. The box only
// shows the summer time: the zone already holds it.
void ApplyZoneReading(BirthData &fields, const ZoneReading &reading);

// The place's zone history at the birth date and the visible 24-hour clock time, the
// fields read as a moment reads them.
ZoneAt ZoneAtBirth(const Place &place, const BirthData &fields);

// The message for a birth moment the history does not settle by itself; empty otherwise.
QString ZoneProblemAtBirth(const Place &place, const BirthData &fields, const ZoneAt &zone);

} // namespace ferolune
