#pragma once

// The clock a calendar run reads its moments on: the fixed zone of the zone field, or the
// local clock of the place of residence (an IANA zone), with the summer time in force on
// each day. On the place's clock a time skipped when the clocks went forward has no
// moment, and a time repeated when they went back has two.

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTimeZone>

#include <array>
#include <vector>

namespace ferolune {

// The zone hours (universal time = local time + hours, east negative) valid at one local
// clock time: none for a skipped time, two for a repeated one (the earlier first).
struct ZoneHoursAt {
    std::array<float, 2> hours{};
    int count = 0;
};

// One local moment as a run evaluates it.
struct ClockSample {
    int hour = 0;
    int minute = 0;
    float zoneHours = 0;
};

// A stretch of universal time (seconds since 1970) with one offset from it, in seconds east.
struct ZoneSpan {
    qint64 fromUtc = 0;
    qint64 toUtc = 0;
    int offsetSeconds = 0;
};

// One calendar day of a clock: which zone hours hold at each of its clock times.
class LocalDay {
public:
    ZoneHoursAt zoneHoursAt(int hour, int minute) const;

    // The clock times `hour`:`minutes` of the day, each once for every zone hours valid at
    // it, in the order of universal time.
    std::vector<ClockSample> samples(int hour, int firstMinute, int lastMinute, int minuteStep) const;

private:
    friend class LocalClock;
    bool m_fixed = true;
    float m_fixedZoneHours = 0;
    qint64 m_midnightAsUtc = 0; // the day's local midnight read as if it were universal time
    std::vector<ZoneSpan> m_spans;
};

class LocalClock {
public:
    // The zone field's hours, the same all year.
    explicit LocalClock(float fixedZoneHours);
    // The clock of an IANA zone ("Europe/Budapest"); an empty id, or one the system's zone
    // data does not know, gives the fixed zone. The zone's history from the year before
    // `year` to the year after it is read once here (a day's lookup in the system's data
    // costs about as much as a day of the scan); other days read their own.
    LocalClock(const QByteArray &timeZoneId, float fixedZoneHours, int year);

    bool isFixed() const { return !m_zone.isValid(); }
    float fixedZoneHours() const { return m_fixedZoneHours; }

    LocalDay day(QDate date) const;

    // The universal instant (seconds since 1970) of the first moment of `date` on this
    // clock: its midnight, or the moment the clocks went on to when midnight was skipped.
    qint64 dayStartUtc(QDate date) const;

    // The local clock time of a universal instant (seconds since 1970), with its zone.
    QDateTime localTime(qint64 utcSeconds) const;

private:
    QTimeZone m_zone; // invalid for the fixed zone
    float m_fixedZoneHours = 0;
    std::vector<ZoneSpan> m_spans; // the zone's offsets over the years read at construction
};

// The clock a time is read on, by its offset from universal time: "UTC+1", "UTC+5:30",
// "UTC-3", "UTC".
QString ClockLabel(int offsetSeconds);
QString ClockLabel(const QDateTime &moment);

// A moment to the minute with its offset, ISO 8601: "2027-04-09T20:29+01:00".
QString IsoMinuteWithOffset(const QDateTime &moment);

// What a calendar without a place of residence says of its times: they stay on the birth
// zone all year, summer time or not.
QString BirthZoneNote(float zoneHours);

} // namespace ferolune
