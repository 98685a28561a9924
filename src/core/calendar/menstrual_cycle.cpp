#include "core/calendar/menstrual_cycle.h"

#include <algorithm>
#include <iterator>

namespace ferolune {

namespace {

// The fertile window runs from cycle day shortest - 18 to cycle day longest - 11.
constexpr int FirstFertileBeforeShortest = 18;
constexpr int LastFertileBeforeLongest = 11;

std::vector<QDate> sortedStarts(const CycleHistory &history)
{
    std::vector<QDate> starts = history.periodStarts;
    std::sort(starts.begin(), starts.end());
    return starts;
}

// Whole days rounded half up: the mean of `count` lengths adding up to `sum`.
int meanRoundedHalfUp(int sum, int count)
{
    return (2 * sum + count) / (2 * count);
}

QString dateText(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy.MM.dd"));
}

// The cycle a day falls in: its first day, and whether that start was recorded.
struct CycleSpan {
    QDate start;
    bool recorded = true;
};

std::optional<CycleSpan> cycleOf(const QDate &day, const std::vector<QDate> &starts, int predictedDistance)
{
    const auto after = std::upper_bound(starts.begin(), starts.end(), day);
    if (after == starts.begin())
        return std::nullopt; // before the first recorded start
    const QDate lastRecorded = *std::prev(after);
    if (after != starts.end())
        return CycleSpan{lastRecorded, true};
    // Past the last recorded start the predicted starts follow every `predictedDistance` days.
    const qint64 cyclesSince = lastRecorded.daysTo(day) / predictedDistance;
    const QDate start = lastRecorded.addDays(cyclesSince * predictedDistance);
    return CycleSpan{start, cyclesSince == 0};
}

} // namespace

bool CycleCounts(int length)
{
    return length >= ShortestCountingCycle && length <= LongestCountingCycle;
}

std::vector<int> RecordedCycleLengths(const CycleHistory &history)
{
    const std::vector<QDate> starts = sortedStarts(history);
    std::vector<int> lengths;
    for (std::size_t k = 1; k < starts.size(); ++k)
        lengths.push_back(static_cast<int>(starts[k - 1].daysTo(starts[k])));
    return lengths;
}

CycleBasis BasisOf(const CycleHistory &history)
{
    std::vector<int> counting;
    for (int length : RecordedCycleLengths(history))
        if (CycleCounts(length))
            counting.push_back(length);
    if (counting.size() > CyclesInBasis)
        counting.erase(counting.begin(), counting.end() - CyclesInBasis);

    CycleBasis basis;
    basis.countingCycles = static_cast<int>(counting.size());
    basis.fromRecords = basis.countingCycles >= CyclesForOwnBasis;
    if (basis.fromRecords) {
        const auto [shortest, longest] = std::minmax_element(counting.begin(), counting.end());
        basis.shortest = *shortest;
        basis.longest = *longest;
        int sum = 0;
        for (int length : counting)
            sum += length;
        basis.mean = meanRoundedHalfUp(sum, basis.countingCycles);
    } else {
        basis.shortest = history.usualShortest;
        basis.longest = history.usualLongest;
        basis.mean = meanRoundedHalfUp(history.usualShortest + history.usualLongest, 2);
    }
    return basis;
}

std::vector<CycleDay> CycleDaysOf(const CycleHistory &history, int year)
{
    const QDate first(year, 1, 1);
    std::vector<CycleDay> days(static_cast<std::size_t>(first.daysInYear()));
    if (history.isEmpty())
        return days;
    const std::vector<QDate> starts = sortedStarts(history);
    const CycleBasis basis = BasisOf(history);
    if (basis.mean < 1)
        return days; // lengths no check let through: no cycle can be laid out on them
    const int firstFertile = basis.shortest - FirstFertileBeforeShortest;
    const int lastFertile = basis.longest - LastFertileBeforeLongest;
    for (std::size_t k = 0; k < days.size(); ++k) {
        const QDate day = first.addDays(static_cast<qint64>(k));
        const std::optional<CycleSpan> cycle = cycleOf(day, starts, basis.mean);
        if (!cycle)
            continue;
        CycleDay &entry = days[k];
        entry.cycleDay = static_cast<int>(cycle->start.daysTo(day)) + 1;
        if (entry.cycleDay == 1)
            entry.mark = cycle->recorded ? CycleMark::Period : CycleMark::PeriodPredicted;
        else if (entry.cycleDay >= firstFertile && entry.cycleDay <= lastFertile)
            entry.mark = CycleMark::Fertile; // a cycle ends the day before the next start: the cut comes by itself
    }
    return days;
}

CycleDay CycleLayer::day(int dayIndex) const
{
    if (dayIndex < 0 || static_cast<std::size_t>(dayIndex) >= days.size())
        return {};
    return days[static_cast<std::size_t>(dayIndex)];
}

CycleLayer CycleLayerOf(const CycleHistory &history, int year)
{
    if (history.isEmpty())
        return {};
    return {CycleDaysOf(history, year), BasisOf(history)};
}

std::optional<QString> CycleHistoryProblem(const CycleHistory &history, const QDate &today, const QDate &birth)
{
    const auto outOfRange = [](int length) { return !CycleCounts(length); };
    if (outOfRange(history.usualShortest))
        return QStringLiteral("A szokásos legrövidebb ciklus hossza 20 és 45 nap között lehet!");
    if (outOfRange(history.usualLongest))
        return QStringLiteral("A szokásos leghosszabb ciklus hossza 20 és 45 nap között lehet!");
    if (history.usualShortest > history.usualLongest)
        return QStringLiteral("A szokásos legrövidebb ciklus nem lehet hosszabb a leghosszabbnál!");
    if (history.periodStarts.size() > MaxPeriodStarts)
        return QStringLiteral("Legfeljebb %1 vérzéskezdet rögzíthető (megadva: %2).")
            .arg(MaxPeriodStarts)
            .arg(history.periodStarts.size());
    const std::vector<QDate> starts = sortedStarts(history);
    for (std::size_t k = 0; k < starts.size(); ++k) {
        if (!starts[k].isValid())
            return QStringLiteral("Érvénytelen dátum a vérzések kezdetei között!");
        if (starts[k] > today)
            return QStringLiteral("A %1 vérzéskezdet a mai napnál későbbi!").arg(dateText(starts[k]));
        if (birth.isValid() && starts[k] < birth)
            return QStringLiteral("A %1 vérzéskezdet a születés napjánál korábbi!").arg(dateText(starts[k]));
        if (k > 0 && starts[k] == starts[k - 1])
            return QStringLiteral("A %1 vérzéskezdet kétszer szerepel!").arg(dateText(starts[k]));
    }
    return std::nullopt;
}

} // namespace ferolune
