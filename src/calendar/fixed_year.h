#pragma once

// The calendar's fixed 365-day year: February always has 28 days, so in a leap year
// 29 February has no cell and day 60 is 1 March.

#include <array>

namespace ferolune {

struct MonthDay {
    int month = 0;
    int day = 0;
    bool operator==(const MonthDay &) const = default;
};

// Length of month 1..12 in the fixed year. Throws std::out_of_range for other months.
int MonthLength(int month);

// Month and day of day-of-year 1..365. Throws std::out_of_range for other days.
MonthDay DateOfDayOfYear(int dayOfYear);

// One day of the detail strip: its year (whole number, held as the runs hold it), month
// and day.
struct DetailDay {
    double year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const DetailDay &) const = default;
};

// The day before, the day itself and the day after month/day of `year`, by the fixed
// year: 1 March is preceded by 28 February, 31 December followed by 1 January of the
// next year. Throws std::out_of_range for a month outside 1..12 or a day outside it.
std::array<DetailDay, 3> DetailDays(double year, int month, int day);

} // namespace ferolune
