#include "core/calendar/local_clock.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace ferolune {

namespace {

constexpr qint64 SecondsPerDay = 86400;
// No zone is more than 14 hours from universal time; a day's spans reach a day further
// either side, and a day has at most a few transitions.
constexpr qint64 SpanReach = SecondsPerDay;
constexpr int MaxTransitionsPerWindow = 8;
// Zones with summer time change twice a year; a few changed their rules on top of that.
constexpr int MaxTransitionsPerYear = 8;

QDateTime utcAt(qint64 seconds)
{
    return QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc());
}

// The offsets of `zone` over universal time [from, to), in order.
std::vector<ZoneSpan> spansBetween(const QTimeZone &zone, qint64 from, qint64 to, int maxTransitions)
{
    std::vector<ZoneSpan> spans;
    int offset = zone.offsetFromUtc(utcAt(from));
    for (int k = 0; k < maxTransitions; ++k) {
        const QTimeZone::OffsetData next = zone.nextTransition(utcAt(from));
        const qint64 at = next.atUtc.isValid() ? next.atUtc.toSecsSinceEpoch() : to;
        if (at >= to || at <= from)
            break;
        spans.push_back({from, at, offset});
        from = at;
        offset = next.offsetFromUtc;
    }
    spans.push_back({from, to, offset});
    return spans;
}

qint64 utcOfMidnight(QDate date)
{
    return QDateTime(date, QTime(0, 0), QTimeZone::utc()).toSecsSinceEpoch();
}

double universalMinutes(const ClockSample &sample)
{
    return (sample.hour + static_cast<double>(sample.zone.hours)) * 60 + sample.minute;
}

} // namespace

OffsetsAt LocalDay::offsetsAt(int hour, int minute) const
{
    OffsetsAt result;
    if (m_fixed) {
        result.offsets[0] = m_fixedZone;
        result.count = 1;
        return result;
    }
    const qint64 local = m_midnightAsUtc + (qint64(hour) * 60 + minute) * 60;
    for (const ZoneSpan &span : m_spans) {
        const qint64 universal = local - span.offsetSeconds;
        if (universal >= span.fromUtc && universal < span.toUtc && result.count < int(result.offsets.size()))
            result.offsets[std::size_t(result.count++)] = UtcOffset::ofSecondsEast(span.offsetSeconds);
    }
    return result;
}

std::vector<ClockSample> LocalDay::samples(int hour, int firstMinute, int lastMinute, int minuteStep) const
{
    std::vector<ClockSample> result;
    for (int minute = firstMinute; minute <= lastMinute; minute += minuteStep) {
        const OffsetsAt zone = offsetsAt(hour, minute);
        for (int k = 0; k < zone.count; ++k)
            result.push_back({hour, minute, zone.offsets[std::size_t(k)]});
    }
    // A repeated time comes back after the rest of its first pass: an hour repeated at
    // 02:00..02:59 is sampled through in summer time, then again in winter time.
    std::stable_sort(result.begin(), result.end(), [](const ClockSample &a, const ClockSample &b) {
        return universalMinutes(a) < universalMinutes(b);
    });
    return result;
}

LocalClock::LocalClock(UtcOffset fixedZone) : m_fixedZone(fixedZone) {}

LocalClock::LocalClock(const QByteArray &timeZoneId, UtcOffset fixedZone, int year) : m_fixedZone(fixedZone)
{
    if (timeZoneId.isEmpty() || !QTimeZone::isTimeZoneIdAvailable(timeZoneId))
        return;
    m_zone = QTimeZone(timeZoneId);
    m_spans = spansBetween(m_zone, utcOfMidnight(QDate(year - 1, 1, 1)), utcOfMidnight(QDate(year + 2, 1, 1)),
                           MaxTransitionsPerYear * 3);
}

LocalDay LocalClock::day(QDate date) const
{
    LocalDay day;
    day.m_fixed = isFixed();
    day.m_fixedZone = m_fixedZone;
    day.m_midnightAsUtc = QDateTime(date, QTime(0, 0), QTimeZone::utc()).toSecsSinceEpoch();
    if (day.m_fixed)
        return day;

    const qint64 from = day.m_midnightAsUtc - SpanReach;
    const qint64 to = day.m_midnightAsUtc + SecondsPerDay + SpanReach;
    if (m_spans.empty() || from < m_spans.front().fromUtc || to > m_spans.back().toUtc) {
        day.m_spans = spansBetween(m_zone, from, to, MaxTransitionsPerWindow);
        return day;
    }
    for (const ZoneSpan &span : m_spans) {
        if (span.toUtc > from && span.fromUtc < to)
            day.m_spans.push_back({std::max(span.fromUtc, from), std::min(span.toUtc, to), span.offsetSeconds});
    }
    return day;
}

qint64 LocalClock::dayStartUtc(QDate date) const
{
    const LocalDay local = day(date);
    if (isFixed())
        return local.m_midnightAsUtc - m_fixedZone.secondsEast();
    // The first span that holds a moment of the day, read at midnight or at its own start.
    for (const ZoneSpan &span : local.m_spans) {
        const qint64 midnight = local.m_midnightAsUtc - span.offsetSeconds;
        if (midnight < span.toUtc)
            return std::max(midnight, span.fromUtc);
    }
    return local.m_midnightAsUtc;
}

QDateTime LocalClock::localTime(qint64 utcSeconds) const
{
    if (isFixed())
        return QDateTime::fromSecsSinceEpoch(utcSeconds, m_fixedZone.timeZone());
    return QDateTime::fromSecsSinceEpoch(utcSeconds, m_zone);
}

} // namespace ferolune
