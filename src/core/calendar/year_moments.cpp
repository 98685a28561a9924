#include "core/calendar/year_moments.h"

#include "core/calendar/calendar_moment.h"
#include "core/calendar/calendar_year.h"
#include "core/chart/angle_match.h"
#include "core/chart/ephemeris.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace ferolune {

namespace {

// Every second hour, every tenth minute: 72 moments a day.
constexpr int LastSampledHour = 22;
constexpr int SampledHourStep = 2;
constexpr int LastSampledMinute = 50;
constexpr int SampledMinuteStep = 10;

// The fertile days before a moon-phase day on 1 to 3 January lie in December, so the scan
// goes on into the first three days of the next year.
constexpr int DaysLookedAhead = 3;

// The angle grows by at most 16 degrees a day; in a step of three days it moves less than
// 180 degrees, so the sign of its distance from a degree's edge tells whether it passed
// the edge in the step, and it cannot pass the same edge twice.
constexpr double GridStepDays = 3;
// More steps than a year and its days looked ahead need: the moments do not lie in one year
// (a zone of hundreds of hours), so every moment is evaluated.
constexpr int MaxGridSteps = 140;

// A degree d holds the angles that round into d.0 .. d.9, [d - 0.05, d + 0.95). The
// stretches are found for edges a hundredth of a degree further out, so that no rounding
// of the decimal digits, nor a last digit of the library's positions, can put a moment
// outside that belongs in; the root search stops within a few thousandths of the edge,
// on the outer side.
constexpr double LowEdgeBelowDegree = 0.06;
constexpr double HighEdgeAboveDegree = 0.96;
constexpr double EdgeTolerance = 0.004;
constexpr int MaxRootIterations = 50;

// A day's sampled moments on a place's clock lie within a day either side of its date in
// universal time: no zone is a day from universal time.
constexpr double PlaceClockReach = 1;
// Rounding of a fixed zone's single-precision universal hour, in days: a little, and more
// for a zone of thousands of hours.
constexpr double FixedClockReach = 0.01;
constexpr double FixedClockReachPerHour = 1e-6;

// The month and day a scanned day's moments carry. A day of the next year is a December
// day number above 31, which the Julian day carries into January.
MonthDay momentDateOf(int dayIndex, int dayCount)
{
    if (dayIndex < dayCount)
        return DateOfDayIndex(dayIndex, dayCount);
    return {12, 31 + dayIndex - dayCount + 1};
}

// How far `angle` is past `edge`, -180 .. 180.
double pastEdge(double angle, double edge)
{
    return std::remainder(angle - edge, 360.0);
}

} // namespace

YearMoments::YearMoments(const CalendarRequest &request, Ephemeris &ephemeris)
    : m_ephemeris(ephemeris), m_year(request.year), m_dayCount(DaysInYear(request.year)), m_clock(ClockOf(request)),
      m_days(static_cast<size_t>(m_dayCount + DaysLookedAhead))
{
    const double from = daySpan(0).first;
    const double to = daySpan(m_dayCount + DaysLookedAhead - 1).second;
    const double steps = std::ceil((to - from) / GridStepDays);
    if (!std::isfinite(steps) || steps < 1 || steps > MaxGridSteps)
        return;
    m_gridFrom = from;
    m_gridStep = GridStepDays;
    m_gridSteps = static_cast<int>(steps);
    m_gridAngles.resize(static_cast<size_t>(m_gridSteps + 1));
    m_stepProbes.resize(static_cast<size_t>(m_gridSteps));
}

std::pair<double, double> YearMoments::daySpan(int dayIndex) const
{
    const MonthDay date = momentDateOf(dayIndex, m_dayCount);
    const double midnight = Ephemeris::julianDay(m_year, date.month, date.day, 0);
    if (!m_clock.isFixed())
        return {midnight - PlaceClockReach, midnight + 1 + PlaceClockReach};
    const double zoneHours = m_clock.fixedZone().hours;
    const double lastHour = LastSampledHour + LastSampledMinute / 60.0;
    const double reach = FixedClockReach + std::fabs(zoneHours) * FixedClockReachPerHour;
    return {midnight + zoneHours / 24 - reach, midnight + (lastHour + zoneHours) / 24 + reach};
}

std::vector<YearMoments::Moment> &YearMoments::momentsOf(int dayIndex)
{
    std::optional<std::vector<Moment>> &day = m_days.at(static_cast<size_t>(dayIndex));
    if (day)
        return *day;
    day.emplace();
    const MonthDay date = momentDateOf(dayIndex, m_dayCount);
    const LocalDay localDay = m_clock.day(QDate(m_year, 1, 1).addDays(dayIndex));
    for (int hour = 0; hour <= LastSampledHour; hour += SampledHourStep)
        for (const ClockSample &sample : localDay.samples(hour, 0, LastSampledMinute, SampledMinuteStep))
            day->push_back({MomentJulianDay(m_year, date.month, date.day, sample.hour, sample.minute, sample.zone)});
    return *day;
}

void YearMoments::evaluate(Moment &moment)
{
    if (moment.evaluated)
        return;
    const MomentAngle angle = MomentAngleAt(m_ephemeris, moment.julianDay);
    moment.degree = DegreeOfAngle(angle.angle);
    moment.moonLongitude = angle.positions.moonLon;
    moment.evaluated = true;
}

int YearMoments::stepOf(double julianDay) const
{
    const double step = std::floor((julianDay - m_gridFrom) / m_gridStep);
    return step >= 0 && step < m_gridSteps ? static_cast<int>(step) : -1;
}

bool YearMoments::mayLieIn(int degree, double julianDay)
{
    const int step = stepOf(julianDay);
    if (step < 0)
        return true;
    const StepStretch &stretch = stretchOf(degree, step);
    return stretch.any && julianDay >= stretch.from && julianDay <= stretch.to;
}

