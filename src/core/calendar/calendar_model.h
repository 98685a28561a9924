#pragma once

// What the calendar computation produces and the calendar page shows: 365 or 366 day
// cells (index = day of the calendar year - 1), 72 hour cells of the three-day detail
// strip (index = 24 x detail day + hour) and the three detail date captions.

#include "core/calendar/calendar_year.h"
#include "core/calendar/menstrual_cycle.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace ferolune {

enum class DayClass : std::uint8_t {
    Unset, // never reset: the window background
    NotFertile,
    Fertile,   // the three days before a moon-phase day
    PhaseGirl, // Moon in an even-numbered sign
    PhaseBoy,  // Moon in an odd-numbered sign
};

// The fertile days marked before every moon-phase day.
constexpr int FertileDaysBeforePhaseDay = 3;

enum class HourClass : std::uint8_t {
    Unset, // never reset: the window background
    Plain,
    Match, // a minute of this hour matched to the tenth of a degree
};

// The Moon's sign before and after it changes, 1..12.
struct SignChange {
    int from = 0;
    int to = 0;
    bool operator==(const SignChange &) const = default;
};

// The instant a moon-phase day's Sun-Moon angle equals the natal angle. Times are local
// times of the calendar's zone (a fixed offset from universal time).
struct ExactReturn {
    double julianDay = 0; // universal time, as the library is given it
    QDateTime moment;     // to the second
    int moonSign = 0;     // 1..12, at the moment
    // When the Moon changes sign within 12 hours either side of the moment.
    std::optional<SignChange> signChange;
    // The first and last whole minute whose angle, rounded to a tenth of a degree, is the
    // natal one: the minutes the day detail colours; invalid when no minute matches.
    QDateTime tenthFirst, tenthLast;
    // With an uncertain birth moment, the exact returns of the birth moment
    // uncertaintyMinutes earlier and later; invalid when the birth minute is taken as known
    // or when an end's return cannot be found near the moment.
    int uncertaintyMinutes = 0;
    QDateTime earliest, latest;

    bool operator==(const ExactReturn &) const = default;
};

struct DayCell {
    DayClass dayClass = DayClass::Unset;
    // Another birth moment within the uncertainty would class the day otherwise.
    bool uncertain = false;
    // The class such a birth moment gives it (the first one found), when uncertain.
    DayClass otherClass = DayClass::Unset;

    bool isPhaseDay() const { return dayClass == DayClass::PhaseGirl || dayClass == DayClass::PhaseBoy; }
    bool operator==(const DayCell &) const = default;
};

// The minute-by-minute detail of a moon-phase day and its two neighbours.
struct DayDetail {
    static constexpr int HourCount = 72;
    std::array<HourClass, HourCount> hours{}; // index = 24 x detail day + hour
    std::array<QString, 3> captions{};        // "2024.3.4" for each of the three days
    int dayIndex = -1;                        // the day cell the detail breaks down
};

struct CalendarModel {
    static constexpr int MaxDayCount = 366;
    static constexpr int HourCount = DayDetail::HourCount;

    int year = 0;
    int dayCount = 365; // the days of the calendar year; cells from dayCount on are unused
    std::array<DayCell, MaxDayCount> days{};
    // The exact return of each moon-phase day, by day index, once the scan is done.
    std::array<std::optional<ExactReturn>, MaxDayCount> exactReturns{};
    std::array<HourClass, HourCount> hours{};
    std::array<QString, 3> detailCaptions{};
    // The day cell the detail breaks down, -1 when none.
    int detailDayIndex = -1;
    // The year's positions come from the library's built-in, less precise ephemeris.
    bool builtInEphemeris = false;
    // The menstrual cycle laid over the lunar days; empty without a recorded cycle.
    CycleLayer cycle;
    // The minutes the birth moment may be off either way that the run took into account.
    int uncertaintyMinutes = 0;

    // An empty calendar of `year`: every day cell white, no exact returns.
    static CalendarModel emptyYear(int year);
    // Every day cell white, and no exact returns.
    void resetDays();
    // Every hour cell white.
    void resetHours();

    // The date of day cell `dayIndex`.
    QDate date(int dayIndex) const;
    // The day cell of a date of the year, -1 for a date outside it.
    int dayIndexOf(const QDate &date) const;

    // A moon-phase day, by the Moon's sign.
    void markMoonPhaseDay(int dayCell, DayClass phaseClass);
    // One of the fertile days before a moon-phase day.
    void markFertileDay(int dayCell);
    // The strip, captions and day of a finished detail.
    void showDetail(const DayDetail &detail);
};

} // namespace ferolune
