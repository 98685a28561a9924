// The calendar on the clock of the place of residence: the sampled moments of a day with a
// skipped or a repeated hour, the day detail's minutes in universal time, and the
// calendar of a birth zone moved by the summer time of the residence.

#include "core/calendar/calendar_run.h"
#include "core/calendar/local_clock.h"
#include "support/calendar_support.h"
#include "support/locale_guard.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace ferolune;
using ferolune::test::anglesOf;
using ferolune::test::calendarEphemeris;
using ferolune::test::DecimalSeparatorGuard;
using ferolune::test::requestOf;

namespace {

const QByteArray Budapest = QByteArrayLiteral("Europe/Budapest");

// The sampled moments of a day, hour by hour: the scan's (every second hour, minutes 0..50
// every tenth) or the detail's (every minute).
int sampleCount(const LocalDay &day, int hourStep, int lastMinute, int minuteStep)
{
    int count = 0;
    for (int hour = 0; hour < 24; hour += hourStep)
        count += int(day.samples(hour, 0, lastMinute, minuteStep).size());
    return count;
}

std::vector<float> zoneHoursOfHour(const LocalDay &day, int hour)
{
    std::vector<float> hours;
    for (const ClockSample &sample : day.samples(hour, 0, 50, 10))
        if (hours.empty() || hours.back() != sample.zone.hours)
            hours.push_back(sample.zone.hours);
    return hours;
}

} // namespace

TEST(LocalClock, SamplesOfADayOnAPlacesClock)
{
    const struct {
        const char *zone; // empty: the fixed zone -1
        QDate date;
        int scanSamples, detailMinutes;
        float noonZone;
        std::vector<float> hourTwoZones; // in the order they are sampled
        int clockYear = 0;               // the year the clock reads ahead; 0: the date's own
    } rows[] = {
        {"", QDate(2026, 3, 29), 72, 1440, -1, {-1}},
        {"Europe/Budapest", QDate(2026, 7, 14), 72, 1440, -2, {-2}},
        // The clocks go from 02:00 to 03:00: hour 2 never happens.
        {"Europe/Budapest", QDate(2026, 3, 29), 66, 1380, -2, {}},
        // From 03:00 back to 02:00: hour 2 twice, summer time first.
        {"Europe/Budapest", QDate(2026, 10, 25), 78, 1500, -1, {-2, -1}},
        // No summer time in Hungary from 1958 to 1979.
        {"Europe/Budapest", QDate(1975, 7, 14), 72, 1440, -1, {-1}},
        {"Europe/Budapest", QDate(1985, 7, 14), 72, 1440, -2, {-2}},
        // Days far from the year the clock read ahead read their own history.
        {"Europe/Budapest", QDate(1985, 3, 31), 66, 1380, -2, {}, 2026},
        {"Europe/Budapest", QDate(2027, 10, 31), 78, 1500, -1, {-2, -1}, 2026},
        {"America/New_York", QDate(2026, 3, 8), 66, 1380, 4, {}},
        {"Asia/Kolkata", QDate(2026, 7, 14), 72, 1440, -5.5f, {-5.5f}},
        // A zone the system does not know keeps the fixed zone.
        {"Europe/Nowhere", QDate(2026, 7, 14), 72, 1440, -1, {-1}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::string(row.zone) + " " + row.date.toString(Qt::ISODate).toStdString());
        const LocalDay day =
            LocalClock(QByteArray(row.zone), UtcOffset{-1}, row.clockYear ? row.clockYear : row.date.year())
                .day(row.date);
        EXPECT_EQ(sampleCount(day, 2, 50, 10), row.scanSamples);
        EXPECT_EQ(sampleCount(day, 1, 59, 1), row.detailMinutes);
        const OffsetsAt noon = day.offsetsAt(12, 0);
        ASSERT_EQ(noon.count, 1);
        EXPECT_EQ(noon.offsets[0].hours, row.noonZone);
        EXPECT_EQ(zoneHoursOfHour(day, 2), row.hourTwoZones);
    }
}

