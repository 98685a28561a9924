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
    // A person never saved has no key: her birth tells her from another of the same name
    // (two unsaved births are both "Ismeretlen" unless named).
    return QStringLiteral("name:%1|birth:%2-%3-%4 %5:%6 %7 %8 %9")
        .arg(birth.name.trimmed())
        .arg(birth.year)
        .arg(birth.month)
        .arg(birth.day)
        .arg(double(birth.hour), 0, 'g', 9)
        .arg(double(birth.minute), 0, 'g', 9)
        .arg(double(birth.zone.hours), 0, 'g', 9)
        .arg(birth.place.longitude, 0, 'g', 15)
        .arg(birth.place.latitude, 0, 'g', 15);
}

QString WithoutControlCharacters(const QString &text)
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar character : text)
        if (character.category() != QChar::Other_Control)
            kept += character;
    return kept;
}

void SetPdfCreationDate(QByteArray &pdf, const QDateTime &moment)
{
    // Qt writes "/CreationDate (D:YYYYMMDDHHmmSS" and then "Z)" or the offset of the local
    // clock ("+01'00')"); the digits are replaced by the moment on that same clock, so that
    // no byte moves and the cross-reference table stays right.
    static const QByteArray key = "/CreationDate (D:";
    const qsizetype at = pdf.indexOf(key);
    constexpr qsizetype Digits = 14;
    if (at < 0 || at + key.size() + Digits + 2 > pdf.size())
        return;
    const qsizetype digits = at + key.size();
    int offsetSeconds = 0;
    const char sign = pdf[digits + Digits];
    if (sign == '+' || sign == '-') {
        const QByteArray offset = pdf.mid(digits + Digits + 1, 5); // "01'00"
        offsetSeconds = (offset.left(2).toInt() * 60 + offset.mid(3, 2).toInt()) * 60 * (sign == '-' ? -1 : 1);
    }
    const QByteArray text = moment.toOffsetFromUtc(offsetSeconds).toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1();
    if (text.size() == Digits)
        pdf.replace(digits, Digits, text);
}

CalendarDocument DocumentOf(const CalendarOrder &order, const CalendarResult &result)
{
    return {order.heading, order.personIdentity, result.natal, result.calendar};
}

CalendarExport ExportOf(const CalendarDocument &document)
{
    return {.name = WithoutControlCharacters(document.heading.name),
            .year = document.calendar.year,
            .natalAngle = document.natal.angle,
            .natalAngleText = numberText(document.natal.angleRounded), // the number of the angle caption
            .personIdentity = document.personIdentity,
            .days = ExportDaysOf(document.calendar)};
}

Expected<QByteArray, QString> PdfFileBytes(QByteArray pdf)
{
    if (pdf.isEmpty())
        return Unexpected(QStringLiteral("a PDF oldal nem készíthető el"));
    if (const std::optional<QDateTime> epoch = SourceDateEpoch())
        SetPdfCreationDate(pdf, *epoch);
    return pdf;
}

Expected<QByteArray, QString> CalendarFileBytes(const CalendarDocument &document, ExportFormat format,
                                                const IcsOptions &ics, const QDateTime &stamp)
{
    switch (format) {
    case ExportFormat::Pdf:
        return PdfFileBytes(CalendarPdf(PageOfRun(document.heading, document.natal, document.calendar)));
    case ExportFormat::Ics:
        return CalendarIcs(ExportOf(document), stamp, ics);
    case ExportFormat::Csv:
        break;
    }
    return CalendarCsv(ExportOf(document));
}

} // namespace ferolune
