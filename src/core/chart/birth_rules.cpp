#include "core/chart/birth_rules.h"

#include "core/common/number_rules.h"

#include <QDate>

#include <array>
#include <cmath>

namespace ferolune {

namespace {

constexpr const char16_t *UncertaintyBounds =
    u"Helytelen „± PERC”! A születési idő bizonytalansága 0 és 180 perc között lehet.";

struct Bounds {
    double lowest;
    bool lowestAllowed; // the calendar year must be above 0
    double highest;
    const char16_t *message;
};

struct FieldBounds {
    BirthField field;
    std::optional<Bounds> bounds;
    bool wholeNumber; // rounded to a whole number before it is checked
};

const std::array<FieldBounds, 13> &boundsTable()
{
    using F = BirthField;
    static const std::array<FieldBounds, 13> rows = {{
        {F::Name, Bounds{0, true, MaxNameLength, u"Helytelen név! A név legfeljebb 100 karakter lehet."}, false},
        {F::Year, Bounds{1, true, 32767, u"Helytelen születési év!"}, true},
        {F::Month, Bounds{1, true, 12, u"Helytelen hónap!"}, true},
        // A day beyond the length of its month is refused with the same message.
        {F::Day, Bounds{1, true, 31, u"Helytelen nap!"}, true},
        {F::Hour, Bounds{0, true, 23, u"Helytelen óra!"}, false},
        {F::Minute, Bounds{0, true, 59, u"Helytelen perc!"}, false},
        {F::Zone, Bounds{-15, true, 15, u"Helytelen időzóna! Az időzóna -15 és 15 óra között lehet."}, false},
        // The degrees with their minutes are bounded as well, where the minutes are read.
        {F::LongitudeDegrees,
         Bounds{-180, true, 180, u"Helytelen földrajzi hosszúság! A hosszúság legfeljebb 180° lehet."}, false},
        {F::LongitudeMinutes, Bounds{-59, true, 59, u"Helytelen földrajzi hosszúság! A perc legfeljebb 59 lehet."},
         false},
        {F::LatitudeDegrees, Bounds{-90, true, 90, u"Helytelen földrajzi szélesség! A szélesség legfeljebb 90° lehet."},
         false},
        {F::LatitudeMinutes, Bounds{-59, true, 59, u"Helytelen földrajzi szélesség! A perc legfeljebb 59 lehet."},
         false},
        {F::CalendarYear, Bounds{0, false, 9999, u"Helytelen év!"}, true},
        // 0: a birth moment known to the minute.
        {F::Uncertainty, Bounds{0, true, 180, UncertaintyBounds}, false},
    }};
    return rows;
}

const FieldBounds &rowOf(BirthField field)
{
    return boundsTable()[static_cast<size_t>(field)];
}

bool outOfBounds(const Bounds &bounds, double value)
{
    const bool belowLowest = bounds.lowestAllowed ? value < bounds.lowest : value <= bounds.lowest;
    return !(value == value) || belowLowest || value > bounds.highest;
}

double valueOf(const BirthNumbers &numbers, BirthField field)
{
    switch (field) {
    case BirthField::Name:
        return static_cast<double>(numbers.name.size());
    case BirthField::Year:
        return numbers.year;
    case BirthField::Month:
        return numbers.month;
    case BirthField::Day:
        return numbers.day;
    case BirthField::Hour:
        return numbers.hour;
    case BirthField::Minute:
        return numbers.minute;
    case BirthField::Zone:
        return numbers.zoneHours;
    case BirthField::LongitudeDegrees:
        return numbers.longitude.degrees;
    case BirthField::LongitudeMinutes:
        return numbers.longitude.minutes;
    case BirthField::LatitudeDegrees:
        return numbers.latitude.degrees;
    case BirthField::LatitudeMinutes:
        return numbers.latitude.minutes;
    case BirthField::CalendarYear:
        return numbers.calendarYear;
    case BirthField::Uncertainty:
        return numbers.uncertaintyMinutes;
    }
    return 0;
}

double checkedValue(const FieldBounds &row, double value)
{
    return row.wholeNumber ? std::nearbyint(value) : value; // halves to even
}

// What no single field shows: a day beyond the length of its month, degrees with their
// minutes beyond the pole or the 180th meridian (reported at the degrees).
std::optional<FieldProblem> combinedProblem(const BirthNumbers &numbers, BirthField field)
{
    const auto beyond = [](BirthField degreesField, const DegreesMinutes &value,
                           double limit) -> std::optional<FieldProblem> {
        if (std::fabs(value.degrees + value.minutes / 60) <= limit)
            return std::nullopt;
        return FieldProblem{degreesField, BoundsMessage(degreesField)};
    };
    switch (field) {
    case BirthField::Day: {
        const int year = static_cast<int>(std::nearbyint(numbers.year));
        const int month = static_cast<int>(std::nearbyint(numbers.month));
        // The year and the month have passed their checks: a year from 1 on, Gregorian.
        if (std::nearbyint(numbers.day) > QDate(year, month, 1).daysInMonth())
            return FieldProblem{BirthField::Day, BoundsMessage(BirthField::Day)};
        return std::nullopt;
    }
    case BirthField::LongitudeMinutes:
        return beyond(BirthField::LongitudeDegrees, numbers.longitude, 180);
    case BirthField::LatitudeMinutes:
        return beyond(BirthField::LatitudeDegrees, numbers.latitude, 90);
    default:
        return std::nullopt;
    }
}

// The side of degrees + minutes/100, in single precision.
float sideValue(const DegreesMinutes &value)
{
    return static_cast<float>(value.degrees + value.minutes / 100);
}

double unsignedDegrees(const DegreesMinutes &value)
{
    return roundToSignificant15(value.degrees + value.minutes / 60);
}

} // namespace

QString BoundsMessage(BirthField field)
{
    const FieldBounds &row = rowOf(field);
    return row.bounds ? QString::fromUtf16(row.bounds->message) : QString();
}

std::optional<FieldProblem> FirstValueProblem(const BirthNumbers &numbers, BirthField last)
{
    for (const FieldBounds &row : boundsTable()) {
        if (static_cast<int>(row.field) > static_cast<int>(last))
            break;
        if (row.bounds && outOfBounds(*row.bounds, checkedValue(row, valueOf(numbers, row.field))))
            return FieldProblem{row.field, BoundsMessage(row.field)};
        if (std::optional<FieldProblem> problem = combinedProblem(numbers, row.field))
            return problem;
    }
    return std::nullopt;
}

BirthInput BirthInputOf(const BirthNumbers &numbers)
{
    BirthInput birth;
    birth.name = numbers.name;
    birth.year = static_cast<std::int16_t>(std::nearbyint(numbers.year));
    birth.month = static_cast<std::int16_t>(std::nearbyint(numbers.month));
    birth.day = static_cast<std::int16_t>(std::nearbyint(numbers.day));
    birth.hour = static_cast<float>(numbers.hour);
    birth.minute = static_cast<float>(numbers.minute);
    birth.zone = UtcOffset{static_cast<float>(numbers.zoneHours)};
    birth.place = {SignedLongitude(numbers.longitude, numbers.east), SignedLatitude(numbers.latitude, numbers.north)};
    birth.uncertaintyMinutes = static_cast<int>(numbers.uncertaintyMinutes);
    birth.birthPlace = numbers.birthPlace;
    birth.residence = numbers.residence;
    return birth;
}

Expected<CheckedRun, FieldProblem> CheckRunNumbers(const BirthNumbers &numbers)
{
    if (std::optional<FieldProblem> problem = FirstValueProblem(numbers))
        return Unexpected(*problem);
    return CheckedRun{BirthInputOf(numbers), static_cast<int>(std::nearbyint(numbers.calendarYear))};
}

double SignedLongitude(const DegreesMinutes &value, bool east)
{
    // East makes the side value negative, and a negative side value east of Greenwich.
    const float side = east ? -sideValue(value) : sideValue(value);
    const double degrees = unsignedDegrees(value);
    return side < 0 ? degrees : -degrees;
}

double SignedLatitude(const DegreesMinutes &value, bool north)
{
    const float side = north ? sideValue(value) : -sideValue(value);
    const double degrees = unsignedDegrees(value);
    return !(side < 0) ? degrees : -degrees;
}

} // namespace ferolune
