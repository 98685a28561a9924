#include "core/calendar/return_search.h"

#include "core/calendar/calendar_moment.h"
#include "core/calendar/calendar_year.h"
#include "core/calendar/local_clock.h"
#include "core/chart/angle_match.h"
#include "core/chart/ephemeris.h"
#include "core/chart/natal_chart.h"

#include <QTimeZone>

#include <cmath>

namespace ferolune {

namespace {

constexpr int MinutesPerDay = 24 * 60;
constexpr double SecondsPerDay = 86400;
constexpr double UnixEpochJulianDay = 2440587.5;

// The angle moves about half a degree an hour, so a millionth of a degree is a few
// thousandths of a second; the bracket's width is the fallback when the angle cannot be
// brought closer.
constexpr double AngleTolerance = 1e-6;
constexpr double TimeTolerance = 0.01 / SecondsPerDay;
constexpr int MaxIterations = 60;

// How far either side of the exact moment a change of the Moon's sign is reported.
constexpr double SignChangeReach = 0.5;
// The tenth-degree span is about 12 minutes wide; its ends are looked for this many
// minutes around their estimates at most.
constexpr int SpanWalkLimit = 30;
// The rate of the angle at the exact moment is measured over this many minutes.
constexpr int RateMinutes = 10;

struct Probe {
    double julianDay = 0;
    double offset = 0; // how far the angle is past the natal angle, -180 .. 180
    SunMoon positions;
};

Probe probe(Ephemeris &ephemeris, double julianDay, double natalAngle)
{
    const SunMoon positions = ephemeris.sunAndMoon(julianDay);
    const double angle = SunToMoonAngle(positions.sunLon, positions.moonLon);
    return {julianDay, std::remainder(angle - natalAngle, 360.0), positions};
}

// The Moon always gains on the Sun, so the offset grows through the bracket and crosses
// zero once (a crossing of 180 goes from + to - and is no root). Regula falsi with the
// Illinois step: the stale end's value is halved, so both ends close in.
std::optional<Probe> findRoot(Ephemeris &ephemeris, double natalAngle, double from, double to)
{
    Probe low = probe(ephemeris, from, natalAngle);
    Probe high = probe(ephemeris, to, natalAngle);
    if (!(low.offset < 0 && high.offset > 0))
        return std::nullopt;
    double lowValue = low.offset, highValue = high.offset;
    int lastMoved = 0; // -1 low end, +1 high end
    for (int iteration = 0; iteration < MaxIterations; ++iteration) {
        const double t = (low.julianDay * highValue - high.julianDay * lowValue) / (highValue - lowValue);
        const Probe next = probe(ephemeris, t, natalAngle);
        if (std::fabs(next.offset) < AngleTolerance || high.julianDay - low.julianDay < TimeTolerance)
            return next;
        if (next.offset < 0) {
            low = next;
            lowValue = next.offset;
            if (lastMoved == -1)
                highValue /= 2;
            lastMoved = -1;
        } else {
            high = next;
            highValue = next.offset;
            if (lastMoved == 1)
                lowValue /= 2;
            lastMoved = 1;
        }
    }
    return std::fabs(low.offset) < std::fabs(high.offset) ? low : high;
}

double julianDayOfUtc(qint64 utcSeconds)
{
    return static_cast<double>(utcSeconds) / SecondsPerDay + UnixEpochJulianDay;
}

qint64 utcOfJulianDay(double julianDay)
{
    return static_cast<qint64>(std::llround((julianDay - UnixEpochJulianDay) * SecondsPerDay));
}

// The whole minutes around a day, counted from its local midnight (negative ones lie on
// the days before), as the day detail evaluates them. On the clock of a place they are
// counted in universal time, so that a repeated hour's minutes come twice and a skipped
// hour's not at all.
class DetailMinutes {
public:
    DetailMinutes(Ephemeris &ephemeris, const QDate &day, const LocalClock &clock, double natalAngleRounded)
        : m_ephemeris(ephemeris), m_day(day), m_clock(clock), m_zone(clock.fixedZone()),
          m_dayStartUtc(clock.isFixed() ? 0 : clock.dayStartUtc(day)), m_natalAngleRounded(natalAngleRounded)
    {
    }

