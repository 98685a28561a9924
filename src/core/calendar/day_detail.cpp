#include "core/calendar/calendar_moment.h"
#include "core/calendar/calendar_run.h"
#include "core/calendar/calendar_year.h"
#include "core/calendar/local_clock.h"
#include "core/chart/angle_match.h"
#include "core/chart/ephemeris.h"
#include "core/common/number_rules.h"

#include <array>
#include <vector>

namespace ferolune {

namespace {

constexpr int DetailDayCount = 3;
constexpr int HoursPerDay = 24;
constexpr int MinutesPerHour = 60;

// Every minute of each hour of a day on the run's clock, in the order of universal time.
using DayMinutes = std::array<std::vector<ClockSample>, HoursPerDay>;

DayMinutes minutesOf(const DetailDay &day, const LocalClock &clock)
{
    const LocalDay localDay = clock.day(QDate(day.year, day.month, day.day));
    DayMinutes minutes;
    for (int hour = 0; hour < HoursPerDay; ++hour)
        minutes[size_t(hour)] = localDay.samples(hour, 0, MinutesPerHour - 1, 1);
    return minutes;
}

QString captionOf(const DetailDay &day)
{
    return numberText(day.year) + u'.' + numberText(day.month) + u'.' + numberText(day.day);
}

} // namespace

std::optional<DayDetail> ComputeDayDetail(const CalendarRequest &request, const NatalAngles &angles, int month, int day,
                                          Ephemeris &ephemeris, const ProgressCheck &progress)
{
    const std::array<DetailDay, DetailDayCount> days = DetailDays(request.year, month, day);
    DayDetail detail;
    detail.hours.fill(HourClass::Plain);
    detail.dayIndex = DayOfYear(request.year, month, day) - 1;

    // One clock for the three days: it reads the zone's history from the year before the
    // clicked day's to the year after it. On the place's clock a day may have an hour more
    // or less than 24.
    const LocalClock clock = ClockOf(request);
    std::array<DayMinutes, DetailDayCount> minutes;
    RunProgress done{0, 0, RunProgress::Unit::Minute};
    for (size_t g = 0; g < days.size(); ++g) {
        minutes[g] = minutesOf(days[g], clock);
        for (const std::vector<ClockSample> &hour : minutes[g])
            done.total += int(hour.size());
    }

    const LibraryFilesGuard closeFiles(ephemeris);
    size_t hourCell = 0;
    for (size_t g = 0; g < days.size(); ++g) {
        const DetailDay &date = days[g];
        for (const std::vector<ClockSample> &hour : minutes[g]) {
            for (const ClockSample &sample : hour) {
                if (progress && !progress(done))
                    return std::nullopt;
                const double julianDay =
                    MomentJulianDay(date.year, date.month, date.day, sample.hour, sample.minute, sample.zone);
                if (MatchesToTheTenth(MomentAngleAt(ephemeris, julianDay).angle, angles.rounded))
                    detail.hours[hourCell] = HourClass::Match;
                ++done.done;
            }
            ++hourCell;
        }
        detail.captions[g] = captionOf(date);
    }
    return detail;
}

} // namespace ferolune
