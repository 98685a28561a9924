#include "calendar/calendar_engine.h"

#include "chart/natal_chart.h"

namespace ferolune {

CalendarEngine RealCalendarEngine()
{
    return {ComputeNatalChart, ScanYear, Reszletes};
}

} // namespace ferolune
