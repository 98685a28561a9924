#pragma once

// One moment of the calendar year: its month, day, hour and minute in local time of the
// zone, with the year, zone and place of the birth fields. The moment becomes the chart
// moment, its Sun and Moon go into the chart to evaluate, and EvaluateChart compares
// their angle with the natal angle (scan or detail mode, set by the caller) and marks
// the calendar.

#include "chart/birth_data.h"
#include "chart/chart_state.h"

#include <QString>

#include <cstdint>

namespace ferolune {

class Ephemeris;
struct CalendarModel;

// What a moment takes from the fields: the year, the zone and the signed place, after
// their strict conversions.
struct MomentFields {
    std::int16_t year = 0;
    float zoneHours = 0;
    float longitudeDM = 0;
    double chartLongitude = 0;
    float latitudeDM = 0;
    double chartLatitude = 0;
};

// Converts the year, zone and place fields in the order a moment converts them. The
// fields are the same for every moment of a run, so a run converts them once. Throws
// RunError naming the failing field; the year is named `yearField` (the calendar runs
// put the calendar year of "Text3" into txtYear).
MomentFields ConvertMomentFields(const BirthData &fields, const QString &yearField);

// A moment as the calendar runs make it: whole numbers, the hour on the 24-hour clock in
// local time of the zone.
struct MomentTime {
    std::int16_t month = 0;
    std::int16_t day = 0;
    double hour = 0;
    double minute = 0;
};

// Evaluates the moment given as texts (" 3", " 15", " 22", " 50"), reading the year from
// fields.txtYear. Every text is converted strictly, in the order day, year, month, zone,
// hour, minute, longitude, latitude; a failure throws RunError naming the field ("txtYear",
// "txtTZ", ...; the argument texts belong to no field) before anything is computed.
// Throws EphemerisError when the library cannot compute the Sun or the Moon.
void EvaluateCalendarMoment(ChartState &state, const BirthData &fields, const QString &monthText,
                            const QString &dayText, const QString &hourText, const QString &minuteText,
                            Ephemeris &ephemeris, CalendarModel &model);

// The same evaluation for fields already converted and a moment given as numbers. A
// run's texts are whole numbers, which convert to exactly these numbers.
void EvaluateMoment(ChartState &state, const MomentFields &fields, const MomentTime &moment, Ephemeris &ephemeris,
                    CalendarModel &model);

// The Julian day of the chart moment and the Sun and Moon longitudes (points 1 and 10).
// Nothing else of the moment is read, so nothing else is computed: the moment's node,
// houses, sidereal time and declinations would be replaced by the natal chart before
// anything looks at them. Leaves the library's files open for the next moment.
void ComputeMomentEphemeris(ChartState &state, Ephemeris &ephemeris);

} // namespace ferolune
