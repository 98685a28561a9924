#pragma once

// Where everything stands on the calendar page, which is also the calendar window's client
// area. The page was drawn in twips; every place below is a whole number of pixels.

#include "core/calendar/calendar_model.h"
#include "io/page/window_metrics.h"

#include <QRect>

namespace ferolune {

constexpr QPoint twipsPoint(int left, int top)
{
    return {twipsToPixels(left), twipsToPixels(top)};
}

// The page, and the calendar window's client area; below the detail strip it holds two
// lines: the detail's exact moment and the note on the built-in ephemeris. Right of the
// month rows stands a second legend column for the marks drawn over the day colours.
constexpr int SecondLegendLeft = 10500;
constexpr int SecondLegendWidth = 2820;
constexpr QSize CalendarClientSize{(SecondLegendLeft + SecondLegendWidth) / TwipsPerPixel, 8280 / TwipsPerPixel};

// A row of the second legend, 0, 1, 2 ...: its swatch and its text beside it.
constexpr QRect SecondLegendSwatchRect(int row)
{
    return twipsRect(SecondLegendLeft, 600 + 360 * row, 255, 315);
}
constexpr QRect SecondLegendTextRect(int row)
{
    return twipsRect(SecondLegendLeft + 345, 600 + 360 * row, SecondLegendWidth - 405, 315);
}
// The rows of the second legend: the menstrual cycle's three marks, the basis line of
// the cycle under them, then the uncertain day; the note on the methods' reliability
// stands below them all.
constexpr int CycleFertileLegendRow = 0;
constexpr int PeriodStartLegendRow = 1;
constexpr int PredictedStartLegendRow = 2;
constexpr int CycleBasisLegendRow = 3;
constexpr int UncertainDayLegendRow = 4;
constexpr QRect MethodNoteRect = twipsRect(SecondLegendLeft, 600 + 360 * 5 + 120, SecondLegendWidth - 60, 1800);

// The legend swatches carry the indices after the day cells of the longest year.
constexpr int FirstLegendIndex = CalendarModel::MaxDayCount;
constexpr int LegendCount = 4;

// Day cell 0..dayCount - 1 of a year of `dayCount` days: one row per month, one
// column per day of the month (29 February in column 29 of a leap year).
QRect DayCellRect(int dayIndex, int dayCount);

// Hour cell of the detail strip, 0..71: index = 24 x detail day (0..2) + hour.
QRect HourCellRect(int hourIndex);

// Legend swatch FirstLegendIndex.. FirstLegendIndex + 3.
QRect LegendCellRect(int legendIndex);

// The birth-data box, with its sunken border, and the width of that border.
constexpr QRect BirthDataBoxRect = twipsRect(3000, 4200, 6015, 2535);
constexpr int BirthDataBoxBorder = 2;

// A place inside the birth-data box, measured from the inside of its border, on the page.
constexpr QRect inBirthDataBox(QRect rect)
{
    return rect.translated(BirthDataBoxRect.topLeft() + QPoint(BirthDataBoxBorder, BirthDataBoxBorder));
}

// The heading, the chart text and the angle in the birth-data box.
constexpr QRect HeadingRect = inBirthDataBox(twipsRect(120, 60, 5775, 315));
constexpr QRect ChartTextRect = inBirthDataBox(twipsRect(120, 420, 5775, 1575));
constexpr QRect AngleRect = inBirthDataBox(twipsRect(120, 2040, 5775, 375));

// The print and save buttons of the window stand here; the page leaves the place blank.
constexpr QRect PrintButtonRect = twipsRect(1140, 6240, 1635, 435);
constexpr QRect SaveButtonRect = twipsRect(60, 6240, 1020, 435);
// The wait panel of the window lies over the cells and the strip while a run works.
constexpr QRect WaitPanelRect = twipsRect(0, 0, 10395, 7995);

} // namespace ferolune
