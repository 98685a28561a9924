#pragma once

#include "io/export/calendar_export.h"

#include <QByteArray>
#include <QDateTime>
#include <QStringList>

#include <optional>

namespace ferolune {

// The calendar as CSV (UTF-8, CRLF line ends, fields quoted only where they must be): a
// header row "date,class,tag,exact,moon_sign,cycle_day,cycle" and one row per day entry.
QByteArray CalendarCsv(const CalendarExport &calendar);

// One CSV line of `fields`, quoted where they must be, ending in CRLF.
QString CsvRow(const QStringList &fields);

// A moment with its clock, "2027-04-09T20:29+01:00"; empty for none.
QString IsoTimeText(const std::optional<QDateTime> &moment);

// "not-fertile", "fertile", "phase-boy", "phase-girl"; empty for a cell never marked.
QString ClassName(DayClass dayClass);

// "period", "period-predicted", "fertile"; empty for a day without a cycle mark.
QString CycleMarkName(CycleMark mark);

} // namespace ferolune
