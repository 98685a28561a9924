#include "export/calendar_export.h"

#include "calendar/calendar_year.h"
#include "chart/natal_chart.h"
#include "common/number_rules.h"

#include <QStringList>

namespace ferolune {

std::vector<ExportDay> ExportDaysOf(const CalendarModel &model, int year)
{
    std::vector<ExportDay> days;
    days.reserve(model.days.size());
    for (int cell = 0; cell < model.dayCount; ++cell) {
        const MonthDay monthDay = DateOfDayIndex(cell, model.dayCount);
        const DayCell &source = model.days[static_cast<size_t>(cell)];
        ExportDay day{QDate(year, monthDay.month, monthDay.day), source.dayClass, source.tag, {}, {}};
        if (const std::optional<ExactReturn> &exact = model.exactReturns[static_cast<size_t>(cell)]) {
            day.exact = exact->moment;
            day.moonSign = SignName(exact->moonSign).trimmed();
        }
        days.push_back(day);
    }
    return days;
}

QString PersonIdentity(const BirthData &fields)
{
    // Numbers in the C locale's form, so the identity does not follow the decimal separator.
    const auto number = [](const QString &text) { return QString::number(readLeniently(text), 'g', 15); };
    const auto side = [](bool first, const char *yes, const char *no) { return QString::fromLatin1(first ? yes : no); };
    const QStringList parts = {
        fields.txtName.trimmed(),
        number(fields.txtYear), number(fields.txtMonth), number(fields.txtDay),
        number(fields.txtBirthHour) + side(fields.optAM, "DE", "DU"), number(fields.txtBirthMinute),
        number(fields.txtTZ),
        number(fields.txtLongDeg) + side(fields.optEast, "E", "W") + number(fields.txtLongMin),
        number(fields.txtLatDeg) + side(fields.optSouth, "S", "N") + number(fields.txtLatMin),
    };
    return parts.join(QLatin1Char('|'));
}

} // namespace ferolune
