// The calendar's cost against the bare cost of the library: a year scan, the exact returns
// of its moon-phase days and a day detail as the program runs them, the same scan on the
// worker thread, and the two position calls for the Sun and the Moon alone at the same
// moments as the year scan.

#include "core/calendar/calendar_moment.h"
#include "core/calendar/calendar_run.h"
#include "core/calendar/calendar_year.h"
#include "core/calendar/exact_return.h"
#include "gui/calendar_window/calendar_worker.h"
#include "core/chart/ephemeris.h"
#include "core/chart/natal_chart.h"
#include "core/calendar/run_fields.h"

#include <benchmark/benchmark.h>
#include <swephexp.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <array>
#include <set>
#include <vector>

using namespace ferolune;

namespace {

constexpr int CalendarYear = 2026;

const QStringList EphemerisDirectories{QStringLiteral(FEROLUNE_EPHEMS_DIR)};

Ephemeris &benchEphemeris()
{
    static Ephemeris ephemeris(EphemerisDirectories);
    return ephemeris;
}

// The default birth's calendar request, as a run from the window makes it.
CalendarRequest benchRequest(const QByteArray &residence = {})
{
    const RunValues values = std::get<RunValues>(ReadRunValues(BirthData{}, QString::number(CalendarYear)));
    const NatalChart natal = ComputeNatalChart(values.birth, benchEphemeris());
    return {values.calendarYear, values.birth.zoneHours, residence, natal.angle, natal.angleRounded, {}};
}

// The Julian days of the year scan's moments, in the order it computes them, and its calendar.
struct ScanMoments {
    std::vector<double> julianDays;
    CalendarModel model;
};

const ScanMoments &scanMoments()
{
    static const ScanMoments moments = [] {
        ScanMoments result;
        const CalendarRequest request = benchRequest();
        std::set<int> examined;
        result.model = *ScanYear(request, benchEphemeris(), [&](const RunProgress &progress) {
            examined.insert(progress.done);
            return true;
        });
        for (const int day : examined) {
            const MonthDay date = DateOfDayIndex(day, result.model.dayCount);
            for (int hour = 0; hour <= 22; hour += 2)
                for (int minute = 0; minute <= 50; minute += 10)
                    result.julianDays.push_back(
                        MomentJulianDay(CalendarYear, date.month, date.day, hour, minute, request.zoneHours));
        }
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

// The check a run is given, reduced to what it costs: it looks at the progress.
ProgressCheck progressRecorder(int &progressSeen)
{
    return [&progressSeen](const RunProgress &progress) {
        progressSeen = progress.done;
        return true;
    };
}

void BM_YearScan(benchmark::State &bench)
{
    const CalendarRequest request = benchRequest();
    int progressSeen = 0;
    const ProgressCheck progress = progressRecorder(progressSeen);
    for (auto _ : bench)
        benchmark::DoNotOptimize(ScanYear(request, benchEphemeris(), progress));
    benchmark::DoNotOptimize(progressSeen);
    countMoments(bench, scanMoments().julianDays.size());
}

// The same scan on the clock of a place of residence with summer time.
void BM_YearScanResidence(benchmark::State &bench)
{
    const CalendarRequest request = benchRequest(QByteArrayLiteral("Europe/Budapest"));
    int progressSeen = 0;
    const ProgressCheck progress = progressRecorder(progressSeen);
    for (auto _ : bench)
        benchmark::DoNotOptimize(ScanYear(request, benchEphemeris(), progress));
    benchmark::DoNotOptimize(progressSeen);
    countMoments(bench, scanMoments().julianDays.size());
}

// The scan as the window runs it: on the worker's thread, reporting through a promise
// that the caller waits on.
void BM_YearScanOnWorker(benchmark::State &bench)
{
    CalendarWorker worker(EphemerisDirectories);
    const CalendarRequest request = benchRequest();
    for (auto _ : bench) {
        QFuture<bool> done = worker.run<bool>([request](QPromise<bool> &promise, Ephemeris &ephemeris) {
            // As the controller reports: a look at the cancel flag every moment, the count
            // every 50 ms.
            QElapsedTimer sinceShown;
            promise.addResult(ScanYear(request, ephemeris, [&](const RunProgress &progress) {
                                  if (promise.isCanceled())
                                      return false;
                                  if (!sinceShown.isValid() || sinceShown.hasExpired(50)) {
                                      sinceShown.start();
                                      promise.setProgressValue(progress.done);
                                  }
                                  return true;
                              }).has_value());
        });
        benchmark::DoNotOptimize(done.result());
    }
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
    const MonthDay date = DateOfTag(firstPhaseDay->tag);
    const CalendarRequest request = benchRequest();
    int progressSeen = 0;
    const ProgressCheck progress = progressRecorder(progressSeen);
    for (auto _ : bench)
        benchmark::DoNotOptimize(ComputeDayDetail(request, date.month, date.day, benchEphemeris(), progress));
    benchmark::DoNotOptimize(progressSeen);
    countMoments(bench, 3 * 24 * 60);
}

// The exact returns of the scanned year's moon-phase days, on top of the scan.
void BM_ExactReturns(benchmark::State &bench)
{
    const CalendarRequest request = benchRequest();
    CalendarModel model = scanMoments().model;
    size_t phaseDays = 0;
    for (const DayCell &cell : model.days)
        phaseDays += cell.tag.isEmpty() ? 0 : 1;
    for (auto _ : bench) {
        FindExactReturns(request, benchEphemeris(), model);
        benchmark::DoNotOptimize(model);
    }
    bench.counters["phase_days"] = static_cast<double>(phaseDays);
}

// The default birth's request with the birth moment uncertain by `minutes` either way.
CalendarRequest uncertainRequest(int minutes)
{
    const RunValues values = std::get<RunValues>(ReadRunValues(BirthData{}, QString::number(CalendarYear)));
    CalendarRequest request = benchRequest();
    request.uncertaintyMinutes = minutes;
    const auto chartOf = [](const BirthRecord &birth) { return ComputeNatalChart(birth, benchEphemeris()); };
    SetNatalAngles(request, chartOf(values.birth), values.birth, chartOf);
    return request;
}

// A whole calendar run with an uncertain birth moment against the same run without one:
// one scan for each natal degree the range passes through, sharing the moments' angles,
// and the ranges of the exact returns. "ratio" is the uncertain run's time over the plain
// one's.
void BM_UncertainCalendar(benchmark::State &bench)
{
    const CalendarRequest plain = benchRequest();
    const CalendarRequest uncertain = uncertainRequest(static_cast<int>(bench.range(0)));
    qint64 plainNs = 0, uncertainNs = 0;
    QElapsedTimer timer;
    for (auto _ : bench) {
        timer.start();
        benchmark::DoNotOptimize(ComputeYearCalendar(plain, benchEphemeris()));
        plainNs += timer.nsecsElapsed();
        timer.start();
        benchmark::DoNotOptimize(ComputeYearCalendar(uncertain, benchEphemeris()));
        uncertainNs += timer.nsecsElapsed();
    }
    bench.counters["natal_degrees"] = static_cast<double>(1 + OtherNatalDegrees(uncertain).size());
    bench.counters["ratio"] = static_cast<double>(uncertainNs) / static_cast<double>(plainNs);
}

// The ranges of the exact returns of a year, on top of the scan and the exact returns.
void BM_ExactRanges(benchmark::State &bench)
{
    const CalendarRequest request = uncertainRequest(60);
    CalendarModel model = scanMoments().model;
    FindExactReturns(request, benchEphemeris(), model);
    for (auto _ : bench) {
        FindExactRanges(request, benchEphemeris(), model);
        benchmark::DoNotOptimize(model);
    }
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
BENCHMARK(BM_YearScanOnWorker)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DayDetail)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactReturns)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UncertainCalendar)->Arg(15)->Arg(60)->Arg(180)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactRanges)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EphemerisFloor)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    // The worker's thread runs an event loop, which needs an application object.
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
