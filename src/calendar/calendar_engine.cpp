#include "calendar/calendar_engine.h"

#include "calendar/exact_return.h"
#include "chart/natal_chart.h"

namespace ferolune {

CalendarEngine RealCalendarEngine()
{
    return {ComputeNatalChart, ScanYearWithExactReturns, Reszletes};
}

} // namespace ferolune
