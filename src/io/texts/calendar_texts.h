#pragma once

// The Hungarian words of a computed calendar, wherever it is shown or written: the exact
// returns in a tooltip and under the day detail, the menstrual cycle's basis and days, the
// clock the times are on, and why a run could not be made.

#include "core/calendar/calendar_model.h"
#include "core/calendar/calendar_run.h"
#include "core/calendar/menstrual_cycle.h"

#include <QString>

namespace ferolune {

// Said wherever the cycle is entered, drawn or explained.
inline const QString MethodReliabilityNote =
    QStringLiteral("Sem a holdnaptár (Jonas-módszer), sem a naptármódszer (Knaus–Ogino) nem megbízható módja a "
                   "terhesség elkerülésének.");

// "±15 perc: 08:48–09:18": the exact returns of the birth moment the uncertainty's minutes
// earlier and later; empty without an uncertainty.
QString ExactRangeText(const ExactReturn &exact);

// "2027.01.28 23:14 (UTC+1) – Hold: VIZONTO", with an uncertainty a line "±15 perc:
// 22:59–23:29", and on a change of sign a line "a Hold jelet vált: BAK → VIZONTO". The
// moon-phase day is `day`: a return that falls on the day before or after it says so.
QString ExactReturnToolTip(const ExactReturn &exact, const QDate &day);

// The line under the detail's dates: the exact moment to the second with its clock, its
// range with an uncertainty, and the span of minutes that match to the tenth of a degree;
// a return on the day before or after the moon-phase day `day` says so.
QString ExactReturnDetailLine(const ExactReturn &exact, const QDate &day);

// The tooltip of a day cell: the exact return of a moon-phase day; for an uncertain day the
// class another birth minute could give it, for a sure day whose range crosses midnight
// why it stays sure; the day of the cycle. Empty for a plain day.
QString DayCellToolTip(const CalendarModel &model, int dayIndex);

// What a day cell says to a screen reader and under the calendar: "2027. június 22.,
// holdfázis nap – fiú, pontos visszatérés 23:19 (UTC+1)", with "ma" for today, an
// uncertain day's note and the day of the cycle.
QString DayCellName(const CalendarModel &model, int dayIndex, bool today = false);
// Its date and class alone: "ma, 2027. június 22., holdfázis nap – fiú".
QString DayCellHeading(const CalendarModel &model, int dayIndex, bool today = false);

// "8 ciklus alapján: 27–31 nap" or "kevesebb mint 6 ciklus: a megadott 26–32 nap".
QString BasisLine(const CycleBasis &basis);

// What a day's tooltip says of it: "A ciklus 12. napja – termékeny (ciklus)"; empty for a
// day outside any cycle.
QString CycleDayText(const CycleDay &day);

// What a calendar without a place of residence says of its times: they stay on the birth
// zone all year, summer time or not ("az idők a születési zóna szerint (UTC+1)").
QString BirthZoneNote(UtcOffset zone);

// Why a run of `request` gave no calendar (or no detail); empty when it was stopped.
QString RunFailureMessage(RunFailure failure, const CalendarRequest &request);

} // namespace ferolune
