#include "calendar/calendar_layout.h"

#include <array>

namespace ferolune {

namespace {

// Last day of the year of each month in the fixed 365-day year.
constexpr std::array<int, 12> MonthLimits{31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};

} // namespace

MonthDay MonthDayOfIndex(int dayIndex)
{
    const int dayOfYear = dayIndex + 1;
    int previousLimit = 0;
    for (int month = 0; month < 12; ++month) {
        if (dayOfYear <= MonthLimits[month])
            return {month + 1, dayOfYear - previousLimit};
        previousLimit = MonthLimits[month];
    }
    return {};
}

QRect DayCellRect(int dayIndex)
{
    const MonthDay date = MonthDayOfIndex(dayIndex);
    // Neighbouring cells overlap by 15 twips: step 240 for width 255, step 300 for height 315.
    return TwipsRect(1560 + 240 * (date.day - 1), 540 + 300 * (date.month - 1), 255, 315);
}

QRect HourCellRect(int hourIndex)
{
    const int detailDay = hourIndex / 24;
    const int hour = hourIndex % 24;
    return TwipsRect(2820 + 1560 * detailDay + 60 * hour, 7140, 75, 375);
}

QRect LegendCellRect(int legendIndex)
{
    return TwipsRect(480, 4680 + 360 * (legendIndex - FirstLegendIndex), 255, 315);
}

} // namespace ferolune
