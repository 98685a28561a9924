#pragma once

// A finished calendar run as the file a user saves: what the writers need from the run,
// and the bytes of the text formats. The PDF page is drawn by the calendar window.

#include "export/calendar_export.h"
#include "export/export_file.h"

#include <QByteArray>

namespace ferolune {

struct ChartState;

// The export of a run that went through: the birth fields it ran with, its calendar year,
// the natal chart in `state` and the days marked in `model`.
CalendarExport CalendarExportOf(const BirthData &fields, const QString &calendarYearText, const ChartState &state,
                                const CalendarModel &model);

// The iCalendar or CSV bytes of `calendar`; empty for the PDF, which needs the window.
QByteArray TextFileOf(const CalendarExport &calendar, ExportFormat format);

} // namespace ferolune