// On any clock the detail's minutes are the consecutive minutes of universal time from the
// first moment of the day before to the last of the day after, each in the hour cell of
// its local clock time.
TEST(ResidenceCalendar, TheDetailWalksUniversalTimeMinuteByMinute)
{
    const struct {
        const char *zone;
        int month, day;
        int minutes;
        int emptyCell; // an hour cell no minute reaches, -1 when none
        int doubledCell;
    } rows[] = {
        {"Europe/Budapest", 7, 14, 4320, -1, -1},
        {"Europe/Budapest", 3, 28, 4260, 50, -1},
        {"Europe/Budapest", 10, 25, 4380, -1, 26},
        {"Europe/Budapest", 10, 26, 4380, -1, 2},
    };
    DecimalSeparatorGuard dot(u'.');
    for (const auto &row : rows) {
        SCOPED_TRACE(std::string(row.zone) + " " + std::to_string(row.month) + "." + std::to_string(row.day));
        int minutes = 0, total = 0;
        const CalendarRequest request = requestOf({}, 2026, QByteArray(row.zone));
        const std::optional<DayDetail> detail = ComputeDayDetail(request, anglesOf(request), row.month, row.day,
                                                                 calendarEphemeris(), [&](const RunProgress &progress) {
                                                                     total = progress.total;
                                                                     ++minutes;
                                                                     return true;
                                                                 });
        ASSERT_TRUE(detail);
        EXPECT_EQ(minutes, row.minutes);
        EXPECT_EQ(total, row.minutes);
    }
}

// The default birth (zone -1) with its calendar in Budapest: the same instants, read an
// hour later on the clock while summer time is in force, the same while it is not.
TEST(ResidenceCalendar, ABudapestResidenceMovesSummerMoonPhaseHoursByTheSummerHour)
{
    const struct {
        int month;
        int hourShift;
    } rows[] = {{1, 0}, {2, 0}, {4, 1}, {7, 1}, {9, 1}, {11, 0}, {12, 0}};
    DecimalSeparatorGuard dot(u'.');
    const CalendarRequest birthZoneRequest = requestOf();
    const CalendarRequest residenceRequest = requestOf({}, 2026, Budapest);
    const NatalAngles angles = anglesOf(birthZoneRequest);
    const CalendarModel birthZone = ComputeYearCalendar(birthZoneRequest, angles, calendarEphemeris()).value();
    const CalendarModel residence = ComputeYearCalendar(residenceRequest, angles, calendarEphemeris()).value();

    std::set<int> monthsSeen;
    for (const auto &row : rows) {
        SCOPED_TRACE("month " + std::to_string(row.month));
        for (int k = 0; k < birthZone.dayCount; ++k) {
            const QDate date = QDate(2026, 1, 1).addDays(k);
            const std::optional<ExactReturn> &fixed = birthZone.exactReturns[size_t(k)];
            if (date.month() != row.month || !fixed)
                continue;
            monthsSeen.insert(row.month);
            SCOPED_TRACE(date.toString(Qt::ISODate).toStdString());
            ASSERT_EQ(residence.days[size_t(k)], birthZone.days[size_t(k)]);
            const std::optional<ExactReturn> &local = residence.exactReturns[size_t(k)];
            ASSERT_TRUE(local);
            EXPECT_NEAR(local->julianDay, fixed->julianDay, 1e-7);
            EXPECT_EQ(local->moment.offsetFromUtc(), 3600 * (1 + row.hourShift));
            EXPECT_EQ(local->moment.toSecsSinceEpoch(), fixed->moment.toSecsSinceEpoch());

            // The detail's red hours, an hour later on the clock in summer.
            const DayDetail fixedDetail =
                ComputeDayDetail(birthZoneRequest, angles, date.month(), date.day(), calendarEphemeris()).value();
            const DayDetail localDetail =
                ComputeDayDetail(residenceRequest, angles, date.month(), date.day(), calendarEphemeris()).value();
            int redHours = 0;
            for (int hour = 0; hour + row.hourShift < DayDetail::HourCount; ++hour) {
                EXPECT_EQ(localDetail.hours[size_t(hour + row.hourShift)], fixedDetail.hours[size_t(hour)])
                    << "hour cell " << hour;
                redHours += fixedDetail.hours[size_t(hour)] == HourClass::Match ? 1 : 0;
            }
            EXPECT_GE(redHours, 1);
            // The span the exact return names is the local one.
            EXPECT_EQ(fixed->tenthFirst.time().secsTo(local->tenthFirst.time()), 3600 * row.hourShift);
        }
    }
    EXPECT_EQ(monthsSeen.size(), std::size(rows));
}
