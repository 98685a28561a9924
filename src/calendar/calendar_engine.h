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

// The IANA zone ("Europe/Budapest") of the place of residence a run's fields name; empty
// when the calendar keeps the zone of the zone field.
using ResidenceZoneOf = std::function<QByteArray(const PlaceChoice &)>;

// ComputeNatalChart, ScanYear with the exact returns of its moon-phase days, and Reszletes,
// on the clock of the place of residence `residenceZoneOf` finds (none: the zone field's).
CalendarEngine RealCalendarEngine(ResidenceZoneOf residenceZoneOf = {});

} // namespace ferolune