bool YearMoments::mayLieIn(int degree, double from, double to)
{
    const int first = stepOf(from), last = stepOf(to);
    if (first < 0 || last < 0)
        return true;
    for (int step = first; step <= last; ++step) {
        const StepStretch &stretch = stretchOf(degree, step);
        if (stretch.any && stretch.from <= to && stretch.to >= from)
            return true;
    }
    return false;
}

double YearMoments::angleAt(double julianDay)
{
    return MomentAngleAt(m_ephemeris, julianDay).angle;
}

std::optional<double> YearMoments::gridAngle(int point)
{
    std::optional<std::optional<double>> &angle = m_gridAngles[static_cast<size_t>(point)];
    if (!angle) {
        try {
            angle = std::optional<double>(angleAt(gridTime(point)));
        } catch (const EphemerisError &) {
            // Beyond the library's range: the moments there are evaluated one by one, and
            // the first of them the scan reaches fails as it would in a scan of every moment.
            angle = std::optional<double>();
        }
    }
    return *angle;
}

const YearMoments::StepStretch &YearMoments::stretchOf(int degree, int step)
{
    std::vector<StepStretch> &stretches = m_stretches[degree];
    if (stretches.empty())
        stretches.resize(static_cast<size_t>(m_gridSteps));
    StepStretch &stretch = stretches[static_cast<size_t>(step)];
    if (!stretch.known)
        stretch = findStretch(degree, step);
    return stretch;
}

double YearMoments::edgeInstant(int step, double edge, bool fromBelow)
{
    // Aiming half the tolerance inside, a probe on either side of the aim will do.
    const double aim = fromBelow ? edge - EdgeTolerance / 2 : edge + EdgeTolerance / 2;
    const auto closeEnough = [](double past) { return std::fabs(past) <= EdgeTolerance / 2; };
    // The angles already computed in the step, the ends among them, narrow the bracket:
    // the last not past the aim and the first past it. The stretches of the other natal
    // degrees of an uncertain birth moment, a degree or two away, start close to theirs.
    std::vector<GridProbe> &probes = m_stepProbes[static_cast<size_t>(step)];
    const auto firstPast = std::find_if(probes.begin(), probes.end(),
                                        [&](const GridProbe &probe) { return pastEdge(probe.angle, aim) >= 0; });
    if (firstPast == probes.begin() || firstPast == probes.end())
        return fromBelow ? probes.front().julianDay : probes.back().julianDay;
    double lowTime = std::prev(firstPast)->julianDay, highTime = firstPast->julianDay;
    double lowPast = pastEdge(std::prev(firstPast)->angle, aim), highPast = pastEdge(firstPast->angle, aim);
    if (closeEnough(fromBelow ? lowPast : highPast))
        return fromBelow ? lowTime : highTime;
    // Regula falsi with the Illinois step: the stale end's weight is halved, so both ends
    // close in.
    double lowWeight = lowPast, highWeight = highPast;
    int lastMoved = 0; // -1 the low end, +1 the high end
    for (int iteration = 0; iteration < MaxRootIterations; ++iteration) {
        double t = (lowTime * highWeight - highTime * lowWeight) / (highWeight - lowWeight);
        if (!(t > lowTime && t < highTime))
            t = (lowTime + highTime) / 2;
        const double angle = angleAt(t);
        probes.insert(std::upper_bound(probes.begin(), probes.end(), t,
                                       [](double time, const GridProbe &probe) { return time < probe.julianDay; }),
                      GridProbe{t, angle});
        const double past = pastEdge(angle, aim);
        if (closeEnough(past))
            return t;
        if (past < 0) {
            lowTime = t;
            lowWeight = past;
            if (lastMoved == -1)
                highWeight /= 2;
            lastMoved = -1;
        } else {
            highTime = t;
            highWeight = past;
            if (lastMoved == 1)
                lowWeight /= 2;
            lastMoved = 1;
        }
    }
    // The low end has not passed the aim, the high end has.
    return fromBelow ? lowTime : highTime;
}

YearMoments::StepStretch YearMoments::findStretch(int degree, int step)
{
    const double stepFrom = gridTime(step), stepTo = gridTime(step + 1);
    const StepStretch wholeStep{true, true, stepFrom, stepTo};
    const std::optional<double> first = gridAngle(step), last = gridAngle(step + 1);
    if (!first || !last)
        return wholeStep;

    const double lowEdge = degree - LowEdgeBelowDegree, highEdge = degree + HighEdgeAboveDegree;
    const auto within = [&](double angle) {
        return pastEdge(angle, lowEdge) >= 0 && pastEdge(angle, highEdge) < 0;
    };
    const bool withinAtStart = within(*first), withinAtEnd = within(*last);
    const bool entersInStep = pastEdge(*first, lowEdge) < 0 && pastEdge(*last, lowEdge) >= 0;
    const bool leavesInStep = pastEdge(*first, highEdge) < 0 && pastEdge(*last, highEdge) >= 0;
    if (!withinAtStart && !entersInStep)
        return StepStretch{true, false, 0, 0};

    std::vector<GridProbe> &probes = m_stepProbes[static_cast<size_t>(step)];
    if (probes.empty())
        probes = {{stepFrom, *first}, {stepTo, *last}};
    try {
        StepStretch stretch = wholeStep;
        if (!withinAtStart)
            stretch.from = edgeInstant(step, lowEdge, true);
        if (!withinAtEnd && leavesInStep)
            stretch.to = edgeInstant(step, highEdge, false);
        return stretch;
    } catch (const EphemerisError &) {
        return wholeStep;
    }
}

} // namespace ferolune
