#include "core/calendar/calendar_run.h"

#include "core/calendar/local_clock.h"
#include "core/calendar/return_search.h"
#include "core/chart/ephemeris.h"

namespace ferolune {

LocalClock ClockOf(const CalendarRequest &request)
{
    return LocalClock(request.residenceZoneId, request.birth.zone, request.year);
}

NatalAngles NatalAnglesOf(const NatalChart &natal, const BirthInput &birth,
                          const std::function<NatalChart(const BirthInput &)> &chartOf)
{
    NatalAngles angles{natal.angle, natal.angleRounded, birth.uncertaintyMinutes, natal.angle, natal.angle};
    if (birth.uncertaintyMinutes <= 0)
        return angles;
    angles.earliest = chartOf(BirthMovedBy(birth, -birth.uncertaintyMinutes)).angle;
    angles.latest = chartOf(BirthMovedBy(birth, birth.uncertaintyMinutes)).angle;
    return angles;
}

std::optional<CalendarModel> ComputeYearCalendar(const CalendarRequest &request, const NatalAngles &angles,
                                                 Ephemeris &ephemeris, const ProgressCheck &progress)
{
    std::optional<CalendarModel> calendar = ScanYear(request, angles, ephemeris, progress);
    if (calendar) {
        FindExactReturns(request, angles, ephemeris, *calendar);
        FindExactRanges(request, angles, ephemeris, *calendar);
        calendar->cycle = CycleLayerOf(request.cycle, request.year);
    }
    return calendar;
}

Expected<CalendarResult, RunFailure> RunCalendar(const CalendarRequest &request, Ephemeris &ephemeris,
                                                 const RunObserver &observer)
{
    CalendarResult result;
    try {
        result.natal = ComputeNatalChart(request.birth, ephemeris);
        result.angles = NatalAnglesOf(result.natal, request.birth,
                                      [&](const BirthInput &moved) { return ComputeNatalChart(moved, ephemeris); });
    } catch (const EphemerisError &) {
        return Unexpected(RunFailure::BirthBeyondEphemeris);
    }
    if (observer.natalChartReady)
        observer.natalChartReady(result.natal);
    try {
        std::optional<CalendarModel> calendar =
            ComputeYearCalendar(request, result.angles, ephemeris, observer.progress);
        if (!calendar)
            return Unexpected(RunFailure::Stopped);
        result.calendar = std::move(*calendar);
    } catch (const EphemerisError &) {
        return Unexpected(RunFailure::YearBeyondEphemeris);
    }
    return result;
}

Expected<DayDetail, RunFailure> RunDayDetail(const CalendarRequest &request, const NatalAngles &angles, int month,
                                             int day, Ephemeris &ephemeris, const ProgressCheck &progress)
{
    try {
        std::optional<DayDetail> detail = ComputeDayDetail(request, angles, month, day, ephemeris, progress);
        if (!detail)
            return Unexpected(RunFailure::Stopped);
        return std::move(*detail);
    } catch (const EphemerisError &) {
        return Unexpected(RunFailure::DetailBeyondEphemeris);
    }
}

} // namespace ferolune
