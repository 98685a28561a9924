#pragma once

// What a match of the Sun-Moon angle marks, as the chart sees it: day cells of the year
// scan and hour cells of the day detail. The calendar implements it.

#include <QString>

namespace ferolune {

enum class MoonPhaseKind { Boy, Girl };

class CellMarks {
public:
    virtual int dayCellCount() const = 0;
    virtual int hourCellCount() const = 0;
    // A moon-phase day: its colour by kind, its tag, the program's own pointer.
    virtual void markMoonPhaseDay(int dayCell, MoonPhaseKind kind, const QString &tag) = 0;
    // One of the fertile days before a moon-phase day.
    virtual void markFertileDay(int dayCell) = 0;
    // An hour of the detail strip in which the angle matched to the tenth of a degree.
    virtual void markMatchingHour(int hourCell) = 0;

protected:
    ~CellMarks() = default;
};

} // namespace ferolune
