#pragma once

#include "io/export/calendar_export.h"

#include <QByteArray>
#include <QDateTime>

namespace ferolune {

// The calendar as an iCalendar file (UTF-8): an all-day event for each moon-phase day and
// one for the run of fertile days before it; with a menstrual cycle, one for each fertile
// window of the cycle and one on each predicted start of bleeding. The UIDs depend only on the person, the
// moon-phase day and the event's kind, so a newer file for the same person and year
// replaces the events of an older one. `stamp` is the DTSTAMP of every event.
QByteArray CalendarIcs(const CalendarExport &calendar, const QDateTime &stamp = QDateTime::currentDateTimeUtc());

// The UID of the event of `kind` ("phase" or "fertile") belonging to moon-phase day `phaseDay`.
QString EventUid(const QString &personIdentity, const QDate &phaseDay, const char *kind);

} // namespace ferolune
