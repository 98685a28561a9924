#pragma once

// The planner's list on paper: one or two A4 pages, portrait, in the calendar's colours,
// drawn by one painter for the printer and the PDF.

#include "core/calendar/plan.h"
#include "io/page/calendar_page.h"

#include <QByteArray>
#include <QSize>

class QPagedPaintDevice;
class QPainter;

namespace ferolune {

// What the pages show: the person and her clock as on the calendar's heading, the angle
// caption, and the rows as listed.
struct PlanSheet {
    CalendarHeading heading; // the year is not read
    QString angleCaption;
    PlanResult plan;
    PlanFilter filter; // the rows of `plan` are already the filtered ones
};

// A page at its own size, scaled to the printable area of an A4 sheet.
constexpr QSize PlanPageSize{720, 1040};

// The pages the rows take: 1, or 2 for the longest spans.
int PlanPageCount(const PlanSheet &sheet);

// Page `page` (0-based) at PlanPageSize from (0, 0) of `painter`.
void PaintPlanPage(QPainter &painter, const PlanSheet &sheet, int page);

// Every page on its own sheet of `device`, scaled to fit; false when the device could not
// be opened or a page not begun.
bool DrawPlanSheets(QPagedPaintDevice &device, const PlanSheet &sheet);

// The pages as a PDF document, A4 portrait; empty when it could not be made.
QByteArray PlanPdf(const PlanSheet &sheet);

} // namespace ferolune
