#pragma once

// The calendar year as it is: a leap year has 29 February and 366 days, and a day's
// index in the calendar is its day of the year - 1.

#include <array>

namespace ferolune {

struct MonthDay {
    int month = 0;
    int day = 0;
    bool operator==(const MonthDay &) const = default;
};

// Gregorian leap years: every fourth year, except centuries not divisible by 400.
bool IsLeapYear(int year);

// 366 in a leap year, else 365.
int DaysInYear(int year);

// Length of month 1..12 of `year`. Throws std::out_of_range for other months.
int MonthLength(int year, int month);

// Month and day of day-of-year 1..DaysInYear(year). Throws std::out_of_range for other days.
MonthDay DateOfDayOfYear(int year, int dayOfYear);

// Month and day of day index 0..dayCount - 1 in a year of `dayCount` (365 or 366) days,
// for callers that know the length of the year but not the year.
MonthDay DateOfDayIndex(int dayIndex, int dayCount);

// Day of the year 1..366 of month/day of `year`. Throws std::out_of_range for a date
// the year does not have.
int DayOfYear(int year, int month, int day);

// One day of the detail strip.
struct DetailDay {
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const DetailDay &) const = default;
};

// The day before, the day itself and the day after month/day of `year`, by the real
// month lengths: 1 March is preceded by 29 February in a leap year and by 28 February
// otherwise, 31 December followed by 1 January of the next year. Throws
// std::out_of_range for a month outside 1..12 or a day the month does not have.
std::array<DetailDay, 3> DetailDays(int year, int month, int day);

} // namespace ferolune
