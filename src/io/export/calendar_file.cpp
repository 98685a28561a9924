#include "io/export/calendar_file.h"

#include "core/chart/natal_chart.h"
#include "core/common/number_rules.h"
#include "io/export/csv_export.h"

namespace ferolune {

CalendarExport CalendarExportOf(const QString &name, const QString &personIdentity, int year, const NatalChart &natal,
                                const CalendarModel &model)
{
    return {.name = name,
            .year = year,
            .natalAngle = natal.angle,
            .natalAngleText = numberText(natal.angleRounded), // the number of the window's angle caption
            .personIdentity = personIdentity,
            .days = ExportDaysOf(model, year)};
}

QByteArray TextFileOf(const CalendarExport &calendar, ExportFormat format, const IcsOptions &ics)
{
    switch (format) {
    case ExportFormat::Ics:
        return CalendarIcs(calendar, QDateTime::currentDateTimeUtc(), ics);
    case ExportFormat::Csv:
        return CalendarCsv(calendar);
    case ExportFormat::Pdf:
        break;
    }
    return {};
}

} // namespace ferolune
