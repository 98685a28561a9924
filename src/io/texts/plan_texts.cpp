#include "io/texts/plan_texts.h"

#include "io/texts/calendar_texts.h"

#include <QStringList>

namespace ferolune {

QString PlanDateText(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy.MM.dd"));
}

QString PlanFertileDaysText(const PlanRow &row)
{
    const QDate last = row.phaseDay.addDays(-1);
    const QString lastFormat =
        last.year() == row.fertileFrom.year() ? QStringLiteral("MM.dd") : QStringLiteral("yyyy.MM.dd");
    return PlanDateText(row.fertileFrom) + QStringLiteral(" – ") + last.toString(lastFormat);
}

QString PlanSexText(DayClass sex)
{
    return sex == DayClass::PhaseBoy ? QStringLiteral("fiú") : QStringLiteral("lány");
}

QString PlanExactText(const PlanRow &row)
{
    if (!row.exact)
        return {};
    const QDateTime &moment = row.exact->moment;
    return moment.toString(QStringLiteral("yyyy.MM.dd HH:mm")) + QStringLiteral(" (") + ClockLabel(moment) + u')';
}

QString PlanOverlapText(const PlanRow &row)
{
    if (!row.cycleOverlap)
        return {};
    return QStringLiteral("%1 nap a %2-ből").arg(*row.cycleOverlap).arg(FertileDaysBeforePhaseDay + 1);
}

QString PlanSpanText(const QDate &from, int months)
{
    return PlanDateText(from) + QStringLiteral(" – ") + PlanDateText(PlanEnd(from, months).addDays(-1)) +
           QStringLiteral(" (%1 hónap)").arg(months);
}

QString PlanFilterText(const PlanFilter &filter)
{
    QStringList parts;
    if (filter.sex)
        parts << QStringLiteral("csak ") + PlanSexText(*filter.sex);
    if (filter.meetingCycleOnly)
        parts << QStringLiteral("csak a ciklus termékeny időszakával találkozó napok");
    return parts.join(QStringLiteral(", "));
}

} // namespace ferolune
