#include "export/calendar_file.h"

#include "chart/chart_state.h"
#include "common/number_rules.h"
#include "export/csv_export.h"
#include "export/ics_export.h"

namespace ferolune {

CalendarExport CalendarExportOf(const BirthData &fields, const QString &calendarYearText, const ChartState &state,
                                const CalendarModel &model)
{
    // The year is read as the scan read it; a run that went through could read it.
    const int year = toInt16(convertToNumber(calendarYearText, QStringLiteral("Text3")), QStringLiteral("Text3"));
    return {.name = fields.txtName,
            .year = year,
            .natalAngle = state.NatalAngle,
            .natalAngleText = numberText(state.NatalAngleRounded), // the number of the window's angle caption
            .personIdentity = PersonIdentity(fields),
            .days = ExportDaysOf(model, year)};
}

QByteArray TextFileOf(const CalendarExport &calendar, ExportFormat format)
{
    switch (format) {
    case ExportFormat::Ics:
        return CalendarIcs(calendar);
    case ExportFormat::Csv:
        return CalendarCsv(calendar);
    case ExportFormat::Pdf:
        break;
    }
    return {};
}

} // namespace ferolune
