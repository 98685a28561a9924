#pragma once

// The computation a calendar run drives, as replaceable functions: the program passes
// RealCalendarEngine(), tests pass fakes.

#include "calendar/calendar_run.h"

#include <functional>

namespace ferolune {

struct CalendarEngine {
    std::function<void(ChartState &, const BirthData &, Ephemeris &)> computeNatalChart;
    std::function<RunOutcome(ChartState &, const BirthData &, const QString &, Ephemeris &, CalendarModel &,
                             const MomentCallback &)>
        scanYear;
    std::function<RunOutcome(ChartState &, const BirthData &, const QString &, float, float, Ephemeris &,
                             CalendarModel &, const MomentCallback &)>
        reszletes;
};

// ComputeNatalChart, ScanYear with the exact returns of its moon-phase days, and Reszletes.
CalendarEngine RealCalendarEngine();

} // namespace ferolune
