#include "core/calendar/calendar_model.h"

namespace ferolune {

CalendarModel CalendarModel::emptyYear(int year)
{
    CalendarModel model;
    model.year = year;
    model.dayCount = DaysInYear(year);
    model.resetDays();
    return model;
}

void CalendarModel::resetDays()
{
    days.fill(DayCell{DayClass::NotFertile, false});
    exactReturns.fill(std::nullopt);
}

void CalendarModel::resetHours()
{
    hours.fill(HourClass::Plain);
}

QDate CalendarModel::date(int dayIndex) const
{
    return QDate(year, 1, 1).addDays(dayIndex);
}

int CalendarModel::dayIndexOf(const QDate &day) const
{
    const qint64 index = QDate(year, 1, 1).daysTo(day);
    return day.isValid() && index >= 0 && index < dayCount ? static_cast<int>(index) : -1;
}

void CalendarModel::markMoonPhaseDay(int dayCell, DayClass phaseClass)
{
    days[static_cast<size_t>(dayCell)] = {phaseClass, false};
}

void CalendarModel::markFertileDay(int dayCell)
{
    days[static_cast<size_t>(dayCell)].dayClass = DayClass::Fertile;
}

void CalendarModel::showDetail(const DayDetail &detail)
{
    hours = detail.hours;
    detailCaptions = detail.captions;
    detailDayIndex = detail.dayIndex;
}

} // namespace ferolune
