#pragma once

// The calendar computation: the year scan that classifies the days of the year and the
// minute-by-minute detail of a moon-phase day and its two neighbours. Both work on a
// snapshot of the main window's fields and never change it; they mark a CalendarModel.

#include "calendar/calendar_model.h"
#include "chart/birth_data.h"
#include "chart/chart_state.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace ferolune {

class Ephemeris;

// How far a run has come, reported before every moment. Returning false from the
// callback stops the run before that moment.
struct RunProgress {
    enum class Unit { Day, Minute };
    int done = 0;  // scan: ScanIndex (days passed, jumps included); detail: minutes done
    int total = 0; // scan: the days of the year, 365 or 366; detail: 4,320
    Unit unit = Unit::Day; // what is counted: the scan's days or the detail's minutes
};
using MomentCallback = std::function<bool(const RunProgress &)>;

enum class RunOutcome { Finished, Stopped };

// The year scan. Needs the natal angle of a mode-0 evaluation in `state`. Sizes the
// calendar to the days of the year (366 in a leap year), resets the day cells to white,
// then scans `calendarYearText` with the zone and place of `fields`; builtInEphemeris says
// whether the library had to take its built-in ephemeris for part of the year.
// Throws RunError (a text that is not a number, naming its field; the calendar year is
// "Text3") before anything is reset, or EphemerisError (a moment the library cannot
// compute); the library's files are closed whatever happens. A stopped or failed run
// leaves the cells it marked so far. A moon-phase day within the last 20 days of the year
// ends the scan: the days its jump would reach lie past 31 December. Otherwise the scan
// goes on into 1 to 3 January of the next year, whose moon-phase days get no cell but mark
// the fertile days before them in December.
// `residenceZoneId` (an IANA zone, e.g. "Europe/Budapest") puts every moment on the local
// clock of the place of residence, with the summer time of its day: a skipped hour is not
// sampled, a repeated one is sampled twice. Empty, or a zone the system does not know,
// keeps the zone of the zone field.
RunOutcome ScanYear(ChartState &state, const BirthData &fields, const QString &calendarYearText,
                    Ephemeris &ephemeris, CalendarModel &model, const MomentCallback &beforeMoment,
                    const QByteArray &residenceZoneId = {});

// The day detail of month `CurHo`, day `CurNap` of the calendar year: resets the hour
// cells, evaluates every minute of the day before, the day and the day after, and writes
// each day's caption ("2024.3.4") once its 1,440 minutes are done; the captions of days
// not done yet are empty; detailDayIndex names the clicked day's cell. Throws as
// ScanYear, RunError before the strip is reset; std::out_of_range for a month or day that
// the calendar year does not have. `residenceZoneId` as for ScanYear: every minute of the
// place's clock, a repeated hour's minutes twice in its hour cell, a skipped hour none.
RunOutcome Reszletes(ChartState &state, const BirthData &fields, const QString &calendarYearText, float CurHo,
                     float CurNap, Ephemeris &ephemeris, CalendarModel &model, const MomentCallback &beforeMoment,
                     const QByteArray &residenceZoneId = {});

// Month and day of a moon-phase day cell's tag ("1-5-" gives 1 and 5, "1225" 12 and 25).
struct TagDate {
    float month = 0;
    float day = 0;
};
TagDate DateOfTag(const QString &tag);

} // namespace ferolune
