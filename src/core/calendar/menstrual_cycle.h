#pragma once

// The menstrual cycle beside the lunar calendar, by the calendar (Knaus–Ogino) rule: from
// the recorded first days of bleeding, the cycles they make, the basis of shortest and
// longest cycle, the predicted starts and the fertile window of every cycle.

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

namespace ferolune {

struct CycleHistory {
    std::vector<QDate> periodStarts; // recorded first days of bleeding, in any order
    int usualShortest = 26;          // her usual lengths, used while too few cycles are recorded
    int usualLongest = 32;

    bool isEmpty() const { return periodStarts.empty(); }
    bool operator==(const CycleHistory &) const = default;
};

// A cycle counts when it is 20 to 45 days long; a longer gap is most likely a missed entry.
constexpr int ShortestCountingCycle = 20;
constexpr int LongestCountingCycle = 45;
// Whether a cycle of `length` days counts (and a usual length is accepted).
bool CycleCounts(int length);
// From this many counting cycles on, the basis is her own recorded cycles.
constexpr int CyclesForOwnBasis = 6;
// The basis looks at the most recent counting cycles, this many at the most.
constexpr int CyclesInBasis = 12;

struct CycleBasis {
    int shortest = 0;
    int longest = 0;
    int mean = 0;           // the distance of the predicted starts
    int countingCycles = 0; // the counting cycles the basis looked at
    bool fromRecords = false;
    bool operator==(const CycleBasis &) const = default;
};

// The lengths of the recorded cycles, oldest first: the days from each start to the next.
std::vector<int> RecordedCycleLengths(const CycleHistory &history);

CycleBasis BasisOf(const CycleHistory &history);

enum class CycleMark { None, Period, PeriodPredicted, Fertile };

struct CycleDay {
    int cycleDay = 0; // 1 on a start; 0 before the first recorded start or without a history
    CycleMark mark = CycleMark::None;
    bool operator==(const CycleDay &) const = default;
};

// One entry per day of `year` (365 or 366), day index = day of the year - 1.
std::vector<CycleDay> CycleDaysOf(const CycleHistory &history, int year);

// The cycle layer of a calendar: the days of its year and the basis they were worked out
// on. Without a history it has no days, and the calendar shows the lunar cycle alone.
struct CycleLayer {
    std::vector<CycleDay> days; // empty, or one per day of the year
    CycleBasis basis;

    bool isEmpty() const { return days.empty(); }
    // The day of index `dayIndex`; a day without a mark when the layer is empty.
    CycleDay day(int dayIndex) const;
    bool operator==(const CycleLayer &) const = default;
};

CycleLayer CycleLayerOf(const CycleHistory &history, int year);

// The most starts a history holds: a lifetime of cycles with room to spare.
constexpr std::size_t MaxPeriodStarts = 1000;

// Why a history cannot be kept, in Hungarian, naming the date or the length at fault: a
// start after `today` or before `birth` (when valid), the same start twice, more than
// MaxPeriodStarts starts, a usual length outside 20-45, the shortest above the longest.
// nullopt when it can. Every door a history comes in by (the dialog, the command line, a
// saved person) checks it here.
std::optional<QString> CycleHistoryProblem(const CycleHistory &history, const QDate &today,
                                           const QDate &birth = QDate());

} // namespace ferolune
