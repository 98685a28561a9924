// What saving a calendar costs once the year scan is done: the day entries, the iCalendar
// or CSV text and the atomic write of the file, for a calendar the real scan marked.

#include "core/calendar/calendar_run.h"
#include "core/chart/ephemeris.h"
#include "core/chart/natal_chart.h"
#include "io/export/calendar_document.h"
#include "io/export/csv_export.h"
#include "io/export/export_file.h"
#include "io/export/ics_export.h"
#include "io/form/read_birth_form.h"

#include <benchmark/benchmark.h>

#include <QStringList>
#include <QTemporaryDir>

using namespace ferolune;

namespace {

constexpr int CalendarYear = 2026;

// The default birth's calendar of the year, as a run makes it.
const CalendarDocument &scannedYear()
{
    static const CalendarDocument document = [] {
        Ephemeris ephemeris(QStringList{QStringLiteral(FEROLUNE_EPHEMS_DIR)});
        const QString year = QString::number(CalendarYear);
        const CalendarOrder order = CalendarOrderOf(*ReadRunForm(BirthForm{}, year), year, {});
        return DocumentOf(order, *RunCalendar(order.request, ephemeris));
    }();
    return document;
}

template <typename Writer>
void exportYear(benchmark::State &bench, ExportFormat format, Writer writer)
{
    const CalendarDocument &scanned = scannedYear();
    QTemporaryDir dir;
    const QString path = dir.filePath(ProposedFileName(CalendarYear, format));
    qsizetype bytes = 0;
    for (auto _ : bench) {
        const QByteArray text = writer(ExportOf(scanned));
        bytes = text.size();
        if (!WriteFileAtomically(path, text).has_value())
            bench.SkipWithError("the export file could not be written");
    }
    bench.counters["bytes"] = static_cast<double>(bytes);
}

void BM_IcsExport(benchmark::State &bench)
{
    exportYear(bench, ExportFormat::Ics, [](const CalendarExport &calendar) { return CalendarIcs(calendar); });
}

void BM_CsvExport(benchmark::State &bench)
{
    exportYear(bench, ExportFormat::Csv, CalendarCsv);
}

} // namespace

BENCHMARK(BM_IcsExport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvExport)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
