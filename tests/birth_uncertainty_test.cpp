// The birth-time uncertainty: the natal degrees a range of birth moments passes through,
// and the range of each exact return against the calendars of the two end birth minutes.
// Whether the uncertain days are exactly the days some birth minute classes otherwise is
// checked minute by minute through the command line (uncertainty/uncertain_days.py).

#include "core/calendar/calendar_run.h"
#include "support/calendar_support.h"
#include "support/locale_guard.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace ferolune;
using ferolune::test::birthOf;
using ferolune::test::calendarEphemeris;
using ferolune::test::DecimalSeparatorGuard;
using ferolune::test::requestOf;

namespace {

CalendarModel calendarOf(BirthForm form, int year, int minutes)
{
    form.uncertainty = QString::number(minutes);
    return RunCalendar(requestOf(form, year), calendarEphemeris())->calendar;
}

// The exact return of `calendar` nearest to `moment`, within two days.
std::optional<QDateTime> nearestReturn(const CalendarModel &calendar, const QDateTime &moment)
{
    std::optional<QDateTime> nearest;
    for (const std::optional<ExactReturn> &exact : calendar.exactReturns)
        if (exact && std::abs(exact->moment.secsTo(moment)) < 2 * 86400 &&
            (!nearest || std::abs(exact->moment.secsTo(moment)) < std::abs(nearest->secsTo(moment))))
            nearest = exact->moment;
    return nearest;
}

} // namespace

TEST(BirthUncertainty, TheNatalDegreesOfARangeOfBirthMoments)
{
    const struct {
        double earliest, natalRounded, latest;
        int minutes;
        std::vector<double> degrees;
    } rows[] = {
        {124.52, 124.6, 124.71, 15, {}},             // within its degree
        {124.93, 124.9, 125.02, 10, {125}},          // over the edge
        {120.2, 121.7, 123.3, 180, {120, 122, 123}}, // a long range
        {359.93, 359.9, 0.07, 10, {0}},              // over the new moon: 360.0 is 0.0
        {359.97, 360.0, 0.3, 10, {}},                // 360.0 and 0.3 lie in the same degree
        {124.93, 124.9, 125.02, 0, {}},              // no uncertainty
    };
    for (const auto &row : rows) {
        const NatalAngles angles{row.natalRounded, row.natalRounded, row.minutes, row.earliest, row.latest};
        EXPECT_EQ(OtherNatalDegrees(angles), row.degrees) << row.earliest << " .. " << row.latest;
    }
}

// Far from the edge of its degree (natal 4.6 at 09:35, 4.4 .. 4.7 over ±15 minutes) no
// day is uncertain; each moon-phase day's range is the exact returns of the
// calendars of 09:20 and 09:50, within a minute, and says the same clock.
TEST(BirthUncertainty, RangesAreTheExactReturnsOfTheEndMinutes)
{
    DecimalSeparatorGuard dot(u'.');
    const auto birthAt = [](const char *minute) { return birthOf("1988", "7", "14", 9, minute, "-2"); };
    const CalendarModel calendar = calendarOf(birthAt("35"), 2027, 15);
    const CalendarModel earliest = calendarOf(birthAt("20"), 2027, 0);
    const CalendarModel latest = calendarOf(birthAt("50"), 2027, 0);
    const CalendarModel plain = calendarOf(birthAt("35"), 2027, 0);
    int phaseDays = 0;
    for (int k = 0; k < calendar.dayCount; ++k) {
        const auto cell = static_cast<size_t>(k);
        EXPECT_FALSE(calendar.days[cell].uncertain) << "cell " << k;
        EXPECT_EQ(calendar.days[cell].dayClass, plain.days[cell].dayClass) << "cell " << k;
        const std::optional<ExactReturn> &exact = calendar.exactReturns[cell];
        if (!exact)
            continue;
        ++phaseDays;
        EXPECT_FALSE(plain.exactReturns[cell]->earliest.isValid());
        EXPECT_EQ(exact->uncertaintyMinutes, 15);
        const std::optional<QDateTime> early = nearestReturn(earliest, exact->moment);
        const std::optional<QDateTime> late = nearestReturn(latest, exact->moment);
        ASSERT_TRUE(early && late) << "cell " << k;
        EXPECT_LE(std::abs(exact->earliest.secsTo(*early)), 60) << "cell " << k;
        EXPECT_LE(std::abs(exact->latest.secsTo(*late)), 60) << "cell " << k;
        // Each minute of the birth moves the return by about a minute.
        EXPECT_GT(exact->earliest.secsTo(exact->moment), 10 * 60);
        EXPECT_GT(exact->moment.secsTo(exact->latest), 10 * 60);
        EXPECT_EQ(exact->earliest.offsetFromUtc(), 2 * 3600);
    }
    EXPECT_EQ(phaseDays, 13);
}
