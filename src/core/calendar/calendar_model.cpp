#include "core/calendar/calendar_model.h"

namespace ferolune {

Rgb colorOf(DayClass dayClass)
{
    switch (dayClass) {
    case DayClass::NotFertile:
        return {255, 255, 255};
    case DayClass::Fertile:
        return {255, 255, 0};
    case DayClass::PhaseGirl:
        return {255, 0, 0};
    case DayClass::PhaseBoy:
        return {0, 0, 255};
    case DayClass::Unset:
        break;
    }
    return {-1, -1, -1};
}

Rgb colorOf(HourClass hourClass)
{
    switch (hourClass) {
    case HourClass::Plain:
        return {255, 255, 255};
    case HourClass::Match:
        return {255, 0, 0};
    case HourClass::Unset:
        break;
    }
    return {-1, -1, -1};
}

void CalendarModel::resetDays()
{
    days.fill(DayCell{DayClass::NotFertile, {}, false, false});
    exactReturns.fill(std::nullopt);
}

void CalendarModel::resetHours()
{
    hours.fill(HourClass::Plain);
}

void CalendarModel::markMoonPhaseDay(int dayCell, DayClass phaseClass, const QString &tag)
{
    days[static_cast<size_t>(dayCell)] = {phaseClass, tag, true, false};
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
