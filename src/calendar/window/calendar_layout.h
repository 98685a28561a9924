#pragma once

// Where the calendar window's controls stand. The window was drawn in twips; every place
// below is a whole number of pixels.

#include "widgets/window_metrics.h"

#include <QRect>

namespace ferolune {

constexpr QPoint twipsPoint(int left, int top)
{
    return {twipsToPixels(left), twipsToPixels(top)};
}

// The client area of the calendar window.
constexpr QSize CalendarClientSize{10395 / TwipsPerPixel, 8010 / TwipsPerPixel};

// The legend swatches carry the indices after the 365 day cells.
constexpr int FirstLegendIndex = 365;
constexpr int LegendCount = 4;

// Day cell P(index), 0..364: one row per month, one column per day of the month.
QRect DayCellRect(int dayIndex);

// Hour cell PR(index), 0..71: index = 24 x detail day (0..2) + hour.
QRect HourCellRect(int hourIndex);

// Legend swatch PX(index), 365..368.
QRect LegendCellRect(int legendIndex);

} // namespace ferolune
