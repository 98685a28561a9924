#include "io/export/calendar_export.h"

#include "core/chart/natal_chart.h"
#include "io/texts/calendar_texts.h"

#include <QStringList>

namespace ferolune {

QString PhaseDayTag(const QDate &date)
{
    const auto padded = [](int number) {
        const QString text = QString::number(number);
        return text.size() == 1 ? text + u'-' : text;
    };
    return padded(date.month()) + padded(date.day());
}

std::vector<ExportDay> ExportDaysOf(const CalendarModel &model)
{
    std::vector<ExportDay> days;
    days.reserve(static_cast<size_t>(model.dayCount));
    for (int cell = 0; cell < model.dayCount; ++cell) {
        const DayCell &source = model.days[static_cast<size_t>(cell)];
        ExportDay day;
        day.date = model.date(cell);
        day.dayClass = source.dayClass;
        day.tag = source.isPhaseDay() ? PhaseDayTag(day.date) : QString();
        day.uncertain = source.uncertain;
        day.cycle = model.cycle.day(cell);
        if (const std::optional<ExactReturn> &exact = model.exactReturns[static_cast<size_t>(cell)]) {
            day.exact = exact->moment;
            day.moonSign = SignName(exact->moonSign).trimmed();
            if (exact->earliest.isValid())
                day.exactEarliest = exact->earliest;
            if (exact->latest.isValid())
                day.exactLatest = exact->latest;
            day.exactRange = ExactRangeText(*exact);
        }
        days.push_back(day);
    }
    return days;
}

} // namespace ferolune
