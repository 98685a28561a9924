#include "core/calendar/local_clock.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace ferolune {

namespace {

constexpr qint64 SecondsPerDay = 86400;
constexpr int SecondsPerHour = 3600;
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

float zoneHoursOf(int offsetSeconds)
{
    // Universal time = local time + zone hours: a clock east of Greenwich has negative hours.
    return static_cast<float>(-offsetSeconds) / SecondsPerHour;
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
    return (sample.hour + static_cast<double>(sample.zoneHours)) * 60 + sample.minute;
}

} // namespace

ZoneHoursAt LocalDay::zoneHoursAt(int hour, int minute) const
{
    ZoneHoursAt result;
    if (m_fixed) {
        result.hours[0] = m_fixedZoneHours;
        result.count = 1;
        return result;
    }
    const qint64 local = m_midnightAsUtc + (qint64(hour) * 60 + minute) * 60;
    for (const ZoneSpan &span : m_spans) {
        const qint64 universal = local - span.offsetSeconds;
        if (universal >= span.fromUtc && universal < span.toUtc && result.count < int(result.hours.size()))
            result.hours[std::size_t(result.count++)] = zoneHoursOf(span.offsetSeconds);
    }
    return result;
}

std::vector<ClockSample> LocalDay::samples(int hour, int firstMinute, int lastMinute, int minuteStep) const
{
    std::vector<ClockSample> result;
    for (int minute = firstMinute; minute <= lastMinute; minute += minuteStep) {
        const ZoneHoursAt zone = zoneHoursAt(hour, minute);
        for (int k = 0; k < zone.count; ++k)
            result.push_back({hour, minute, zone.hours[std::size_t(k)]});
    }
    // A repeated time comes back after the rest of its first pass: an hour repeated at
    // 02:00..02:59 is sampled through in summer time, then again in winter time.
    std::stable_sort(result.begin(), result.end(), [](const ClockSample &a, const ClockSample &b) {
        return universalMinutes(a) < universalMinutes(b);
    });
    return result;
}

LocalClock::LocalClock(float fixedZoneHours) : m_fixedZoneHours(fixedZoneHours) {}

LocalClock::LocalClock(const QByteArray &timeZoneId, float fixedZoneHours, int year)
    : m_fixedZoneHours(fixedZoneHours)
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
    day.m_fixedZoneHours = m_fixedZoneHours;
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
        return local.m_midnightAsUtc + qint64(std::llround(double(m_fixedZoneHours) * SecondsPerHour));
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
    if (isFixed()) {
        // A zone beyond what a clock can be (more than 14 hours) is shown in universal time.
        const QTimeZone zone(int(std::lround(-double(m_fixedZoneHours) * SecondsPerHour)));
        return QDateTime::fromSecsSinceEpoch(utcSeconds, zone.isValid() ? zone : QTimeZone::utc());
    }
    return QDateTime::fromSecsSinceEpoch(utcSeconds, m_zone);
}

QString ClockLabel(int offsetSeconds)
{
    if (offsetSeconds == 0)
        return QStringLiteral("UTC");
    const int minutes = std::abs(offsetSeconds) / 60;
    QString label = QStringLiteral("UTC") + (offsetSeconds < 0 ? u'-' : u'+') + QString::number(minutes / 60);
    if (minutes % 60 != 0)
        label += u':' + QStringLiteral("%1").arg(minutes % 60, 2, 10, QLatin1Char('0'));
    return label;
}

QString ClockLabel(const QDateTime &moment)
{
    return ClockLabel(moment.offsetFromUtc());
}

QString IsoMinuteWithOffset(const QDateTime &moment)
{
    const int offset = moment.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return moment.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm")) + (offset < 0 ? u'-' : u'+') +
           QStringLiteral("%1:%2").arg(minutes / 60, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString BirthZoneNote(float zoneHours)
{
    // Universal time = local time + zoneHours: the clock is -zoneHours ahead of it.
    const int offsetSeconds = static_cast<int>(std::lround(-static_cast<double>(zoneHours) * 3600));
    return QStringLiteral("az idők a születési zóna szerint (%1)").arg(ClockLabel(offsetSeconds));
}

} // namespace ferolune
