#include "io/page/page_layout.h"

#include "core/calendar/calendar_year.h"

namespace ferolune {

QRect DayCellRect(int dayIndex, int dayCount)
{
    const MonthDay date = DateOfDayIndex(dayIndex, dayCount);
    // Neighbouring cells overlap by 15 twips: step 240 for width 255, step 300 for height 315.
    return twipsRect(1560 + 240 * (date.day - 1), 540 + 300 * (date.month - 1), 255, 315);
}

QRect HourCellRect(int hourIndex)
{
    const int detailDay = hourIndex / 24;
    const int hour = hourIndex % 24;
    return twipsRect(2820 + 1560 * detailDay + 60 * hour, 7140, 75, 375);
}

QRect LegendCellRect(int legendIndex)
{
    return twipsRect(480, 4680 + 360 * (legendIndex - FirstLegendIndex), 255, 315);
}

} // namespace ferolune
