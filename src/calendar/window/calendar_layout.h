#pragma once

// Where the calendar window's controls stand. The window was drawn in twips; every place
// below is a whole number of pixels.

#include "calendar/calendar_model.h"
#include "widgets/window_metrics.h"

#include <QRect>

namespace ferolune {

constexpr QPoint twipsPoint(int left, int top)
{
    return {twipsToPixels(left), twipsToPixels(top)};
}

// The client area of the calendar window; below the detail strip it holds two lines: the
// detail's exact moment and the note on the built-in ephemeris.
constexpr QSize CalendarClientSize{10395 / TwipsPerPixel, 8280 / TwipsPerPixel};

// The legend swatches carry the indices after the day cells of the longest year.
constexpr int FirstLegendIndex = CalendarModel::MaxDayCount;
constexpr int LegendCount = 4;

// Day cell P(index), 0..dayCount - 1, of a year of `dayCount` days: one row per month, one
// column per day of the month (29 February in column 29 of a leap year).
QRect DayCellRect(int dayIndex, int dayCount);

// Hour cell PR(index), 0..71: index = 24 x detail day (0..2) + hour.
QRect HourCellRect(int hourIndex);

// Legend swatch PX(index), FirstLegendIndex.. FirstLegendIndex + 3.
QRect LegendCellRect(int legendIndex);

} // namespace ferolune
