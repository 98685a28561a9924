// What saving a calendar costs once the year scan is done: the day entries, the iCalendar
// or CSV text and the atomic write of the file, for a calendar the real scan marked.

#include "core/calendar/calendar_run.h"
#include "core/chart/ephemeris.h"
#include "core/chart/natal_chart.h"
#include "core/calendar/run_fields.h"
#include "io/export/csv_export.h"
#include "io/export/export_file.h"
#include "io/export/ics_export.h"

#include <benchmark/benchmark.h>

#include <QStringList>
#include <QTemporaryDir>

using namespace ferolune;

namespace {

constexpr int CalendarYear = 2026;

struct ScannedYear {
    CalendarModel model;
    double natalAngle = 0;
};

const ScannedYear &scannedYear()
{
    static const ScannedYear scanned = [] {
        Ephemeris ephemeris(QStringList{QStringLiteral(FEROLUNE_EPHEMS_DIR)});
        const RunValues values = std::get<RunValues>(ReadRunValues(BirthData{}, QString::number(CalendarYear)));
        const NatalChart natal = ComputeNatalChart(values.birth, ephemeris);
        ScannedYear result;
        result.natalAngle = natal.angle;
        result.model = *ScanYear({CalendarYear, values.birth.zoneHours, {}, natal.angle, natal.angleRounded, {}}, ephemeris);
        return result;
    }();
    return scanned;
}

CalendarExport exportOf(const ScannedYear &scanned)
{
    const BirthData fields;
    return {fields.txtName, CalendarYear, scanned.natalAngle, QString::number(scanned.natalAngle, 'f', 1),
            PersonIdentity(fields), ExportDaysOf(scanned.model, CalendarYear)};
}

template <typename Writer>
void exportYear(benchmark::State &bench, ExportFormat format, Writer writer)
{
    const ScannedYear &scanned = scannedYear();
    QTemporaryDir dir;
    const QString path = dir.filePath(ProposedFileName(CalendarYear, format));
    qsizetype bytes = 0;
    for (auto _ : bench) {
        const QByteArray text = writer(exportOf(scanned));
        bytes = text.size();
        if (!WriteFileAtomically(path, text).ok())
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
