#pragma once

// What the export writers need from a calendar, independent of the window and of the
// day-cell layout: the person, the year and one entry per day, in date order.

#include "core/calendar/calendar_model.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace ferolune {

struct ExportDay {
    QDate date;
    DayClass dayClass = DayClass::NotFertile;
    QString tag;                    // "1-5-" on a moon-phase day (PhaseDayTag), else empty
    std::optional<QDateTime> exact; // local moment of the exact return, when known
    QString moonSign;               // "VIZONTO" on a moon-phase day, unpadded; else empty
    CycleDay cycle;                 // the menstrual cycle's day and mark; none without a cycle
    bool uncertain = false;         // another birth moment within the uncertainty classes it otherwise
    // The exact returns of the birth moment the uncertainty's minutes earlier and later,
    // on a moon-phase day of a run with an uncertainty.
    std::optional<QDateTime> exactEarliest, exactLatest;
    QString exactRange; // "±15 perc: 08:48–09:18" beside the exact return; empty without
};

struct CalendarExport {
    QString name;
    int year = 0;
    double natalAngle = 0;  // unrounded, for whoever needs the number
    QString natalAngleText; // as the window shows it, e.g. "280.2"
    QString personIdentity; // PersonIdentity() of the person; keys the event UIDs
    std::vector<ExportDay> days;
};

// The day entries of `model`: cell k is day k + 1 of its year, 365 or 366 of them, with the
// exact return and the Moon's sign of each moon-phase day and the cycle day of each day.
std::vector<ExportDay> ExportDaysOf(const CalendarModel &model);

// The tag a moon-phase day carries in the files: its month and day, each padded with "-"
// to two characters ("1-5-", "1225").
QString PhaseDayTag(const QDate &date);

} // namespace ferolune
