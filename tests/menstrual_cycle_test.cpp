// The cycle layer: cycle days, recorded and predicted starts and fertile windows, day by
// day, against the calendar rule worked out by hand.

#include "core/calendar/menstrual_cycle.h"
#include "io/texts/calendar_texts.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ferolune;

namespace {

QDate day(const char *text)
{
    return QDate::fromString(QString::fromLatin1(text), Qt::ISODate);
}

CycleHistory historyOf(std::vector<const char *> starts, int shortest = 26, int longest = 32)
{
    CycleHistory history;
    for (const char *start : starts)
        history.periodStarts.push_back(day(start));
    history.usualShortest = shortest;
    history.usualLongest = longest;
    return history;
}

struct ExpectedDay {
    const char *date;
    int cycleDay;
    CycleMark mark;
};

struct LayerCase {
    const char *name;
    CycleHistory history;
    int year;
    const char *basisLine;
    std::vector<ExpectedDay> days;
};

using enum CycleMark;

const std::vector<LayerCase> layerCases = {
    // One counting cycle: her usual 26-32 days, the window is cycle days 8 to 21 and the
    // predicted starts follow every 29 days.
    {"few cycles, usual lengths", historyOf({"2026-02-02", "2026-01-05"}), 2026,
     "kevesebb mint 6 ciklus: a megadott 26–32 nap",
     {{"2026-01-04", 0, None}, {"2026-01-05", 1, Period}, {"2026-01-11", 7, None}, {"2026-01-12", 8, Fertile},
      {"2026-01-25", 21, Fertile}, {"2026-01-26", 22, None}, {"2026-02-01", 28, None}, {"2026-02-02", 1, Period},
      {"2026-02-09", 8, Fertile}, {"2026-03-03", 1, PeriodPredicted}, {"2026-03-10", 8, Fertile},
      {"2026-04-01", 1, PeriodPredicted}, {"2026-12-31", 14, Fertile}}},
    // Her own usual lengths 24-35: days 6 to 24, predicted every 30 days (29.5 rounded up).
    {"given usual lengths", historyOf({"2026-03-01"}, 24, 35), 2026, "kevesebb mint 6 ciklus: a megadott 24–35 nap",
     {{"2026-02-28", 0, None}, {"2026-03-06", 6, Fertile}, {"2026-03-24", 24, Fertile}, {"2026-03-25", 25, None},
      {"2026-03-31", 1, PeriodPredicted}}},
    // Six counting cycles of 27, 28, 29, 30, 31 and 27 days: 27-31 from her records, the
    // window days 9 to 20, predicted every 29 days (28.67 rounded).
    {"own basis", historyOf({"2026-01-01", "2026-01-28", "2026-02-25", "2026-03-26", "2026-04-25", "2026-05-26",
                             "2026-06-22"}),
     2026, "6 ciklus alapján: 27–31 nap",
     {{"2026-06-22", 1, Period}, {"2026-06-29", 8, None}, {"2026-06-30", 9, Fertile}, {"2026-07-11", 20, Fertile},
      {"2026-07-12", 21, None}, {"2026-07-21", 1, PeriodPredicted}}},
    // The predicted starts run on into the next year.
    {"next year", historyOf({"2026-12-20"}), 2027, "kevesebb mint 6 ciklus: a megadott 26–32 nap",
     {{"2027-01-01", 13, Fertile}, {"2027-01-10", 22, None}, {"2027-01-18", 1, PeriodPredicted},
      {"2027-01-25", 8, Fertile}}},
    // A 60-day gap is a missed entry: it does not count, but it is still a recorded cycle,
    // whose window is days 8 to 21 and whose days run on to 60. A 20-day cycle cuts its
    // window at the day before the next start.
    {"uncounted gap and cut window", historyOf({"2026-01-01", "2026-03-02", "2026-03-22"}), 2026,
     "kevesebb mint 6 ciklus: a megadott 26–32 nap",
     {{"2026-01-21", 21, Fertile}, {"2026-01-22", 22, None}, {"2026-03-01", 60, None}, {"2026-03-02", 1, Period},
      {"2026-03-21", 20, Fertile}, {"2026-03-22", 1, Period}}},
};

TEST(CycleLayer, DaysFollowTheCalendarRule)
{
    for (const LayerCase &c : layerCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BasisLine(BasisOf(c.history)), QString::fromUtf8(c.basisLine));
        const std::vector<CycleDay> days = CycleDaysOf(c.history, c.year);
        ASSERT_EQ(days.size(), static_cast<std::size_t>(QDate(c.year, 1, 1).daysInYear()));
        for (const ExpectedDay &expected : c.days) {
            SCOPED_TRACE(expected.date);
            const CycleDay &got = days[static_cast<std::size_t>(day(expected.date).dayOfYear() - 1)];
            EXPECT_EQ(got, (CycleDay{expected.cycleDay, expected.mark}));
        }
    }
    EXPECT_EQ(CycleDaysOf(CycleHistory{}, 2026), std::vector<CycleDay>(365));
}

TEST(CycleLayer, BasisTakesTheLastTwelveCountingCycles)
{
    // Fourteen cycles, thirteen of them counting: the oldest, 21 days, falls out of the
    // basis; the 50-day gap never counts.
    CycleHistory history = historyOf({"2025-01-01"});
    const int lengths[] = {21, 50, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 28, 32};
    for (int length : lengths)
        history.periodStarts.push_back(history.periodStarts.back().addDays(length));
    const CycleBasis basis = BasisOf(history);
    EXPECT_TRUE(basis.fromRecords);
    EXPECT_EQ(basis.countingCycles, 12);
    EXPECT_EQ(basis.shortest, 28);
    EXPECT_EQ(basis.longest, 32);
    EXPECT_EQ(basis.mean, 30);
}

TEST(CycleLayer, RefusesWhatCannotBeTrue)
{
    const QDate today = day("2026-12-09");
    const struct {
        CycleHistory history;
        const char *message; // nullptr: kept
    } cases[] = {
        {historyOf({"2026-11-10", "2026-12-09"}), nullptr},
        {historyOf({"2026-11-10", "2026-12-10"}), "A 2026.12.10 vérzéskezdet a mai napnál későbbi!"},
        {historyOf({"2026-11-10", "2026-10-12", "2026-11-10"}), "A 2026.11.10 vérzéskezdet kétszer szerepel!"},
        {historyOf({}, 19, 32), "A szokásos legrövidebb ciklus hossza 20 és 45 nap között lehet!"},
        {historyOf({}, 26, 46), "A szokásos leghosszabb ciklus hossza 20 és 45 nap között lehet!"},
        {historyOf({}, 33, 32), "A szokásos legrövidebb ciklus nem lehet hosszabb a leghosszabbnál!"},
    };
    for (const auto &c : cases) {
        const std::optional<QString> problem = CycleHistoryProblem(c.history, today);
        if (c.message)
            EXPECT_EQ(problem.value_or(QString()), QString::fromUtf8(c.message));
        else
            EXPECT_FALSE(problem) << qPrintable(*problem);
    }
}

} // namespace
