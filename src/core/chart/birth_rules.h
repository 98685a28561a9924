#pragma once

// The bounds a calendar run sets on the birth data and the calendar year, checked on the
// numbers before a run starts, whichever door they came in by: a value the run refuses
// gets the message of its field ("Helytelen nap!"), and the first such field in the order
// the user fills them is the one reported.

#include "core/chart/birth_input.h"
#include "core/common/result.h"

#include <QString>

#include <optional>

namespace ferolune {

// The birth data and the calendar year, by what they hold, in the order the user fills them.
enum class BirthField {
    Name,
    Year,
    Month,
    Day,
    Hour,
    Minute,
    Zone,
    LongitudeDegrees,
    LongitudeMinutes,
    LatitudeDegrees,
    LatitudeMinutes,
    CalendarYear,
    Uncertainty,
};

// Why a run cannot start with the value of a field, in Hungarian.
struct FieldProblem {
    BirthField field = BirthField::Name;
    QString message;
    bool operator==(const FieldProblem &) const = default;
};

// The longest name a run takes, in UTF-16 units: room for any real name with its titles.
inline constexpr int MaxNameLength = 100;

// The message a value beyond the bounds of `field` gets; empty for a field without bounds.
QString BoundsMessage(BirthField field);

// Degrees and minutes of arc as the birth data give them, and the side of the equator or
// of Greenwich they lie on.
struct DegreesMinutes {
    double degrees = 0;
    double minutes = 0;
};

// The birth data and the calendar year as numbers, before the run's checks. The date parts
// and the calendar year are rounded to whole numbers (halves to even) by the checks.
struct BirthNumbers {
    QString name;
    double year = 0;
    double month = 0;
    double day = 0;
    double hour = 0; // the 24-hour clock
    double minute = 0;
    double zoneHours = 0; // universal time = local time + zoneHours
    DegreesMinutes longitude;
    bool east = true;
    DegreesMinutes latitude;
    bool north = true;
    double calendarYear = 0;
    double uncertaintyMinutes = 0;
    PlaceChoice birthPlace;
    PlaceChoice residence;
};

// The first field, no later than `last`, whose value a run refuses: a name longer than
// MaxNameLength, a date part beyond its
// bounds or a day the month does not have (30 February, month 0, day 0, a year before 1),
// an hour or minute off the clock, a zone beyond 15 hours, a longitude beyond 180° or a
// latitude beyond 90° (also with their minutes), minutes of arc above 59, a calendar year
// outside 1..9999, an uncertainty outside 0..180 minutes.
std::optional<FieldProblem> FirstValueProblem(const BirthNumbers &numbers, BirthField last = BirthField::Uncertainty);

// The birth the numbers make, once FirstValueProblem has nothing against them.
BirthInput BirthInputOf(const BirthNumbers &numbers);

// The birth and the calendar year, or the first problem.
struct CheckedRun {
    BirthInput birth;
    int calendarYear = 0;
};
Expected<CheckedRun, FieldProblem> CheckRunNumbers(const BirthNumbers &numbers);

// Signed decimal degrees (east and north positive) from degrees and minutes of arc,
// rounded to 15 significant digits. The side is that of degrees + minutes/100 in single
// precision, so that a negative degree field read from a file turns the side over.
double SignedLongitude(const DegreesMinutes &value, bool east);
double SignedLatitude(const DegreesMinutes &value, bool north);

} // namespace ferolune
