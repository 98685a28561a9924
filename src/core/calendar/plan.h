#pragma once

// The months ahead: every moon-phase day from a date over 1 to 36 months, with the fertile
// days before it, its exact return and what the menstrual cycle says of those days. Each
// row is read off the calendar the program makes of the row's year, so the list crosses year
// ends exactly as the calendars do: the year-end look-ahead, the cycle's predicted starts
// and the clock of the place of residence all come from them.

#include "core/calendar/calendar_run.h"

#include <QDate>

#include <optional>
#include <vector>

namespace ferolune {

constexpr int MinPlanMonths = 1;
constexpr int MaxPlanMonths = 36;
constexpr int DefaultPlanMonths = 12;

// A span to plan: [from, from + months months). The request's year is not read: every
// calendar year the span touches is made in turn.
struct PlanRequest {
    CalendarRequest calendar;
    QDate from;
    int months = DefaultPlanMonths;
};

// The end of a span, the first day after it.
QDate PlanEnd(const QDate &from, int months);

// One moon-phase day of the span and the three fertile days before it.
struct PlanRow {
    QDate phaseDay;
    DayClass sex = DayClass::PhaseBoy; // PhaseBoy or PhaseGirl
    QDate fertileFrom;                 // the first of the fertile days before it
    std::optional<ExactReturn> exact;
    // How many of the four days fertileFrom .. phaseDay lie in the cycle's fertile window;
    // nullopt without a recorded cycle.
    std::optional<int> cycleOverlap;
    bool uncertain = false; // one of the four days is uncertain
    // The row's place among the moon-phase days of its calendar year, 1, 2 ...: the ordinal
    // the events of that year's calendar file carry.
    int ordinalInYear = 0;

    bool meetsCycle() const { return cycleOverlap.value_or(0) > 0; }
    bool operator==(const PlanRow &) const = default;
};

struct PlanResult {
    NatalChart natal;
    NatalAngles angles;
    QDate from;
    int months = 0;
    std::vector<PlanRow> rows; // in date order
    bool hasCycle = false;
    CycleBasis cycleBasis;
    int uncertaintyMinutes = 0;
    bool builtInEphemeris = false; // some year's positions come from the built-in ephemeris
};

// Which rows to keep: one sex, or both; only the rows with a day in the cycle's fertile
// window, or all.
struct PlanFilter {
    std::optional<DayClass> sex; // PhaseBoy or PhaseGirl; nullopt for both
    bool meetingCycleOnly = false;
};

std::vector<PlanRow> FilteredRows(const std::vector<PlanRow> &rows, const PlanFilter &filter);

// The rows of `span` read off the calendars of the years it touches, `calendars` holding one
// for every year from the one of its first fertile day (three days before `from`) to the
// one of its last day, in order.
std::vector<PlanRow> PlanRowsOf(const QDate &from, int months, const std::vector<CalendarModel> &calendars);

// The calendar years whose calendars PlanRowsOf needs, first and last.
std::pair<int, int> PlanYears(const QDate &from, int months);

// Why a plan gave no rows, and the calendar year a year's failure came in.
struct PlanFailure {
    RunFailure failure = RunFailure::Stopped;
    int year = 0;
};

// The natal chart, then the calendar of each year the span touches, then the rows. The
// progress counts the days of all those years together.
Expected<PlanResult, PlanFailure> RunPlan(const PlanRequest &request, Ephemeris &ephemeris,
                                          const RunObserver &observer = {});

} // namespace ferolune