    bool matches(int minute)
    {
        const SunMoon positions = m_ephemeris.sunAndMoon(julianDayOf(minute));
        return MatchesToTheTenth(SunToMoonAngle(positions.sunLon, positions.moonLon), m_natalAngleRounded);
    }

    QDateTime localTime(int minute) const
    {
        if (!m_clock.isFixed())
            return m_clock.localTime(utcOf(minute));
        const Split split = splitOf(minute);
        return QDateTime(split.date, QTime(split.minuteOfDay / 60, split.minuteOfDay % 60), m_zone.timeZone());
    }

    // The minute, counted as these are, of a universal Julian day.
    double minuteOf(const QDateTime &moment, double julianDay) const
    {
        if (m_clock.isFixed())
            return static_cast<double>(QDateTime(m_day, QTime(0, 0), moment.timeZone()).secsTo(moment)) / 60.0;
        return ((julianDay - UnixEpochJulianDay) * SecondsPerDay - static_cast<double>(m_dayStartUtc)) / 60.0;
    }

private:
    struct Split {
        QDate date;
        int minuteOfDay;
        UtcOffset zone;
    };

    qint64 utcOf(int minute) const { return m_dayStartUtc + qint64(minute) * 60; }

    Split splitOf(int minute) const
    {
        if (!m_clock.isFixed()) {
            const QDateTime local = m_clock.localTime(utcOf(minute));
            const QTime time = local.time();
            return {local.date(), time.hour() * 60 + time.minute(), UtcOffset::ofSecondsEast(local.offsetFromUtc())};
        }
        const int dayOffset = minute >= 0 ? minute / MinutesPerDay : -((-minute + MinutesPerDay - 1) / MinutesPerDay);
        return {m_day.addDays(dayOffset), minute - dayOffset * MinutesPerDay, m_zone};
    }

    // The hour and minute make the universal hour in single precision, as a moment does.
    double julianDayOf(int minute) const
    {
        const Split split = splitOf(minute);
        return MomentJulianDay(split.date.year(), split.date.month(), split.date.day(), split.minuteOfDay / 60,
                               split.minuteOfDay % 60, split.zone);
    }

