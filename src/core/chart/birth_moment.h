#pragma once

#include <QString>

namespace ferolune {

// Signed decimal degrees from a degree and a minute field, rounded to 15 significant
// digits; positive when `positive` is true. Throws RunError naming the failing field.
double SignedDegrees(const QString &degreesText, const QString &degreesField,
                     const QString &minutesText, const QString &minutesField, bool positive);

// Degrees + minutes/100 as single precision, negated when `negate`: only its sign is used,
// to tell east from west and north from south.
float DegreesMinutesDM(const QString &degreesText, const QString &degreesField,
                       const QString &minutesText, const QString &minutesField, bool negate);

// Reduces an angle in degrees to [0, 360).
double Normalize360(double angle);

} // namespace ferolune
