#pragma once

#include "core/common/process_setup.h"
#include "io/export/calendar_export.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

namespace ferolune {

// How an iCalendar file is written for a phone's calendar, which is often shared and synced.
struct IcsOptions {
    // Neutral summaries (the Discreet...Summary texts), no descriptions, a neutral calendar
    // name, product id and UIDs: nothing names fertility, bleeding, sex, the person, her
    // birth, the angle, the method or the program.
    bool discreet = false;
    // A display alarm this many hours before each event starts; none when empty.
    std::optional<int> reminderHours;
};

constexpr int MaxReminderHours = 168; // a week
inline const QString DiscreetPhaseSummary = QStringLiteral("●");
inline const QString DiscreetFertileSummary = QStringLiteral("○");
inline const QString DiscreetCycleWindowSummary = QStringLiteral("◇");
inline const QString DiscreetPredictedStartSummary = QStringLiteral("◆");

// The Hungarian message for a reminder outside 0..MaxReminderHours; empty when it is fine.
QString ReminderHoursProblem(int hours);

// The calendar as an iCalendar file (UTF-8): an all-day event for each moon-phase day and
// one for the run of fertile days before it; with a menstrual cycle, one for each fertile
// window of the cycle and one on each predicted start of bleeding. The UIDs depend only on the person and on
// where the event stands in its year (its kind and ordinal), so a newer file for the same
// person and year replaces the events of an older one, also after a corrected birth
// minute has moved them. `stamp` is the DTSTAMP of every event.
QByteArray CalendarIcs(const CalendarExport &calendar, const QDateTime &stamp = FileStamp(),
                       const IcsOptions &options = {});

// The kinds of event a calendar file holds. A UID names its kind by a letter alone, so that
// not even a discreet file's UIDs speak of fertility.
enum class EventKind : char {
    MoonPhaseDay = 'a',
    FertileDays = 'b',        // the fertile days before a moon-phase day
    YearEndFertileDays = 'c', // before a moon-phase day of 1 to 3 January of the next year
    CycleFertileWindow = 'd',
    PredictedPeriodStart = 'e',
};

// The summary of an event of the fertile days from `first` to `last`: "Termékeny nap" for
// one, "Termékeny napok" for more.
QString FertileDaysSummary(const QDate &first, const QDate &last);

// The UID of the `ordinal`-th (1, 2 ...) event of `kind` in calendar year `year` of the
// person `personIdentity` names: "<person hash>-2027a5@ferolune", in a discreet file
// "...@naptar", which names no program.
QString EventUid(const QString &personIdentity, int year, EventKind kind, int ordinal, bool discreet = false);

} // namespace ferolune