    Ephemeris &m_ephemeris;
    QDate m_day;
    const LocalClock &m_clock;
    UtcOffset m_zone;
    qint64 m_dayStartUtc;
    double m_natalAngleRounded;
};

// From an estimate, the end of the run of matching minutes in `direction` (-1 first,
// +1 last); nullopt when no minute near the estimate matches.
std::optional<int> spanEnd(DetailMinutes &minutes, int estimate, int direction)
{
    int minute = estimate;
    for (int step = 0; step < SpanWalkLimit && !minutes.matches(minute); ++step)
        minute -= direction; // towards the inside of the span
    if (!minutes.matches(minute))
        return std::nullopt;
    for (int step = 0; step < SpanWalkLimit && minutes.matches(minute + direction); ++step)
        minute += direction;
    return minute;
}

void findTenthSpan(Ephemeris &ephemeris, const LocalClock &clock, double natalAngle, double natalAngleRounded,
                   ExactReturn &exact)
{
    const QDate day = exact.moment.date();
    DetailMinutes minutes(ephemeris, day, clock, natalAngleRounded);
    const double exactMinute = minutes.minuteOf(exact.moment, exact.julianDay);
    // The minutes whose angle rounds to the natal tenth lie within 0.05 degrees of it.
    const double perMinute = probe(ephemeris, exact.julianDay + RateMinutes / 1440.0, natalAngle).offset / RateMinutes;
    if (!(perMinute > 0))
        return;
    const double natalTenthOffset = std::remainder(natalAngleRounded - natalAngle, 360.0);
    const auto estimate = [&](double angleOffset) { return exactMinute + angleOffset / perMinute; };
    const std::optional<int> first =
        spanEnd(minutes, static_cast<int>(std::ceil(estimate(natalTenthOffset - 0.05))), -1);
    const std::optional<int> last =
        spanEnd(minutes, static_cast<int>(std::floor(estimate(natalTenthOffset + 0.05))), +1);
    if (!first || !last || *first > *last)
        return;
    exact.tenthFirst = minutes.localTime(*first);
    exact.tenthLast = minutes.localTime(*last);
}

std::optional<SignChange> signChangeNear(Ephemeris &ephemeris, const ExactReturn &exact, double natalAngle)
{
    const int before = SignOf(probe(ephemeris, exact.julianDay - SignChangeReach, natalAngle).positions.moonLon);
    if (before != exact.moonSign)
        return SignChange{before, exact.moonSign};
    // The Moon needs two days for a sign, so it changes at most once within a day.
    const int after = SignOf(probe(ephemeris, exact.julianDay + SignChangeReach, natalAngle).positions.moonLon);
    if (after != exact.moonSign)
        return SignChange{exact.moonSign, after};
    return std::nullopt;
}

// The return of `natalAngle` near `centre` (a universal Julian day), for an end of the
// uncertainty: each minute of the birth moves the return by about a minute, more where the
// Moon runs slower now than at the birth, so the root lies well within twice the minutes
// and half an hour either way.
std::optional<QDateTime> returnNear(Ephemeris &ephemeris, const LocalClock &clock, double natalAngle, double centre,
                                    int minutes)
{
    const double reach = (2.0 * minutes + 30) / MinutesPerDay;
    const std::optional<Probe> root = findRoot(ephemeris, natalAngle, centre - reach, centre + reach);
    if (!root)
        return std::nullopt;
    return clock.localTime(utcOfJulianDay(root->julianDay));
}

} // namespace

std::optional<ExactReturn> FindExactReturn(const NatalAngles &angles, const LocalClock &clock, const QDate &day,
                                           Ephemeris &ephemeris)
{
    const double natalAngle = angles.angle;
    const std::optional<Probe> root =
        findRoot(ephemeris, natalAngle, julianDayOfUtc(clock.dayStartUtc(day.addDays(-1))),
                 julianDayOfUtc(clock.dayStartUtc(day.addDays(2))));
    if (!root)
        return std::nullopt;

    ExactReturn exact;
    exact.julianDay = root->julianDay;
    exact.moment = clock.localTime(utcOfJulianDay(root->julianDay));
    exact.moonSign = SignOf(root->positions.moonLon);
    exact.signChange = signChangeNear(ephemeris, exact, natalAngle);
    findTenthSpan(ephemeris, clock, natalAngle, angles.rounded, exact);
    return exact;
}

void FindExactReturns(const CalendarRequest &request, const NatalAngles &angles, Ephemeris &ephemeris,
                      CalendarModel &model)
{
    const LocalClock clock = ClockOf(request);
    const LibraryFilesGuard closeFiles(ephemeris);
    for (int k = 0; k < model.dayCount; ++k) {
        auto &exact = model.exactReturns[static_cast<size_t>(k)];
        exact.reset();
        if (!model.days[static_cast<size_t>(k)].isPhaseDay())
            continue;
        try {
            exact = FindExactReturn(angles, clock, model.date(k), ephemeris);
        } catch (const EphemerisError &) {
            // The day keeps its colour from the scan; it only lacks the exact moment.
        }
    }
}

void FindExactRanges(const CalendarRequest &request, const NatalAngles &angles, Ephemeris &ephemeris,
                     CalendarModel &model)
{
    if (angles.uncertaintyMinutes <= 0)
        return;
    const LocalClock clock = ClockOf(request);
    const LibraryFilesGuard closeFiles(ephemeris);
    for (std::optional<ExactReturn> &exact : model.exactReturns) {
        if (!exact)
            continue;
        exact->uncertaintyMinutes = angles.uncertaintyMinutes;
        try {
            const int minutes = angles.uncertaintyMinutes;
            exact->earliest =
                returnNear(ephemeris, clock, angles.earliest, exact->julianDay, minutes).value_or(QDateTime());
            exact->latest =
                returnNear(ephemeris, clock, angles.latest, exact->julianDay, minutes).value_or(QDateTime());
        } catch (const EphemerisError &) {
            // The day keeps its exact moment; it only lacks the range.
        }
    }
}

} // namespace ferolune
