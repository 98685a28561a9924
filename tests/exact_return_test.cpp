// The exact return of every moon-phase day against an independent bisection on the
// library's positions and against the day detail's red hours.

#include "core/calendar/calendar_run.h"
#include "core/chart/ephemeris.h"
#include "support/calendar_support.h"
#include "support/locale_guard.h"

#include <gtest/gtest.h>
#include <swephexp.h>

#include <QDate>
#include <QTimeZone>

#include <cmath>

using namespace ferolune;
using ferolune::test::anglesOf;
using ferolune::test::birthOf;
using ferolune::test::calendarEphemeris;
using ferolune::test::DecimalSeparatorGuard;
using ferolune::test::requestOf;

namespace {

struct Calendar {
    const char *name;
    BirthForm birth;
    const char *year;
    double zoneHours;
    int phaseDays;
};

const Calendar Calendars[] = {
    {"default birth 2026", BirthForm{}, "2026", -1, 13},
    {"new-moon birth 2027", birthOf("2000", "1", "6", 19, "12", "-1"), "2027", -1, 13},
    {"leap-day birth 2020", birthOf("1981", "3", "10", 18, "27", "-1.5"), "2020", -1.5, 12},
};

struct Scanned {
    CalendarRequest request;
    NatalAngles angles;
    CalendarModel model;
};

Scanned scanned(const Calendar &calendar)
{
    const CalendarRequest request = requestOf(calendar.birth, QString::fromLatin1(calendar.year).toInt());
    const NatalAngles angles = anglesOf(request);
    return {request, angles, ComputeYearCalendar(request, angles, calendarEphemeris()).value()};
}

// Plain library calls, nothing of the program's.
struct Plain {
    double angle, moonLon;
};
Plain plainAt(double julianDay)
{
    double sun[6], moon[6];
    char error[256];
    EXPECT_GE(swe_calc(julianDay, SE_SUN, SEFLG_SWIEPH, sun, error), 0);
    EXPECT_GE(swe_calc(julianDay, SE_MOON, SEFLG_SWIEPH, moon, error), 0);
    return {std::fmod(moon[0] - sun[0] + 720, 360), moon[0]};
}

double plainOffset(double julianDay, double natal)
{
    return std::remainder(plainAt(julianDay).angle - natal, 360);
}

// Bisection over the three days around the moon-phase day, local midnights of the zone.
double bisectedReturn(int year, int month, int day, double zoneHours, double natal)
{
    double low = swe_julday(year, month, day, zoneHours, SE_GREG_CAL) - 1;
    double high = low + 3;
    for (int i = 0; i < 60; ++i) {
        const double middle = (low + high) / 2;
        (plainOffset(middle, natal) < 0 ? low : high) = middle;
    }
    return (low + high) / 2;
}

int plainSign(double julianDay)
{
    return static_cast<int>(plainAt(julianDay).moonLon / 30) + 1;
}

} // namespace

// Also: the tenth-degree span holds exactly the minutes the day detail colours red.
TEST(ExactReturn, EveryMoonPhaseDayAgreesWithAnIndependentBisectionAndItsDetail)
{
    DecimalSeparatorGuard dot(u'.');
    int signChanges = 0;
    for (const Calendar &calendar : Calendars) {
        SCOPED_TRACE(calendar.name);
        Scanned result = scanned(calendar);
        const int year = QString::fromLatin1(calendar.year).toInt();
        int phaseDays = 0;
        for (int k = 0; k < result.model.dayCount; ++k) {
            const bool phaseDay = result.model.days[static_cast<size_t>(k)].isPhaseDay();
            const std::optional<ExactReturn> &exact = result.model.exactReturns[static_cast<size_t>(k)];
            ASSERT_EQ(exact.has_value(), phaseDay) << "cell " << k;
            if (!phaseDay)
                continue;
            ++phaseDays;
            const QDate date = QDate(year, 1, 1).addDays(k);
            SCOPED_TRACE(date.toString(Qt::ISODate).toStdString());
            const double expected =
                bisectedReturn(year, date.month(), date.day(), calendar.zoneHours, result.angles.angle);
            EXPECT_NEAR(exact->julianDay, expected, 1.0 / 86400);
            // Local time of the zone (universal time = local time + zone), the same instant.
            const qint64 universalSeconds = std::llround((expected - 2440587.5) * 86400);
            EXPECT_LE(std::abs(exact->moment.toSecsSinceEpoch() - universalSeconds), 1);
            EXPECT_EQ(exact->moment.offsetFromUtc(), std::lround(-calendar.zoneHours * 3600));
            // The Moon's sign at the moment, and its change within 12 hours either side.
            const int sign = plainSign(expected);
            EXPECT_EQ(exact->moonSign, sign);
            std::optional<SignChange> change;
            if (plainSign(expected - 0.5) != sign)
                change = SignChange{plainSign(expected - 0.5), sign};
            else if (plainSign(expected + 0.5) != sign)
                change = SignChange{sign, plainSign(expected + 0.5)};
            EXPECT_EQ(exact->signChange, change);
            signChanges += change ? 1 : 0;

            const DayDetail detail =
                ComputeDayDetail(result.request, result.angles, date.month(), date.day(), calendarEphemeris()).value();
            EXPECT_EQ(detail.dayIndex, k);
            const QDateTime stripStart(date.addDays(-1), QTime(0, 0), exact->tenthFirst.timeZone());
            const qint64 firstHour = stripStart.secsTo(exact->tenthFirst) / 3600;
            const qint64 lastHour = stripStart.secsTo(exact->tenthLast) / 3600;
            for (int hour = 0; hour < CalendarModel::HourCount; ++hour)
                EXPECT_EQ(detail.hours[static_cast<size_t>(hour)] == HourClass::Match,
                          hour >= firstHour && hour <= lastHour)
                    << "hour cell " << hour;
        }
        EXPECT_EQ(phaseDays, calendar.phaseDays);
    }
    EXPECT_GT(signChanges, 10); // the Moon changes sign near about 40% of the moments
}
