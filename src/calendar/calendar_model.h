#pragma once

// What the calendar computation produces and the calendar window paints: 365 day
// cells (index = day of the fixed 365-day year - 1), 72 hour cells of the three-day
// detail strip (index = 24 x detail day + hour) and the three detail date captions.

#include "chart/cell_marks.h"

#include <QString>

#include <array>
#include <cstdint>

namespace ferolune {

enum class DayClass : std::uint8_t {
    Unset,      // never reset: the window background
    NotFertile, // white
    Fertile,    // yellow: the three days before a moon-phase day
    PhaseGirl,  // red: Moon in an even-numbered sign
    PhaseBoy,   // blue: Moon in an odd-numbered sign
};

enum class HourClass : std::uint8_t {
    Unset, // never reset: the window background
    Plain, // white
    Match, // red: a minute of this hour matched to the tenth of a degree
};

struct Rgb {
    int red, green, blue;
    bool operator==(const Rgb &) const = default;
};

// Background colour of a cell; Unset has no colour of its own (nullopt-like: {-1,-1,-1}).
Rgb colorOf(DayClass dayClass);
Rgb colorOf(HourClass hourClass);

struct DayCell {
    DayClass dayClass = DayClass::Unset;
    QString tag;                // "1-5-", "1225" ... on moon-phase days, else empty
    bool customPointer = false; // moon-phase days show the program's own pointer

    bool operator==(const DayCell &) const = default;
};

struct CalendarModel final : CellMarks {
    static constexpr int DayCount = 365;
    static constexpr int HourCount = 72;

    std::array<DayCell, DayCount> days{};
    std::array<HourClass, HourCount> hours{};
    std::array<QString, 3> detailCaptions{};

    // Every day cell white, without tag, with the default pointer.
    void resetDays();
    // Every hour cell white.
    void resetHours();

    int dayCellCount() const override { return DayCount; }
    int hourCellCount() const override { return HourCount; }
    void markMoonPhaseDay(int dayCell, MoonPhaseKind kind, const QString &tag) override;
    void markFertileDay(int dayCell) override;
    void markMatchingHour(int hourCell) override;
};

} // namespace ferolune
