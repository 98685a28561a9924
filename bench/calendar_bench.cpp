// The calendar's cost against the bare cost of the library: a year scan, the exact returns
// of its moon-phase days and a day detail as the program runs them, and the two position calls for the Sun and the Moon alone
// at the same moments as the year scan.

#include "calendar/calendar_run.h"
#include "calendar/exact_return.h"
#include "chart/ephemeris.h"
#include "chart/natal_chart.h"

#include <benchmark/benchmark.h>
#include <swephexp.h>

#include <QStringList>

#include <array>
#include <vector>

using namespace ferolune;

namespace {

const QString CalendarYear = QStringLiteral("2026");

Ephemeris &benchEphemeris()
{
    static Ephemeris ephemeris(QStringList{QStringLiteral(FEROLUNE_EPHEMS_DIR)});
    return ephemeris;
}

ChartState natalState()
{
    ChartState state;
    state.EvalMode = EvaluationMode::Natal;
    ComputeNatalChart(state, BirthData{}, benchEphemeris());
    return state;
}

// The Julian days of the year scan's moments, in the order it computes them.
struct ScanMoments {
    std::vector<double> julianDays;
    CalendarModel model;
};

const ScanMoments &scanMoments()
{
    static const ScanMoments moments = [] {
        ScanMoments result;
        ChartState state = natalState();
        // Before every moment the state still holds the one before it.
        const MomentCallback record = [&](const RunProgress &) {
            if (state.ChartJulianDay != 0)
                result.julianDays.push_back(state.ChartJulianDay);
            return true;
        };
        state.ChartJulianDay = 0;
        ScanYear(state, BirthData{}, CalendarYear, benchEphemeris(), result.model, record);
        result.julianDays.push_back(state.ChartJulianDay);
        return result;
    }();
    return moments;
}

void countMoments(benchmark::State &bench, size_t moments)
{
    bench.counters["moments"] = static_cast<double>(moments);
    bench.counters["per_moment"] = benchmark::Counter(static_cast<double>(moments),
                                                      benchmark::Counter::kIsIterationInvariantRate |
                                                          benchmark::Counter::kInvert);
}

// The callback a window would give a run, reduced to what it costs: it looks at the progress.
MomentCallback progressRecorder(int &progressSeen)
{
    return [&progressSeen](const RunProgress &progress) {
        progressSeen = progress.done;
        return true;
    };
}

void BM_YearScan(benchmark::State &bench)
{
    ChartState state = natalState();
    CalendarModel model;
    int progressSeen = 0;
    const MomentCallback beforeMoment = progressRecorder(progressSeen);
    for (auto _ : bench) {
        ScanYear(state, BirthData{}, CalendarYear, benchEphemeris(), model, beforeMoment);
        benchmark::DoNotOptimize(model);
    }
    benchmark::DoNotOptimize(progressSeen);
    countMoments(bench, scanMoments().julianDays.size());
}

// The same scan on the clock of a place of residence with summer time.
void BM_YearScanResidence(benchmark::State &bench)
{
    ChartState state = natalState();
    CalendarModel model;
    int progressSeen = 0;
    const MomentCallback beforeMoment = progressRecorder(progressSeen);
    for (auto _ : bench) {
        ScanYear(state, BirthData{}, CalendarYear, benchEphemeris(), model, beforeMoment,
                 QByteArrayLiteral("Europe/Budapest"));
        benchmark::DoNotOptimize(model);
    }
    benchmark::DoNotOptimize(progressSeen);
    countMoments(bench, scanMoments().julianDays.size());
}

void BM_DayDetail(benchmark::State &bench)
{
    const CalendarModel &scanned = scanMoments().model;
    const DayCell *firstPhaseDay = nullptr;
    for (const DayCell &cell : scanned.days) {
        if (cell.dayClass == DayClass::PhaseBoy || cell.dayClass == DayClass::PhaseGirl) {
            firstPhaseDay = &cell;
            break;
        }
    }
    if (!firstPhaseDay) {
        bench.SkipWithError("the year scan found no moon-phase day");
        return;
    }
    const TagDate date = DateOfTag(firstPhaseDay->tag);
    ChartState state = natalState();
    CalendarModel model;
    int progressSeen = 0;
    const MomentCallback beforeMoment = progressRecorder(progressSeen);
    for (auto _ : bench) {
        Reszletes(state, BirthData{}, CalendarYear, date.month, date.day, benchEphemeris(), model, beforeMoment);
        benchmark::DoNotOptimize(model);
    }
    benchmark::DoNotOptimize(progressSeen);
    countMoments(bench, 3 * 24 * 60);
}

// The exact returns of the scanned year's moon-phase days, on top of the scan.
void BM_ExactReturns(benchmark::State &bench)
{
    const ChartState state = natalState();
    CalendarModel model = scanMoments().model;
    size_t phaseDays = 0;
    for (const DayCell &cell : model.days)
        phaseDays += cell.tag.isEmpty() ? 0 : 1;
    for (auto _ : bench) {
        FindExactReturns(state, BirthData{}, CalendarYear, benchEphemeris(), model);
        benchmark::DoNotOptimize(model);
    }
    bench.counters["phase_days"] = static_cast<double>(phaseDays);
}

// The floor: the Sun and the Moon at the year scan's moments, two library calls each.
void BM_EphemerisFloor(benchmark::State &bench)
{
    const std::vector<double> &julianDays = scanMoments().julianDays;
    std::array<double, 6> position{};
    std::array<char, 256> errorText{};
    for (auto _ : bench) {
        for (double julianDay : julianDays) {
            benchmark::DoNotOptimize(swe_calc(julianDay, SE_SUN, SEFLG_SWIEPH | SEFLG_SPEED, position.data(), errorText.data()));
            benchmark::DoNotOptimize(swe_calc(julianDay, SE_MOON, SEFLG_SWIEPH | SEFLG_SPEED, position.data(), errorText.data()));
        }
        benchmark::ClobberMemory();
    }
    countMoments(bench, julianDays.size());
}

} // namespace

BENCHMARK(BM_YearScan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearScanResidence)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DayDetail)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactReturns)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EphemerisFloor)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
