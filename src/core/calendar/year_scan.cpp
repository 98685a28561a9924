#include "core/calendar/calendar_run.h"
#include "core/calendar/calendar_year.h"
#include "core/calendar/year_moments.h"
#include "core/chart/angle_match.h"
#include "core/chart/ephemeris.h"
#include "core/chart/natal_chart.h"
#include "core/common/number_rules.h"

#include <cmath>
#include <vector>

namespace ferolune {

namespace {

// The angle needs about a month to come back, so the days right after a moon-phase day
// are not examined.
constexpr int DaysSkippedAfterPhaseDay = 20;

struct ScanRun {
    double natalAngleRounded; // the natal degree this scan looks for
    YearMoments &moments;
    ScanMethod method;
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

enum class DayOutcome { NoPhase, Phase, Stopped };

// The sampled moments of one day, in increasing time order. The guided scan passes over a
// day none of whose moments can lie in the natal degree, and over the moments of a day
// that cannot; it evaluates the others as a scan of every moment does.
DayOutcome scanDay(const ScanRun &run, int dayIndex)
{
    // The scans after the first reuse nearly every angle and take a small part of its time:
    // meanwhile the count stays at the end of the year.
    const int dayCount = run.model.dayCount;
    const RunProgress progress = run.pass == 0 ? RunProgress{dayIndex, dayCount} : RunProgress{dayCount, dayCount};
    const bool guided = run.method == ScanMethod::Guided;
    const double natalDegree = DegreeOfRoundedAngle(run.natalAngleRounded);
    const int degree = static_cast<int>(natalDegree);
    if (guided) {
        const auto [from, to] = run.moments.daySpan(dayIndex);
        if (!run.moments.mayLieIn(degree, from, to))
            return run.progress && !run.progress(progress) ? DayOutcome::Stopped : DayOutcome::NoPhase;
    }
    DayOutcome outcome = DayOutcome::NoPhase;
    for (YearMoments::Moment &moment : run.moments.momentsOf(dayIndex)) {
        if (run.progress && !run.progress(progress))
            return DayOutcome::Stopped;
        if (guided && !run.moments.mayLieIn(degree, moment.julianDay))
            continue;
        run.moments.evaluate(moment);
        if (moment.degree != natalDegree)
            continue;
        markPhaseDay(run.model, dayIndex, moment.moonLongitude);
        outcome = DayOutcome::Phase;
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
    YearMoments &moments;
    ScanMethod method;
    const ProgressCheck &progress;
    int pass;
};

// The day classes of one natal degree; nullopt when `progress` stopped the scan.
std::optional<CalendarModel> scanWith(const ScanPass &pass)
{
    CalendarModel model = CalendarModel::emptyYear(pass.year);
    const ScanRun run{pass.natalAngleRounded, pass.moments, pass.method, pass.progress, model, pass.pass};
    // The scan goes on into the first days of the next year: the fertile days before a
    // moon-phase day on 1 to 3 January lie in December. A moon-phase day found there has
    // no cell of its own: it only marks the December days before it.
    for (int dayIndex = 0; dayIndex < pass.moments.scannedDays(); ++dayIndex) {
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

std::optional<CalendarModel> ScanYearWith(YearMoments &moments, const CalendarRequest &request,
                                          const NatalAngles &natal, ScanMethod method, const ProgressCheck &progress)
{
    Ephemeris &ephemeris = moments.ephemeris();
    std::optional<CalendarModel> calendar =
        scanWith(ScanPass{request.year, natal.rounded, moments, method, progress, 0});
    if (!calendar)
        return std::nullopt;
    calendar->builtInEphemeris = !dataFilesCoverYear(ephemeris, request);
    calendar->uncertaintyMinutes = natal.uncertaintyMinutes;
    const std::vector<double> otherDegrees = OtherNatalDegrees(natal);
    for (size_t k = 0; k < otherDegrees.size(); ++k) {
        const std::optional<CalendarModel> neighbour =
            scanWith(ScanPass{request.year, otherDegrees[k], moments, method, progress, static_cast<int>(k) + 1});
        if (!neighbour)
            return std::nullopt;
        MarkUncertainDays(*calendar, *neighbour);
    }
    return calendar;
}

std::optional<CalendarModel> ScanYear(const CalendarRequest &request, const NatalAngles &natal, Ephemeris &ephemeris,
                                      const ProgressCheck &progress)
{
    const LibraryFilesGuard closeFiles(ephemeris);
    YearMoments moments(request, ephemeris);
    return ScanYearWith(moments, request, natal, ScanMethod::Guided, progress);
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
