#pragma once

// The clock a calendar run reads its moments on: the fixed zone of the zone field, or the
// local clock of the place of residence (an IANA zone), with the summer time in force on
// each day. On the place's clock a time skipped when the clocks went forward has no
// moment, and a time repeated when they went back has two.

#include "core/chart/birth_input.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTimeZone>

#include <array>
#include <vector>

namespace ferolune {

// The offsets valid at one local clock time: none for a skipped time, two for a repeated
// one (the earlier first).
struct OffsetsAt {
    std::array<UtcOffset, 2> offsets{};
    int count = 0;
};

// One local moment as a run evaluates it.
struct ClockSample {
    int hour = 0;
    int minute = 0;
    UtcOffset zone;
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
    OffsetsAt offsetsAt(int hour, int minute) const;

    // The clock times `hour`:`minutes` of the day, each once for every offset valid at it,
    // in the order of universal time.
    std::vector<ClockSample> samples(int hour, int firstMinute, int lastMinute, int minuteStep) const;

private:
    friend class LocalClock;
    bool m_fixed = true;
    UtcOffset m_fixedZone;
    qint64 m_midnightAsUtc = 0; // the day's local midnight read as if it were universal time
    std::vector<ZoneSpan> m_spans;
};

class LocalClock {
public:
    // The birth zone, the same all year.
    explicit LocalClock(UtcOffset fixedZone);
    // The clock of an IANA zone ("Europe/Budapest"); an empty id, or one the system's zone
    // data does not know, gives the fixed zone. The zone's history from the year before
    // `year` to the year after it is read once here (a day's lookup in the system's data
    // costs about as much as a day of the scan); other days read their own.
    LocalClock(const QByteArray &timeZoneId, UtcOffset fixedZone, int year);

    bool isFixed() const { return !m_zone.isValid(); }
    UtcOffset fixedZone() const { return m_fixedZone; }

    LocalDay day(QDate date) const;

    // The universal instant (seconds since 1970) of the first moment of `date` on this
    // clock: its midnight, or the moment the clocks went on to when midnight was skipped.
    qint64 dayStartUtc(QDate date) const;

    // The local clock time of a universal instant (seconds since 1970), with its zone.
    QDateTime localTime(qint64 utcSeconds) const;

private:
    QTimeZone m_zone; // invalid for the fixed zone
    UtcOffset m_fixedZone;
    std::vector<ZoneSpan> m_spans; // the zone's offsets over the years read at construction
};

} // namespace ferolune
