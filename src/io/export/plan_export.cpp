#include "io/export/plan_export.h"

#include "core/common/number_rules.h"
#include "io/export/calendar_document.h"
#include "io/export/csv_export.h"
#include "io/export/ical_calendar.h"
#include "io/export/ics_export.h"
#include "io/texts/calendar_texts.h"
#include "io/texts/plan_texts.h"

#include <QStringList>

namespace ferolune {

namespace {

// The events of the plan's file, each written as the calendar's file writes its own.
class PlanEvents {
public:
    PlanEvents(const PlanDocument &document, const QDateTime &stamp, const IcsOptions &options)
        : m_document(document), m_options(options),
          m_file(options.discreet ? QStringLiteral("Naptár")
                                  : QStringLiteral("Holdfázis napok %1 - %2")
                                        .arg(PlanSpanText(document.plan.from, document.plan.months),
                                             WithoutControlCharacters(document.heading.name)),
                 options.discreet, stamp, options.reminderHours)
    {
    }

    void addRow(const PlanRow &row)
    {
        const int year = row.phaseDay.year();
        const QDate lastFertile = row.phaseDay.addDays(-1);
        const QString fertileText = descriptionOf(row, false);
        if (row.fertileFrom.year() < year) {
            // Before a moon-phase day of 1 to 3 January: December's part is the year-end
            // event of the year before, January's the fertile days of the day's own year.
            const QDate lastOfYear(row.fertileFrom.year(), 12, 31);
            add(EventUid(m_document.personIdentity, row.fertileFrom.year(), EventKind::YearEndFertileDays, 1,
                         m_options.discreet),
                row.fertileFrom, lastOfYear, DiscreetFertileSummary, FertileDaysSummary(row.fertileFrom, lastOfYear),
                fertileText);
            if (lastFertile.year() == year)
                add(uid(year, EventKind::FertileDays, row), QDate(year, 1, 1), lastFertile, DiscreetFertileSummary,
                    FertileDaysSummary(QDate(year, 1, 1), lastFertile), fertileText);
        } else {
            add(uid(year, EventKind::FertileDays, row), row.fertileFrom, lastFertile, DiscreetFertileSummary,
                FertileDaysSummary(row.fertileFrom, lastFertile), fertileText);
        }
        add(uid(year, EventKind::MoonPhaseDay, row), row.phaseDay, row.phaseDay, DiscreetPhaseSummary,
            QStringLiteral("Holdfázis nap - ") + PlanSexText(row.sex), descriptionOf(row, true));
    }

    QByteArray bytes() const { return m_file.bytes(); }

private:
    QString uid(int year, EventKind kind, const PlanRow &row) const
    {
        return EventUid(m_document.personIdentity, year, kind, row.ordinalInYear, m_options.discreet);
    }

    QString descriptionOf(const PlanRow &row, bool phaseDay) const
    {
        QStringList lines = {QStringLiteral("Név: ") + WithoutControlCharacters(m_document.heading.name),
                             QStringLiteral("NAP-HOLD FOK: ") + numberText(m_document.plan.natal.angleRounded)};
        if (!phaseDay)
            lines << QStringLiteral("Holdfázis nap: ") + PlanDateText(row.phaseDay);
        else if (row.exact)
            lines << QStringLiteral("Pontos visszatérés: ") + PlanExactText(row) +
                         (ExactRangeText(*row.exact).isEmpty() ? QString()
                                                               : QStringLiteral(", ") + ExactRangeText(*row.exact));
        if (row.cycleOverlap)
            lines << QStringLiteral("A ciklus termékeny időszakában: ") + PlanOverlapText(row);
        if (row.uncertain)
            lines << QStringLiteral("Bizonytalan nap is van köztük.");
        return lines.join(QLatin1Char('\n'));
    }

    void add(const QString &uid, const QDate &first, const QDate &last, const QString &discreetSummary,
             const QString &summary, const QString &description)
    {
        if (m_options.discreet)
            m_file.add({uid, first, last, discreetSummary, {}});
        else
            m_file.add({uid, first, last, summary, description});
    }

    const PlanDocument &m_document;
    const IcsOptions &m_options;
    IcalCalendar m_file;
};

} // namespace

PlanSheet SheetOf(const PlanDocument &document)
{
    PlanSheet sheet{document.heading, AngleCaption(document.plan.natal), document.plan, document.filter};
    sheet.plan.rows = document.rows();
    return sheet;
}

QByteArray PlanCsv(const PlanDocument &document)
{
    QString text = CsvRow({QStringLiteral("phase_day"), QStringLiteral("sex"), QStringLiteral("fertile_from"),
                           QStringLiteral("exact"), QStringLiteral("cycle_overlap"), QStringLiteral("uncertain"),
                           QStringLiteral("exact_earliest"), QStringLiteral("exact_latest")});
    for (const PlanRow &row : document.rows()) {
        std::optional<QDateTime> exact, earliest, latest;
        if (row.exact) {
            exact = row.exact->moment;
            if (row.exact->earliest.isValid())
                earliest = row.exact->earliest;
            if (row.exact->latest.isValid())
                latest = row.exact->latest;
        }
        text += CsvRow({row.phaseDay.toString(Qt::ISODate),
                        row.sex == DayClass::PhaseBoy ? QStringLiteral("boy") : QStringLiteral("girl"),
                        row.fertileFrom.toString(Qt::ISODate), IsoTimeText(exact),
                        row.cycleOverlap ? QString::number(*row.cycleOverlap) : QString(),
                        row.uncertain ? QStringLiteral("1") : QString(), IsoTimeText(earliest), IsoTimeText(latest)});
    }
    return text.toUtf8();
}

QByteArray PlanIcs(const PlanDocument &document, const QDateTime &stamp, const IcsOptions &options)
{
    PlanEvents events(document, stamp, options);
    for (const PlanRow &row : document.rows())
        events.addRow(row);
    return events.bytes();
}

Expected<QByteArray, QString> PlanFileBytes(const PlanDocument &document, ExportFormat format, const IcsOptions &ics,
                                            const QDateTime &stamp)
{
    switch (format) {
    case ExportFormat::Pdf:
        return PdfFileBytes(PlanPdf(SheetOf(document)));
    case ExportFormat::Ics:
        return PlanIcs(document, stamp, ics);
    case ExportFormat::Csv:
        break;
    }
    return PlanCsv(document);
}

QString ProposedPlanFileName(const QDate &from, ExportFormat format)
{
    return QStringLiteral("naptar-%1.%2").arg(from.toString(Qt::ISODate), SuffixOf(format));
}

} // namespace ferolune
