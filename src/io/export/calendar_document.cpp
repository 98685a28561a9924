#include "io/export/calendar_document.h"

#include "core/chart/natal_chart.h"
#include "core/common/number_rules.h"
#include "io/export/csv_export.h"
#include "io/texts/calendar_texts.h"

namespace ferolune {

CalendarOrder CalendarOrderOf(const CheckedRun &run, const QString &yearText, const QByteArray &residenceZoneId,
                              const CycleHistory &cycle, const QString &eventKey)
{
    CalendarOrder order;
    order.request = {run.birth, run.calendarYear, residenceZoneId, cycle};
    order.heading = {yearText, run.birth.name, run.birth.residence.text, {}, {}};
    if (residenceZoneId.isEmpty())
        order.heading.clockNote = BirthZoneNote(run.birth.zone);
    order.personIdentity = PersonIdentity(run.birth, eventKey);
    return order;
}

QString PersonIdentity(const BirthInput &birth, const QString &eventKey)
{
    // The prefixes keep a name from ever reading as another person's key.
    if (!eventKey.isEmpty())
        return QStringLiteral("key:") + eventKey;
    return QStringLiteral("name:") + birth.name.trimmed();
}

CalendarDocument DocumentOf(const CalendarOrder &order, const CalendarResult &result)
{
    return {order.heading, order.personIdentity, result.natal, result.calendar};
}

CalendarExport ExportOf(const CalendarDocument &document)
{
    return {.name = document.heading.name,
            .year = document.calendar.year,
            .natalAngle = document.natal.angle,
            .natalAngleText = numberText(document.natal.angleRounded), // the number of the angle caption
            .personIdentity = document.personIdentity,
            .days = ExportDaysOf(document.calendar)};
}

Expected<QByteArray, QString> CalendarFileBytes(const CalendarDocument &document, ExportFormat format,
                                                const IcsOptions &ics, const QDateTime &stamp)
{
    switch (format) {
    case ExportFormat::Pdf: {
        QByteArray bytes = CalendarPdf(PageOfRun(document.heading, document.natal, document.calendar));
        if (bytes.isEmpty())
            return Unexpected(QStringLiteral("a PDF oldal nem készíthető el"));
        return bytes;
    }
    case ExportFormat::Ics:
        return CalendarIcs(ExportOf(document), stamp, ics);
    case ExportFormat::Csv:
        break;
    }
    return CalendarCsv(ExportOf(document));
}

} // namespace ferolune
