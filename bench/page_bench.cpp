// What the printed page costs: the calendar window of a scanned year recorded as a page
// and written as a one-page PDF, as the print button, MENTÉS… and the command line make it.

#include "calendar/calendar_engine.h"
#include "calendar/window/calendar_controller.h"
#include "calendar/window/calendar_window.h"
#include "chart/ephemeris.h"
#include "chart/natal_chart.h"
#include "widgets/dialogs.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QStringList>

using namespace ferolune;

namespace {

const QString CalendarYear = QStringLiteral("2026");

void BM_PdfExport(benchmark::State &bench)
{
    Ephemeris ephemeris(QStringList{QStringLiteral(FEROLUNE_EPHEMS_DIR)});
    ChartState state;
    state.EvalMode = EvaluationMode::Natal;
    const BirthData fields;
    ComputeNatalChart(state, fields, ephemeris);
    CalendarModel model;
    RealCalendarEngine().scanYear(state, fields, CalendarYear, ephemeris, model, [](const RunProgress &) { return true; });

    WidgetDialogs dialogs;
    CalendarWindow window(dialogs);
    FillCalendarWindow(window, fields, CalendarYear, state, model);
    qint64 bytes = 0;
    for (auto _ : bench) {
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        if (!window.writePdf(pdf))
            bench.SkipWithError("the page could not be written");
        bytes = pdf.size();
    }
    bench.counters["bytes"] = static_cast<double>(bytes);
}

BENCHMARK(BM_PdfExport)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // The page is drawn by a window that is never shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
