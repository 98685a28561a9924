#pragma once

// A finished calendar run as the file a user saves: what the writers need from the run,
// and the bytes of the text formats. The PDF page is drawn by the calendar window.

#include "io/export/calendar_export.h"
#include "io/export/export_file.h"
#include "io/export/ics_export.h"

#include <QByteArray>

namespace ferolune {

struct NatalChart;

// The export of a run that went through: the person's name and identity (PersonIdentity of
// the birth fields it ran with), its calendar year, its natal chart and the days it marked.
CalendarExport CalendarExportOf(const QString &name, const QString &personIdentity, int year, const NatalChart &natal,
                                const CalendarModel &model);

// The iCalendar (written as `ics` says) or CSV bytes of `calendar`; empty for the PDF,
// which needs the page painter.
QByteArray TextFileOf(const CalendarExport &calendar, ExportFormat format, const IcsOptions &ics = {});

} // namespace ferolune
