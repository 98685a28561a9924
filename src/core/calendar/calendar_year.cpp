#include "core/calendar/calendar_year.h"

#include <stdexcept>

namespace ferolune {

namespace {

constexpr std::array<int, 12> CommonMonthLengths = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

int monthLengthIn(bool leapYear, int month)
{
    if (month < 1 || month > 12)
        throw std::out_of_range("MonthLength: no such month");
    return CommonMonthLengths[static_cast<size_t>(month - 1)] + (leapYear && month == 2 ? 1 : 0);
}

} // namespace

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInYear(int year)
{
    return IsLeapYear(year) ? 366 : 365;
}

int MonthLength(int year, int month)
{
    return monthLengthIn(IsLeapYear(year), month);
}

MonthDay DateOfDayIndex(int dayIndex, int dayCount)
{
    if (dayIndex < 0 || dayIndex >= dayCount || (dayCount != 365 && dayCount != 366))
        throw std::out_of_range("DateOfDayIndex: no such day in the year");
    int daysLeft = dayIndex;
    for (int month = 1; month <= 12; ++month) {
        const int length = monthLengthIn(dayCount == 366, month);
        if (daysLeft < length)
            return {month, daysLeft + 1};
        daysLeft -= length;
    }
    return {}; // not reached: the last index is within December
}

MonthDay DateOfDayOfYear(int year, int dayOfYear)
{
    return DateOfDayIndex(dayOfYear - 1, DaysInYear(year));
}

int DayOfYear(int year, int month, int day)
{
    if (day < 1 || day > MonthLength(year, month))
        throw std::out_of_range("DayOfYear: no such day in the month");
    int dayOfYear = day;
    for (int before = 1; before < month; ++before)
        dayOfYear += MonthLength(year, before);
    return dayOfYear;
}

std::array<DetailDay, 3> DetailDays(int year, int month, int day)
{
    const int length = MonthLength(year, month);
    if (day < 1 || day > length)
        throw std::out_of_range("DetailDays: no such day in the month");

    DetailDay before{year, month, day - 1};
    if (day == 1)
        before = month == 1 ? DetailDay{year - 1, 12, 31} : DetailDay{year, month - 1, MonthLength(year, month - 1)};
    DetailDay after{year, month, day + 1};
    if (day == length)
        after = month == 12 ? DetailDay{year + 1, 1, 1} : DetailDay{year, month + 1, 1};
    return {before, DetailDay{year, month, day}, after};
}

} // namespace ferolune
