#pragma once

// A calendar run: from a birth and a calendar year to the natal chart and the year's
// calendar, and the minute-by-minute detail of one of its moon-phase days. The window's
// worker and the command line both run it; it takes values and gives back values or the
// reason it gave none.

#include "core/calendar/calendar_model.h"
#include "core/calendar/menstrual_cycle.h"
#include "core/chart/birth_input.h"
#include "core/chart/natal_chart.h"
#include "core/common/result.h"

#include <QByteArray>

#include <functional>
#include <optional>
#include <vector>

namespace ferolune {

class Ephemeris;
class LocalClock;

// A calendar to make: the birth, the calendar year, the clock its days and hours are read
// on, and her menstrual cycle.
struct CalendarRequest {
    BirthInput birth;
    int year = 0;
    // An IANA zone ("Europe/Budapest") puts every moment on the local clock of the place
    // of residence, with the summer time of its day: a skipped hour is not sampled, a
    // repeated one twice. Empty, or a zone the system does not know, keeps the birth zone.
    QByteArray residenceZoneId;
    // Her recorded menstrual cycle, laid over the year's days; empty for none.
    CycleHistory cycle;
};

// The clock of a request's days: the place of residence, else the birth zone.
LocalClock ClockOf(const CalendarRequest &request);

// The natal Sun-Moon angle the calendar looks for, and with an uncertain birth moment the
// angles of the birth moment that many minutes earlier and later.
struct NatalAngles {
    double angle = 0;
    double rounded = 0; // to one decimal: what the calendar compares with
    int uncertaintyMinutes = 0;
    double earliest = 0;
    double latest = 0;
    bool operator==(const NatalAngles &) const = default;
};

// The angles of `natal`, the chart of `birth`; with an uncertainty, the ends come from the
// charts `chartOf` makes of the birth moment moved by that many minutes.
NatalAngles NatalAnglesOf(const NatalChart &natal, const BirthInput &birth,
                          const std::function<NatalChart(const BirthInput &)> &chartOf);

// How far a run has come.
struct RunProgress {
    enum class Unit { Day, Minute };
    int done = 0;  // scan: days passed, jumps included; detail: minutes done
    int total = 0; // scan: the days of the year, 365 or 366; detail: about 4,320
    Unit unit = Unit::Day; // what is counted: the scan's days or the detail's minutes
};

// Told of the progress before every moment; false stops the run before that moment.
using ProgressCheck = std::function<bool(const RunProgress &)>;

// What a run tells while it works.
struct RunObserver {
    ProgressCheck progress;
    // The natal chart is known; the year scan begins.
    std::function<void(const NatalChart &)> natalChartReady;
};

// Why a run gave no result.
enum class RunFailure {
    Stopped,               // the progress check stopped it
    BirthBeyondEphemeris,  // the library cannot compute the birth moment
    YearBeyondEphemeris,   // nor a moment of the calendar year
    DetailBeyondEphemeris, // nor a minute of the day detail
};

struct CalendarResult {
    NatalChart natal;
    NatalAngles angles;
    CalendarModel calendar;
};

// The natal chart and its angles, then the year's calendar: the year scan with the exact
// return of each moon-phase day, with an uncertain birth moment the uncertain days and the
// range of each exact return, and the layer of the menstrual cycle.
Expected<CalendarResult, RunFailure> RunCalendar(const CalendarRequest &request, Ephemeris &ephemeris,
                                                 const RunObserver &observer = {});

// The day detail of `month`/`day` of the calendar year: every minute of the day before,
// the day and the day after, an hour cell red when one of its minutes matches the natal
// angle to the tenth of a degree. Throws std::out_of_range for a date the year does not
// have.
Expected<DayDetail, RunFailure> RunDayDetail(const CalendarRequest &request, const NatalAngles &angles, int month,
                                             int day, Ephemeris &ephemeris, const ProgressCheck &progress = {});

// The steps of a run, for whoever measures or checks them one by one. Each throws
// EphemerisError when the library cannot compute a moment, and gives nullopt when
// `progress` stopped it.

// The year scan: the days of the year (366 in a leap year), each white, yellow (the three
// days before a moon-phase day), or blue or red (a moon-phase day, by the Moon's sign),
// with the uncertain days of an uncertain birth moment, and whether the library had to
// take its built-in ephemeris for part of the year. After a moon-phase day the scan jumps
// 20 days ahead; a moon-phase day within the last 20 days of the year ends it. Otherwise
// the scan goes on into 1 to 3 January of the next year, whose moon-phase days get no cell
// but mark the fertile days before them in December. Of the sampled moments (every tenth
// minute of every second hour) it evaluates only those that can lie in the natal degree,
// and gives the calendar a scan of every moment gives (see core/calendar/year_moments.h).
std::optional<CalendarModel> ScanYear(const CalendarRequest &request, const NatalAngles &angles, Ephemeris &ephemeris,
                                      const ProgressCheck &progress = {});

// The year scan with the exact returns of its moon-phase days, their ranges with an
// uncertainty, and the cycle layer.
std::optional<CalendarModel> ComputeYearCalendar(const CalendarRequest &request, const NatalAngles &angles,
                                                 Ephemeris &ephemeris, const ProgressCheck &progress = {});

// The detail of one day, as RunDayDetail.
std::optional<DayDetail> ComputeDayDetail(const CalendarRequest &request, const NatalAngles &angles, int month, int day,
                                          Ephemeris &ephemeris, const ProgressCheck &progress = {});

// The whole degrees other than the natal one that the rounded natal angle passes through
// while the birth moment runs over its uncertainty: a calendar of one of them may class a
// day otherwise. The classes depend on nothing but that degree. Empty without an
// uncertainty.
std::vector<double> OtherNatalDegrees(const NatalAngles &angles);

// Marks as uncertain every day of `calendar` that `neighbour` (the calendar of another
// natal degree) classes otherwise.
void MarkUncertainDays(CalendarModel &calendar, const CalendarModel &neighbour);

} // namespace ferolune
