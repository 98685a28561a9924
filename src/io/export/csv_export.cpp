#include "io/export/csv_export.h"

#include <QStringList>

#include <algorithm>
#include <cstdlib>

namespace ferolune {

namespace {

QString csvField(const QString &text)
{
    static const QString special = QStringLiteral(",\"\r\n");
    const bool needsQuotes = std::any_of(text.begin(), text.end(), [](QChar c) { return special.contains(c); });
    if (!needsQuotes)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QString CsvRow(const QStringList &fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString &field : fields)
        quoted << csvField(field);
    return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

// Every time says its clock: "2027-04-09T20:29+01:00".
QString IsoTimeText(const std::optional<QDateTime> &moment)
{
    if (!moment)
        return {};
    const int offset = moment->offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return moment->toString(QStringLiteral("yyyy-MM-dd'T'HH:mm")) + (offset < 0 ? u'-' : u'+') +
           QStringLiteral("%1:%2")
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString ClassName(DayClass dayClass)
{
    switch (dayClass) {
    case DayClass::NotFertile:
        return QStringLiteral("not-fertile");
    case DayClass::Fertile:
        return QStringLiteral("fertile");
    case DayClass::PhaseBoy:
        return QStringLiteral("phase-boy");
    case DayClass::PhaseGirl:
        return QStringLiteral("phase-girl");
    case DayClass::Unset:
        break;
    }
    return {};
}

QString CycleMarkName(CycleMark mark)
{
    switch (mark) {
    case CycleMark::Period:
        return QStringLiteral("period");
    case CycleMark::PeriodPredicted:
        return QStringLiteral("period-predicted");
    case CycleMark::Fertile:
        return QStringLiteral("fertile");
    case CycleMark::None:
        break;
    }
    return {};
}

QByteArray CalendarCsv(const CalendarExport &calendar)
{
    QString text = CsvRow({QStringLiteral("date"), QStringLiteral("class"), QStringLiteral("tag"),
                           QStringLiteral("exact"), QStringLiteral("moon_sign"), QStringLiteral("cycle_day"),
                           QStringLiteral("cycle"), QStringLiteral("uncertain"), QStringLiteral("exact_earliest"),
                           QStringLiteral("exact_latest")});
    for (const ExportDay &day : calendar.days) {
        const QString cycleDay = day.cycle.cycleDay > 0 ? QString::number(day.cycle.cycleDay) : QString();
        text += CsvRow({day.date.toString(Qt::ISODate), ClassName(day.dayClass), day.tag, IsoTimeText(day.exact),
                        day.moonSign, cycleDay, CycleMarkName(day.cycle.mark),
                        day.uncertain ? QStringLiteral("1") : QString(), IsoTimeText(day.exactEarliest),
                        IsoTimeText(day.exactLatest)});
    }
    return text.toUtf8();
}

} // namespace ferolune
