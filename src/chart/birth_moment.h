#pragma once

#include "chart/birth_data.h"
#include "chart/chart_state.h"

namespace ferolune {

// Reads the birth fields into the birth numbers of the chart state. Throws RunError
// naming the field whose text is not a number (or a date part beyond 16 bits).
void ReadBirthFields(ChartState &state, const BirthData &fields);

// The universal hour and place of the birth moment, after ReadBirthFields: chart date,
// ChartHour in universal time (the meridiem and zone applied), ChartMinute, and the
// signed geographic place (east and north positive).
void ComputeUniversalMoment(ChartState &state, const BirthData &fields);

// Signed decimal degrees from a degree and a minute field, rounded to 15 significant
// digits; positive when `positive` is true. Throws RunError naming the failing field.
double SignedDegrees(const QString &degreesText, const QString &degreesField,
                     const QString &minutesText, const QString &minutesField, bool positive);

// Degrees + minutes/100 as single precision, negated when `negate`: only its sign is used.
float DegreesMinutesDM(const QString &degreesText, const QString &degreesField,
                       const QString &minutesText, const QString &minutesField, bool negate);

// Reduces an angle in degrees to [0, 360).
double Normalize360(double angle);

} // namespace ferolune
