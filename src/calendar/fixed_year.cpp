#include "calendar/fixed_year.h"

#include <stdexcept>

namespace ferolune {

namespace {

// Last day-of-year of each month.
constexpr std::array<int, 12> MonthLimits = {31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};

} // namespace

int MonthLength(int month)
{
    if (month < 1 || month > 12)
        throw std::out_of_range("MonthLength: no such month");
    const int previousLimit = month == 1 ? 0 : MonthLimits[static_cast<size_t>(month - 2)];
    return MonthLimits[static_cast<size_t>(month - 1)] - previousLimit;
}

MonthDay DateOfDayOfYear(int dayOfYear)
{
    if (dayOfYear < 1 || dayOfYear > 365)
        throw std::out_of_range("DateOfDayOfYear: no such day in the fixed year");
    int previousLimit = 0;
    for (int month = 1; month <= 12; ++month) {
        const int limit = MonthLimits[static_cast<size_t>(month - 1)];
        if (dayOfYear <= limit)
            return {month, dayOfYear - previousLimit};
        previousLimit = limit;
    }
    return {}; // not reached: day 365 is within December
}

std::array<DetailDay, 3> DetailDays(double year, int month, int day)
{
    const int length = MonthLength(month);
    if (day < 1 || day > length)
        throw std::out_of_range("DetailDays: no such day in the month");

    DetailDay before{year, month, day - 1};
    if (day == 1)
        before = month == 1 ? DetailDay{year - 1, 12, 31} : DetailDay{year, month - 1, MonthLength(month - 1)};
    DetailDay after{year, month, day + 1};
    if (day == length)
        after = month == 12 ? DetailDay{year + 1, 1, 1} : DetailDay{year, month + 1, 1};
    return {before, DetailDay{year, month, day}, after};
}

} // namespace ferolune
