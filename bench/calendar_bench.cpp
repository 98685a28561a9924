// The calendar's cost against the bare cost of the library: a year scan, the exact returns
// of its moon-phase days and a day detail as the program runs them, the same scan on the
// worker thread, the scan of every sampled moment it is checked against, ten years'
// calendars, and the two position calls for the Sun and the Moon alone at the moments the
// scan of every moment evaluates.

#include "core/calendar/calendar_moment.h"
#include "core/calendar/calendar_run.h"
#include "core/calendar/calendar_year.h"
#include "core/calendar/return_search.h"
#include "core/calendar/year_moments.h"
#include "core/chart/ephemeris.h"
#include "core/chart/natal_chart.h"
#include "gui/calendar_window/calendar_worker.h"
#include "io/form/read_birth_form.h"

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

// The default birth's calendar request, as a run from the window makes it, with
// `uncertainty` minutes either way, and its natal angles.
struct BenchRun {
    CalendarRequest request;
    NatalAngles angles;
};

BenchRun benchRun(const QByteArray &residence = {}, int uncertainty = 0)
{
    BirthForm form;
    form.uncertainty = QString::number(uncertainty);
    const CheckedRun checked = *ReadRunForm(form, QString::number(CalendarYear));
    const CalendarRequest request{checked.birth, checked.calendarYear, residence, {}};
    const auto chartOf = [](const BirthInput &birth) { return ComputeNatalChart(birth, benchEphemeris()); };
    return {request, NatalAnglesOf(chartOf(request.birth), request.birth, chartOf)};
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
        const BenchRun run = benchRun();
        std::set<int> examined;
        const LibraryFilesGuard closeFiles(benchEphemeris());
        YearMoments yearMoments(run.request, benchEphemeris());
        result.model = *ScanYearWith(yearMoments, run.request, run.angles, ScanMethod::EveryMoment,
                                     [&](const RunProgress &progress) {
                                         examined.insert(progress.done);
                                         return true;
                                     });
        for (const int day : examined) {
            const MonthDay date = DateOfDayIndex(day, result.model.dayCount);
            for (int hour = 0; hour <= 22; hour += 2)
                for (int minute = 0; minute <= 50; minute += 10)
                    result.julianDays.push_back(
                        MomentJulianDay(CalendarYear, date.month, date.day, hour, minute, run.request.birth.zone));
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
    const BenchRun run = benchRun();
    int progressSeen = 0;
    const ProgressCheck progress = progressRecorder(progressSeen);
    for (auto _ : bench)
        benchmark::DoNotOptimize(ScanYear(run.request, run.angles, benchEphemeris(), progress));
    benchmark::DoNotOptimize(progressSeen);
    countMoments(bench, scanMoments().julianDays.size());
}

// The scan of every sampled moment, the reference the guided scan is checked against: the
// cost of the year before the scan was guided.
void BM_YearScanEveryMoment(benchmark::State &bench)
{
    const BenchRun run = benchRun();
    int progressSeen = 0;
    const ProgressCheck progress = progressRecorder(progressSeen);
    for (auto _ : bench) {
        const LibraryFilesGuard closeFiles(benchEphemeris());
        YearMoments moments(run.request, benchEphemeris());
        benchmark::DoNotOptimize(ScanYearWith(moments, run.request, run.angles, ScanMethod::EveryMoment, progress));
    }
    benchmark::DoNotOptimize(progressSeen);
    countMoments(bench, scanMoments().julianDays.size());
}

// Ten calendars of one birth, 2026 to 2035, each as a click makes it: the scan, the exact
// returns and the cycle layer.
void BM_TenYearCalendars(benchmark::State &bench)
{
    BenchRun run = benchRun();
    for (auto _ : bench) {
        for (int year = CalendarYear; year < CalendarYear + 10; ++year) {
            run.request.year = year;
            benchmark::DoNotOptimize(ComputeYearCalendar(run.request, run.angles, benchEphemeris()));
        }
    }
}

// The same scan on the clock of a place of residence with summer time.
void BM_YearScanResidence(benchmark::State &bench)
{
    const BenchRun run = benchRun(QByteArrayLiteral("Europe/Budapest"));
    int progressSeen = 0;
    const ProgressCheck progress = progressRecorder(progressSeen);
    for (auto _ : bench)
        benchmark::DoNotOptimize(ScanYear(run.request, run.angles, benchEphemeris(), progress));
    benchmark::DoNotOptimize(progressSeen);
    countMoments(bench, scanMoments().julianDays.size());
}

// The scan as the window runs it: on the worker's thread, reporting through a promise
// that the caller waits on.
void BM_YearScanOnWorker(benchmark::State &bench)
{
    CalendarWorker worker(EphemerisDirectories);
    const BenchRun run = benchRun();
    for (auto _ : bench) {
        QFuture<bool> done = worker.run<bool>([run](QPromise<bool> &promise, Ephemeris &ephemeris) {
            // As the controller reports: a look at the cancel flag every moment, the count
            // every 50 ms.
            QElapsedTimer sinceShown;
            promise.addResult(ScanYear(run.request, run.angles, ephemeris, [&](const RunProgress &progress) {
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
    int firstPhaseDay = 0;
    while (firstPhaseDay < scanned.dayCount && !scanned.days[static_cast<size_t>(firstPhaseDay)].isPhaseDay())
        ++firstPhaseDay;
    if (firstPhaseDay == scanned.dayCount) {
        bench.SkipWithError("the year scan found no moon-phase day");
        return;
    }
    const QDate date = scanned.date(firstPhaseDay);
    const BenchRun run = benchRun();
    int progressSeen = 0;
    const ProgressCheck progress = progressRecorder(progressSeen);
    for (auto _ : bench)
        benchmark::DoNotOptimize(
            ComputeDayDetail(run.request, run.angles, date.month(), date.day(), benchEphemeris(), progress));
    benchmark::DoNotOptimize(progressSeen);
    countMoments(bench, 3 * 24 * 60);
}

// The exact returns of the scanned year's moon-phase days, on top of the scan.
void BM_ExactReturns(benchmark::State &bench)
{
    const BenchRun run = benchRun();
    CalendarModel model = scanMoments().model;
    size_t phaseDays = 0;
    for (const DayCell &cell : model.days)
        phaseDays += cell.isPhaseDay() ? 1 : 0;
    for (auto _ : bench) {
        FindExactReturns(run.request, run.angles, benchEphemeris(), model);
        benchmark::DoNotOptimize(model);
    }
    bench.counters["phase_days"] = static_cast<double>(phaseDays);
}

// A whole calendar run with an uncertain birth moment against the same run without one:
// one scan for each natal degree the range passes through, sharing the moments' angles,
// and the ranges of the exact returns. "ratio" is the uncertain run's time over the plain
// one's.
void BM_UncertainCalendar(benchmark::State &bench)
{
    const BenchRun plain = benchRun();
    const BenchRun uncertain = benchRun({}, static_cast<int>(bench.range(0)));
    qint64 plainNs = 0, uncertainNs = 0;
    QElapsedTimer timer;
    for (auto _ : bench) {
        timer.start();
        benchmark::DoNotOptimize(ComputeYearCalendar(plain.request, plain.angles, benchEphemeris()));
        plainNs += timer.nsecsElapsed();
        timer.start();
        benchmark::DoNotOptimize(ComputeYearCalendar(uncertain.request, uncertain.angles, benchEphemeris()));
        uncertainNs += timer.nsecsElapsed();
    }
    bench.counters["natal_degrees"] = static_cast<double>(1 + OtherNatalDegrees(uncertain.angles).size());
    bench.counters["ratio"] = static_cast<double>(uncertainNs) / static_cast<double>(plainNs);
}

// The ranges of the exact returns of a year, on top of the scan and the exact returns.
void BM_ExactRanges(benchmark::State &bench)
{
    const BenchRun run = benchRun({}, 60);
    CalendarModel model = scanMoments().model;
    FindExactReturns(run.request, run.angles, benchEphemeris(), model);
    for (auto _ : bench) {
        FindExactRanges(run.request, run.angles, benchEphemeris(), model);
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
BENCHMARK(BM_YearScanEveryMoment)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TenYearCalendars)->Unit(benchmark::kMillisecond);
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
