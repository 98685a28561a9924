// What the user waits for in the windows: a calendar run from the click to the finished
// calendar on screen, a day detail's strip, and the printed page of a scanned year
// written as a one-page PDF, as the print button, MENTÉS… and the command line make it.

#include "app/program.h"
#include "core/chart/ephemeris.h"
#include "core/chart/natal_chart.h"
#include "gui/calendar_window/calendar_controller.h"
#include "gui/calendar_window/calendar_window.h"
#include "gui/calendar_window/calendar_worker.h"
#include "gui/widgets/dialogs.h"
#include "io/form/read_birth_form.h"
#include "io/page/calendar_page.h"
#include "io/page/page_layout.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QStringList>

using namespace ferolune;

namespace {

const QStringList EphemerisDirectories{QStringLiteral(FEROLUNE_EPHEMS_DIR)};

CalendarOrder benchRun()
{
    return CalendarOrderOf(*ReadRunForm(BirthForm{}, QStringLiteral("2026")), QStringLiteral("2026"), {});
}

// Waits, with the event loop running, for the controller's run or detail that `start`
// begins.
template <class Start>
void untilFinished(CalendarController &controller, Start start)
{
    QEventLoop loop;
    QObject::connect(&controller, &CalendarController::finished, &loop, &QEventLoop::quit);
    start();
    loop.exec();
}

// From the click on NAPTÁR KÉSZITÉSE to the finished calendar on screen: the natal chart,
// the window under its wait panel, the year scan with its exact returns, the painted cells.
void BM_CalendarRun(benchmark::State &bench)
{
    CalendarWorker worker(EphemerisDirectories);
    WidgetDialogs dialogs;
    CalendarController controller(worker, dialogs);
    const CalendarOrder run = benchRun();
    for (auto _ : bench) {
        untilFinished(controller, [&] { controller.runCalendar(run); });
        QCoreApplication::processEvents(); // the finished calendar painted
    }
}

// From the click on a moon-phase day to its finished strip.
void BM_DayDetailRun(benchmark::State &bench)
{
    CalendarWorker worker(EphemerisDirectories);
    WidgetDialogs dialogs;
    CalendarController controller(worker, dialogs);
    untilFinished(controller, [&] { controller.runCalendar(benchRun()); });
    for (auto _ : bench) {
        untilFinished(controller, [&] { controller.showDayDetail(1, 11); });
        QCoreApplication::processEvents();
    }
}

// The page of the bench run's scanned year, as the command line draws it.
CalendarPageContent scannedPage()
{
    Ephemeris ephemeris(EphemerisDirectories);
    const CalendarOrder run = benchRun();
    const CalendarResult result = *RunCalendar(run.request, ephemeris);
    return PageOfRun(run.heading, result.natal, result.calendar);
}

void BM_PdfExport(benchmark::State &bench)
{
    const CalendarPageContent page = scannedPage();
    qint64 bytes = 0;
    for (auto _ : bench) {
        const QByteArray pdf = CalendarPdf(page);
        if (pdf.isEmpty())
            bench.SkipWithError("the page could not be written");
        bytes = pdf.size();
    }
    bench.counters["bytes"] = static_cast<double>(bytes);
}

// The cycle layer's share of a calendar run: the page of a scanned year painted at its own
// size, without a cycle (0) and with two years of recorded starts laid over it and the
// layer computed afresh each time (1); the difference is what the cycle adds.
void BM_CyclePage(benchmark::State &bench)
{
    CalendarPageContent page = scannedPage();
    const int year = benchRun().request.year;
    CycleHistory history;
    for (QDate start(2024, 1, 3); start < QDate(2026, 1, 1); start = start.addDays(28 + start.day() % 5))
        history.periodStarts.push_back(start);
    QImage image(CalendarClientSize, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : bench) {
        if (bench.range(0) == 1)
            page.model.cycle = CycleLayerOf(history, year);
        QPainter painter(&image);
        PaintCalendarPage(painter, page);
    }
}

BENCHMARK(BM_CalendarRun)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DayDetailRun)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PdfExport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CyclePage)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    // The run benchmarks show the calendar window, on a screen that is never seen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
