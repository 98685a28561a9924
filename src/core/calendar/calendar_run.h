#pragma once

// The calendar computation: the year scan that classifies the days of a year, with the
// exact returns of its moon-phase days, and the minute-by-minute detail of a moon-phase
// day and its two neighbours. Both take values and give back what they found.

#include "core/calendar/calendar_model.h"
#include "core/calendar/menstrual_cycle.h"
#include "core/chart/birth_record.h"
#include "core/chart/natal_chart.h"

#include <QByteArray>

#include <functional>
#include <optional>
#include <vector>

namespace ferolune {

class Ephemeris;

// The year a calendar is made for and the clock its days and hours are read on.
struct CalendarRequest {
    int year = 0;
    // The zone of the birth data: universal time = local time + zoneHours.
    float zoneHours = 0;
    // An IANA zone ("Europe/Budapest") puts every moment on the local clock of the place
    // of residence, with the summer time of its day: a skipped hour is not sampled, a
    // repeated one twice. Empty, or a zone the system does not know, keeps zoneHours.
    QByteArray residenceZoneId;
    // The natal Sun-Moon angle and its rounding to one decimal.
    double natalAngle = 0;
    double natalAngleRounded = 0;
    // Her recorded menstrual cycle, laid over the year's days; empty for none.
    CycleHistory cycle;
    // Minutes the birth moment may be off either way (0: known to the minute), and the
    // natal angles of the birth moment that many minutes earlier and later, filled in by
    // the run with the natal angle.
    int uncertaintyMinutes = 0;
    double earliestNatalAngle = 0;
    double latestNatalAngle = 0;
};

// The birth `minutes` later (earlier when negative), on the same clock.
BirthRecord BirthMovedBy(const BirthRecord &birth, int minutes);

// The natal angles of `request` from the natal chart of `birth`, and with an uncertainty,
// from the charts `chartOf` makes of the birth moment that many minutes earlier and later.
void SetNatalAngles(CalendarRequest &request, const NatalChart &natal, const BirthRecord &birth,
                    const std::function<NatalChart(const BirthRecord &)> &chartOf);

// How far a run has come.
struct RunProgress {
    enum class Unit { Day, Minute };
    int done = 0;  // scan: days passed, jumps included; detail: minutes done
    int total = 0; // scan: the days of the year, 365 or 366; detail: about 4,320
    Unit unit = Unit::Day; // what is counted: the scan's days or the detail's minutes
};

// Told of the progress before every moment; false stops the run before that moment.
using ProgressCheck = std::function<bool(const RunProgress &)>;

// The year scan: the days of the year (366 in a leap year), each white, yellow (the three
// days before a moon-phase day), or blue or red (a moon-phase day, by the Moon's sign),
// and whether the library had to take its built-in ephemeris for part of the year. A
// moon-phase day within the last 20 days of the year ends the scan: the days its jump
// would reach lie past 31 December. Otherwise the scan goes on into 1 to 3 January of the
// next year, whose moon-phase days get no cell but mark the fertile days before them in
// December. nullopt when
// `progress` stopped it. Throws EphemerisError when the library cannot compute a moment
// of the year.
std::optional<CalendarModel> ScanYear(const CalendarRequest &request, Ephemeris &ephemeris,
                                      const ProgressCheck &progress = {});

// The year scan with the exact return of each of its moon-phase days, the layer of the
// menstrual cycle, and with an uncertain birth moment the range of each exact return
// (FindExactRanges); its uncertain days come from UncertainDays.
std::optional<CalendarModel> ComputeYearCalendar(const CalendarRequest &request, Ephemeris &ephemeris,
                                                 const ProgressCheck &progress = {});

// The day detail of `month`/`day` of the calendar year: every minute of the day before,
// the day and the day after, an hour cell red when one of its minutes matches the natal
// angle to the tenth of a degree. nullopt when `progress` stopped it. Throws EphemerisError
// as ScanYear, std::out_of_range for a date the year does not have.
std::optional<DayDetail> ComputeDayDetail(const CalendarRequest &request, int month, int day, Ephemeris &ephemeris,
                                          const ProgressCheck &progress = {});

// The whole degrees other than the natal one that the rounded natal angle passes through
// while the birth moment runs over its uncertainty: a calendar of one of them may class a
// day otherwise. The classes depend on nothing but that degree. Empty without an
// uncertainty.
std::vector<double> OtherNatalDegrees(const CalendarRequest &request);

// Marks as uncertain every day of `calendar` that `neighbour` (the calendar of another
// natal degree) classes otherwise.
void MarkUncertainDays(CalendarModel &calendar, const CalendarModel &neighbour);

// Month and day of a moon-phase day cell's tag ("1-5-" gives 1 and 5, "1225" 12 and 25).
MonthDay DateOfTag(const QString &tag);

} // namespace ferolune
