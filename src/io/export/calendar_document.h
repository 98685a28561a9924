#pragma once

// A calendar from the order to the file: what a run is asked for (the computation's request
// with the page's heading and the person's identity), the finished calendar as the user keeps
// it, and its bytes in each format. The window and the command line make their files here.

#include "core/calendar/calendar_run.h"
#include "core/chart/birth_rules.h"
#include "core/common/process_setup.h"
#include "io/export/calendar_export.h"
#include "io/export/export_file.h"
#include "io/export/ics_export.h"
#include "io/page/calendar_page.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace ferolune {

// A calendar to make, and what its page and files will say of it.
struct CalendarOrder {
    CalendarRequest request;
    CalendarHeading heading;
    QString personIdentity; // PersonIdentity(): keys the UIDs of her calendar events
};

// The order of a checked birth and calendar year: `yearText` as the year was given, her
// place of residence's zone (empty: the birth zone), her cycle, and the event key of her
// saved person (empty when she was never saved).
CalendarOrder CalendarOrderOf(const CheckedRun &run, const QString &yearText, const QByteArray &residenceZoneId,
                              const CycleHistory &cycle = {}, const QString &eventKey = {});

// A text that names the person in the events of her exported calendars: the event key of
// her saved person when there is one, so that a corrected name or birth minute keeps it;
// else her trimmed name with her birth date, clock time, zone and place, so that two
// births never share one. Two exports of the same person carry the same identity whatever
// year or day they were made.
QString PersonIdentity(const BirthInput &birth, const QString &eventKey = {});

// A finished calendar: its heading, the person's identity, the natal chart and the cells
// (with the detail strip last shown).
struct CalendarDocument {
    CalendarHeading heading;
    QString personIdentity;
    NatalChart natal;
    CalendarModel calendar;
};

CalendarDocument DocumentOf(const CalendarOrder &order, const CalendarResult &result);

// What the writers take from it; the texts without control characters, which an
// iCalendar or CSV file may not carry.
CalendarExport ExportOf(const CalendarDocument &document);

// `text` without its control characters (U+0000 to U+001F, U+007F to U+009F).
QString WithoutControlCharacters(const QString &text);

// Sets the creation date a PDF made by Qt carries to `moment`, byte for byte in place.
void SetPdfCreationDate(QByteArray &pdf, const QDateTime &moment);

// A painted PDF as a file keeps it: dated SOURCE_DATE_EPOCH when that is set; refused when
// the painter made nothing.
Expected<QByteArray, QString> PdfFileBytes(QByteArray pdf);

// The calendar as `format`: the printed page as PDF (dated SOURCE_DATE_EPOCH when it is set), or the iCalendar file
// (written as `ics` says, its events stamped `stamp`: SOURCE_DATE_EPOCH or now) or the CSV table; else why the bytes
// could not be made.
Expected<QByteArray, QString> CalendarFileBytes(const CalendarDocument &document, ExportFormat format,
                                                const IcsOptions &ics = {}, const QDateTime &stamp = FileStamp());

} // namespace ferolune
