#include "calendar/calendar_engine.h"

#include "calendar/exact_return.h"
#include "chart/natal_chart.h"

namespace ferolune {

CalendarEngine RealCalendarEngine(ResidenceZoneOf residenceZoneOf)
{
    const auto zoneOf = [residenceZoneOf](const BirthData &fields) {
        return residenceZoneOf ? residenceZoneOf(fields.residence) : QByteArray();
    };
    return {ComputeNatalChart,
            [zoneOf](ChartState &state, const BirthData &fields, const QString &calendarYearText, Ephemeris &ephemeris,
                     CalendarModel &model, const MomentCallback &beforeMoment) {
                return ScanYearWithExactReturns(state, fields, calendarYearText, ephemeris, model, beforeMoment,
                                                zoneOf(fields));
            },
            [zoneOf](ChartState &state, const BirthData &fields, const QString &calendarYearText, float month,
                     float day, Ephemeris &ephemeris, CalendarModel &model, const MomentCallback &beforeMoment) {
                return Reszletes(state, fields, calendarYearText, month, day, ephemeris, model, beforeMoment,
                                 zoneOf(fields));
            }};
}

} // namespace ferolune
