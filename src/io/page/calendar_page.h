#pragma once

// The calendar page: the year's day cells in twelve month rows under the day numbers, the
// legend, the birth-data box with its heading, chart text and angle, the detail strip with
// its dates, the exact moment and the note on the built-in ephemeris. One painter draws it
// on the calendar window, on the printer and into a PDF, with Qt Gui alone.

#include "core/calendar/calendar_model.h"
#include "core/chart/natal_chart.h"

#include <QColor>
#include <QDate>
#include <QString>
#include <QStringList>

class QIODevice;
class QPagedPaintDevice;
class QPainter;

namespace ferolune {

// What the page says of a calendar above and beside its cells.
struct CalendarHeading {
    QString yearText;  // the calendar year as typed
    QString name;      // the person's name
    QString residence; // the place of residence ("name, county, country"), empty when none
    // Without a residence the times stay on the birth zone all year, summer or not; the
    // heading says so ("az idők a születési zóna szerint (UTC+1)"). Empty with a residence.
    QString clockNote;
    // The day the page is made on: marked when it lies in the year shown; invalid marks
    // nothing (a file made for later, or a test).
    QDate today;
    bool operator==(const CalendarHeading &) const = default;
};

// What a page shows. Until a run fills them in, the texts are the designed ones.
struct CalendarPageContent {
    CalendarHeading heading;
    bool loaded = false;                             // the heading names the person
    QString chartText = QStringLiteral("lblData");   // five lines
    QString angleCaption = QStringLiteral("lblFok");
    CalendarModel model;                             // cells, strip, dates, exact returns
    QColor background = Qt::white;                   // the cells no run has reset yet
};

// The page of a calendar run: its year and person, the natal chart's five lines and angle
// caption, and the cells.
CalendarPageContent PageOfRun(const CalendarHeading &heading, const NatalChart &natal, const CalendarModel &model);

// The day cell of `content.heading.today`, -1 when today is not in the year shown.
int TodayCellIndex(const CalendarPageContent &content);

// The legend row of the days another birth moment within the uncertainty would class
// otherwise: "Bizonytalan nap (±15 perc)".
QString UncertainDayLegendText(int uncertaintyMinutes);

// The heading of the birth-data box as it stands on the page: on one line when it
// fits, else the place of residence on a second line; a line still too long for the box
// ends in an ellipsis, and `full` is what it shortens.
struct PageHeading {
    QStringList lines;
    QString full;
    bool shortened = false;
};
PageHeading LayOutHeading(const CalendarPageContent &content);

// The texts of the page.
enum class PageText {
    Year,         // the calendar year, top left
    Heading,      // the birth-data box's heading, in full
    ChartText,    // the natal chart's five lines
    AngleCaption, // "NAP-HOLD FOK: 280.2"
    DetailDate1,  // the three dates of the detail strip
    DetailDate2,
    DetailDate3,
    ExactLine,     // the exact return under a finished detail
    EphemerisNote, // the note on the built-in ephemeris
};

// A text as the page shows it; empty for a text the page does not show.
QString TextOf(const CalendarPageContent &content, PageText text);

// The colour of a cell: day cells 0..dayCount - 1, legend swatches from FirstLegendIndex.
QColor DayCellColour(const CalendarPageContent &content, int index);
QColor HourCellColour(const CalendarPageContent &content, int hourIndex);
// The colour a day class is shown in: white, yellow, red or blue; `background` for a day
// no run has classed.
QColor DayClassColour(DayClass dayClass, const QColor &background = Qt::white);
// The green of the menstrual cycle's fertile window.
QColor CycleWindowColour();

// Draws the page at its own size, CalendarClientSize, from (0, 0) of `painter`.
void PaintCalendarPage(QPainter &painter, const CalendarPageContent &content);

// The page on one sheet of `device`, scaled to fit its printable area with its proportions
// kept and centred; the document ends with it. False when the device could not be opened.
bool DrawCalendarSheet(QPagedPaintDevice &device, const CalendarPageContent &content);

// The page as a PDF document, A4 landscape, written to `out`.
bool WriteCalendarPdf(QIODevice &out, const CalendarPageContent &content);
// The same document in memory; empty when it could not be made.
QByteArray CalendarPdf(const CalendarPageContent &content);

// The resolution the page is laid out at: 15 twips a pixel. A device the page is drawn on
// takes it, so that its fonts keep their size against the cells.
constexpr int PageDpi = 96;

} // namespace ferolune
