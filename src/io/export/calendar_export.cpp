#include "io/export/calendar_export.h"

#include "core/calendar/calendar_year.h"
#include "core/calendar/exact_return.h"
#include "core/chart/natal_chart.h"
#include "core/common/number_rules.h"

#include <QStringList>

namespace ferolune {

std::vector<ExportDay> ExportDaysOf(const CalendarModel &model, int year)
{
    std::vector<ExportDay> days;
    days.reserve(model.days.size());
    for (int cell = 0; cell < model.dayCount; ++cell) {
        const MonthDay monthDay = DateOfDayIndex(cell, model.dayCount);
        const DayCell &source = model.days[static_cast<size_t>(cell)];
        ExportDay day;
        day.date = QDate(year, monthDay.month, monthDay.day);
        day.dayClass = source.dayClass;
        day.tag = source.tag;
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
