#pragma once

// The planner's list as a file: the CSV table, the phone calendar's events and the printed
// pages as PDF. The window and the command line make their files here.

#include "core/calendar/plan.h"
#include "io/export/export_file.h"
#include "io/export/ics_export.h"
#include "io/page/plan_page.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace ferolune {

// A finished plan as the user keeps it: the person and her clock, the identity her
// calendar events carry, every row of the span and the rows she asked to see.
struct PlanDocument {
    CalendarHeading heading;
    QString personIdentity; // PersonIdentity()
    PlanResult plan;        // every moon-phase day of the span
    PlanFilter filter;

    std::vector<PlanRow> rows() const { return FilteredRows(plan.rows, filter); }
};

// The pages of a document: its rows as filtered.
PlanSheet SheetOf(const PlanDocument &document);

// "phase_day,sex,fertile_from,exact,cycle_overlap,uncertain,exact_earliest,exact_latest" and a
// line for each row kept, UTF-8 with CRLF line ends, the times as in the calendar's CSV.
QByteArray PlanCsv(const PlanDocument &document);

// Each kept row as the calendar file of its year writes it: its moon-phase day and its
// fertile days, under the UIDs that file gives them, so that the two replace each other in
// a phone's calendar. Fertile days that cross a year end are two events, as in the two
// years' files.
QByteArray PlanIcs(const PlanDocument &document, const QDateTime &stamp = FileStamp(), const IcsOptions &options = {});

// The document as `format`, or why the bytes could not be made.
Expected<QByteArray, QString> PlanFileBytes(const PlanDocument &document, ExportFormat format,
                                            const IcsOptions &ics = {}, const QDateTime &stamp = FileStamp());

// "naptar-2026-12-10.csv": as neutral as the calendar's own names.
QString ProposedPlanFileName(const QDate &from, ExportFormat format);

} // namespace ferolune
