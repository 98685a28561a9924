#include "core/calendar/calendar_moment.h"
#include "core/calendar/calendar_run.h"
#include "core/calendar/calendar_year.h"
#include "core/calendar/local_clock.h"
#include "core/chart/angle_match.h"
#include "core/chart/ephemeris.h"
#include "core/chart/natal_chart.h"
#include "core/common/number_rules.h"

#include <cmath>
#include <unordered_map>
#include <vector>

namespace ferolune {

namespace {

// The angle needs about a month to come back, so the days right after a moon-phase day
// are not examined.
constexpr int DaysSkippedAfterPhaseDay = 20;
constexpr int FertileDaysBeforePhaseDay = 3;

// The fertile days before a moon-phase day on 1 to 3 January lie in December, so the scan
// goes on into the first three days of the next year. A moon-phase day found there has no
// cell of its own: it only marks the December days before it.
constexpr int DaysLookedAhead = 3;

// Every second hour, every tenth minute: 72 moments a day.
constexpr int LastSampledHour = 22;
constexpr int SampledHourStep = 2;
constexpr int LastSampledMinute = 50;
constexpr int SampledMinuteStep = 10;

// The Sun-Moon angle of each sampled moment, computed once. The sampled moments are the same
// whatever the natal degree, so the scans of an uncertain birth moment, one for each natal
// degree, share them: a scan after the first computes only the few days its own jumps
// reach.
class SampledAngles {
public:
    explicit SampledAngles(Ephemeris &ephemeris) : m_ephemeris(ephemeris) {}

