// What the printed page costs: the page of a scanned year written as a one-page PDF, as
// the print button, MENTÉS… and the command line make it.

#include "calendar/calendar_engine.h"
#include "chart/ephemeris.h"
#include "chart/natal_chart.h"
#include "page/calendar_page.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
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

    const CalendarPageContent page = PageOfRun(fields, CalendarYear, state.ChartText, AngleCaption(state), model);
    qint64 bytes = 0;
    for (auto _ : bench) {
        const QByteArray pdf = CalendarPdf(page);
        if (pdf.isEmpty())
            bench.SkipWithError("the page could not be written");
        bytes = pdf.size();
    }
    bench.counters["bytes"] = static_cast<double>(bytes);
}

BENCHMARK(BM_PdfExport)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // The page needs fonts, not a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