    const MomentAngle &at(double julianDay)
    {
        auto found = m_angles.find(julianDay);
        if (found == m_angles.end())
            found = m_angles.emplace(julianDay, MomentAngleAt(m_ephemeris, julianDay)).first;
        return found->second;
    }

private:
    Ephemeris &m_ephemeris;
    std::unordered_map<double, MomentAngle> m_angles;
};

struct ScanRun {
    double natalAngleRounded; // the natal degree this scan looks for
    const LocalClock &clock;
    SampledAngles &angles;
    const ProgressCheck &progress;
    CalendarModel &model;
    int pass = 0; // the scan at hand, one for each natal degree of an uncertain birth moment
};

// A moment whose angle meets the natal angle to the degree marks its day as a moon-phase
// day, blue for the Moon in an odd-numbered sign and red in an even-numbered one; a later
// moment of the same day marks it again. The three days before it become fertile, never
// reaching into the previous year. A day of the next year has no cell to mark.
void markPhaseDay(CalendarModel &model, int dayIndex, double moonLongitude)
{
    const DayClass phaseClass = SignOf(moonLongitude) % 2 == 1 ? DayClass::PhaseBoy : DayClass::PhaseGirl;
    if (dayIndex < model.dayCount)
        model.markMoonPhaseDay(dayIndex, phaseClass);
    for (int before = dayIndex - 1; before >= 0 && before >= dayIndex - FertileDaysBeforePhaseDay; --before)
        if (before < model.dayCount)
            model.markFertileDay(before);
}

// The month and day a scanned day's moments carry. A day of the next year is a December
// day number above 31, which the Julian day carries into January.
MonthDay momentDateOf(int dayIndex, int dayCount)
{
    if (dayIndex < dayCount)
        return DateOfDayIndex(dayIndex, dayCount);
    return {12, 31 + dayIndex - dayCount + 1};
}

enum class DayOutcome { NoPhase, Phase, Stopped };

// The sampled moments of one day, in increasing time order.
DayOutcome scanDay(const ScanRun &run, int dayIndex)
{
    const MonthDay date = momentDateOf(dayIndex, run.model.dayCount);
    // The scans after the first reuse nearly every angle and take a small part of its time:
    // meanwhile the count stays at the end of the year.
    const int dayCount = run.model.dayCount;
    const RunProgress progress = run.pass == 0 ? RunProgress{dayIndex, dayCount} : RunProgress{dayCount, dayCount};
    const LocalDay localDay = run.clock.day(QDate(run.model.year, 1, 1).addDays(dayIndex));
    DayOutcome outcome = DayOutcome::NoPhase;
    for (int hour = 0; hour <= LastSampledHour; hour += SampledHourStep) {
        for (const ClockSample &sample : localDay.samples(hour, 0, LastSampledMinute, SampledMinuteStep)) {
            if (run.progress && !run.progress(progress))
                return DayOutcome::Stopped;
            const double julianDay =
                MomentJulianDay(run.model.year, date.month, date.day, sample.hour, sample.minute, sample.zone);
            const MomentAngle &moment = run.angles.at(julianDay);
            if (!MatchesToTheDegree(moment.angle, run.natalAngleRounded))
                continue;
            markPhaseDay(run.model, dayIndex, moment.positions.moonLon);
            outcome = DayOutcome::Phase;
        }
    }
    return outcome;
}

// Whether the library takes its data files for the whole year: asked at noon of its first
// and of its last day (the files begin on 1 January 1800 and end during 2400).
bool dataFilesCoverYear(Ephemeris &ephemeris, const CalendarRequest &request)
{
    const double noonUniversal = 12 + static_cast<double>(request.birth.zone.hours);
    return ephemeris.usesDataFilesAt(Ephemeris::julianDay(request.year, 1, 1, noonUniversal)) &&
           ephemeris.usesDataFilesAt(Ephemeris::julianDay(request.year, 12, 31, noonUniversal));
}

struct ScanPass {
    int year;
    double natalAngleRounded;
    const LocalClock &clock;
    SampledAngles &angles;
    const ProgressCheck &progress;
    int pass;
};

// The day classes of one natal degree; nullopt when `progress` stopped the scan.
std::optional<CalendarModel> scanWith(const ScanPass &pass)
{
    CalendarModel model = CalendarModel::emptyYear(pass.year);
    const ScanRun run{pass.natalAngleRounded, pass.clock, pass.angles, pass.progress, model, pass.pass};
    for (int dayIndex = 0; dayIndex < model.dayCount + DaysLookedAhead; ++dayIndex) {
        const DayOutcome outcome = scanDay(run, dayIndex);
        if (outcome == DayOutcome::Stopped)
            return std::nullopt;
        if (outcome != DayOutcome::Phase)
            continue;
        dayIndex += DaysSkippedAfterPhaseDay;
        // A jump past 31 December ends the scan: the next moon-phase day lies beyond the
        // days looked ahead, so no December day can be fertile before it.
        if (dayIndex + 1 >= model.dayCount)
            break;
    }
    return model;
}

} // namespace

std::optional<CalendarModel> ScanYear(const CalendarRequest &request, const NatalAngles &natal, Ephemeris &ephemeris,
                                      const ProgressCheck &progress)
{
    const LibraryFilesGuard closeFiles(ephemeris);
    const LocalClock clock = ClockOf(request);
    SampledAngles angles(ephemeris);
    std::optional<CalendarModel> calendar = scanWith(ScanPass{request.year, natal.rounded, clock, angles, progress, 0});
    if (!calendar)
        return std::nullopt;
    calendar->builtInEphemeris = !dataFilesCoverYear(ephemeris, request);
    calendar->uncertaintyMinutes = natal.uncertaintyMinutes;
    const std::vector<double> otherDegrees = OtherNatalDegrees(natal);
    for (size_t k = 0; k < otherDegrees.size(); ++k) {
        const std::optional<CalendarModel> neighbour =
            scanWith(ScanPass{request.year, otherDegrees[k], clock, angles, progress, static_cast<int>(k) + 1});
        if (!neighbour)
            return std::nullopt;
        MarkUncertainDays(*calendar, *neighbour);
    }
    return calendar;
}

std::vector<double> OtherNatalDegrees(const NatalAngles &natal)
{
    if (natal.uncertaintyMinutes <= 0)
        return {};
    // The rounded angle grows with the birth moment; 360.0 is 0.0, so a range over the new
    // moon runs on past 360.
    const double from = roundToTenth(natal.earliest);
    double to = roundToTenth(natal.latest);
    if (to < from)
        to += 360;
    const int natalDegree = static_cast<int>(std::floor(natal.rounded)) % 360;
    std::vector<double> degrees;
    for (int degree = static_cast<int>(std::floor(from)); degree <= static_cast<int>(std::floor(to)); ++degree)
        if (degree % 360 != natalDegree)
            degrees.push_back(degree % 360);
    return degrees;
}

void MarkUncertainDays(CalendarModel &calendar, const CalendarModel &neighbour)
{
    for (int k = 0; k < calendar.dayCount; ++k) {
        DayCell &cell = calendar.days[static_cast<size_t>(k)];
        const DayClass other = neighbour.days[static_cast<size_t>(k)].dayClass;
        if (cell.dayClass != other && !cell.uncertain) {
            cell.uncertain = true;
            cell.otherClass = other;
        }
    }
}

} // namespace ferolune
