#include "core/calendar/plan.h"

#include "core/calendar/calendar_year.h"
#include "core/chart/ephemeris.h"

#include <algorithm>
#include <iterator>

namespace ferolune {

namespace {

// The calendar of the year of `date` among `calendars`, null when none holds it.
const CalendarModel *calendarOf(const std::vector<CalendarModel> &calendars, const QDate &date)
{
    const auto found = std::find_if(calendars.begin(), calendars.end(),
                                    [&](const CalendarModel &calendar) { return calendar.year == date.year(); });
    return found == calendars.end() ? nullptr : &*found;
}

// What the calendar of its year says of one of the four days of a row.
struct DayView {
    bool uncertain = false;
    bool inCycleWindow = false;
};

DayView viewOf(const std::vector<CalendarModel> &calendars, const QDate &date)
{
    const CalendarModel *calendar = calendarOf(calendars, date);
    if (!calendar)
        return {};
    const int index = calendar->dayIndexOf(date);
    return {calendar->days[static_cast<size_t>(index)].uncertain,
            calendar->cycle.day(index).mark == CycleMark::Fertile};
}

PlanRow rowOf(const std::vector<CalendarModel> &calendars, const CalendarModel &calendar, int index, int ordinal)
{
    PlanRow row;
    row.phaseDay = calendar.date(index);
    row.sex = calendar.days[static_cast<size_t>(index)].dayClass;
    row.fertileFrom = row.phaseDay.addDays(-FertileDaysBeforePhaseDay);
    row.exact = calendar.exactReturns[static_cast<size_t>(index)];
    row.ordinalInYear = ordinal;
    int overlap = 0;
    for (QDate day = row.fertileFrom; day <= row.phaseDay; day = day.addDays(1)) {
        const DayView view = viewOf(calendars, day);
        row.uncertain = row.uncertain || view.uncertain;
        overlap += view.inCycleWindow ? 1 : 0;
    }
    if (!calendar.cycle.isEmpty())
        row.cycleOverlap = overlap;
    return row;
}

} // namespace

QDate PlanEnd(const QDate &from, int months)
{
    return from.addMonths(months);
}

std::pair<int, int> PlanYears(const QDate &from, int months)
{
    return {from.addDays(-FertileDaysBeforePhaseDay).year(), PlanEnd(from, months).addDays(-1).year()};
}

std::vector<PlanRow> FilteredRows(const std::vector<PlanRow> &rows, const PlanFilter &filter)
{
    std::vector<PlanRow> kept;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(kept), [&](const PlanRow &row) {
        return (!filter.sex || row.sex == *filter.sex) && (!filter.meetingCycleOnly || row.meetsCycle());
    });
    return kept;
}

std::vector<PlanRow> PlanRowsOf(const QDate &from, int months, const std::vector<CalendarModel> &calendars)
{
    const QDate end = PlanEnd(from, months);
    std::vector<PlanRow> rows;
    for (const CalendarModel &calendar : calendars) {
        int ordinal = 0;
        for (int index = 0; index < calendar.dayCount; ++index) {
            if (!calendar.days[static_cast<size_t>(index)].isPhaseDay())
                continue;
            ++ordinal;
            const QDate date = calendar.date(index);
            if (date >= from && date < end)
                rows.push_back(rowOf(calendars, calendar, index, ordinal));
        }
    }
    return rows;
}

Expected<PlanResult, PlanFailure> RunPlan(const PlanRequest &request, Ephemeris &ephemeris, const RunObserver &observer)
{
    PlanResult result;
    result.from = request.from;
    result.months = request.months;
    const BirthInput &birth = request.calendar.birth;
    try {
        result.natal = ComputeNatalChart(birth, ephemeris);
        result.angles = NatalAnglesOf(result.natal, birth,
                                      [&](const BirthInput &moved) { return ComputeNatalChart(moved, ephemeris); });
    } catch (const EphemerisError &) {
        return Unexpected(PlanFailure{RunFailure::BirthBeyondEphemeris, request.from.year()});
    }
    if (observer.natalChartReady)
        observer.natalChartReady(result.natal);

    const auto [firstYear, lastYear] = PlanYears(request.from, request.months);
    int totalDays = 0;
    for (int year = firstYear; year <= lastYear; ++year)
        totalDays += DaysInYear(year);
    std::vector<CalendarModel> calendars;
    int daysBefore = 0; // the days of the years already made
    for (int year = firstYear; year <= lastYear; ++year) {
        CalendarRequest yearRequest = request.calendar;
        yearRequest.year = year;
        const ProgressCheck progress = [&](const RunProgress &step) {
            if (!observer.progress)
                return true;
            RunProgress overall = step;
            if (step.unit == RunProgress::Unit::Day) {
                overall.done = daysBefore + step.done;
                overall.total = totalDays;
            }
            return observer.progress(overall);
        };
        try {
            std::optional<CalendarModel> calendar =
                ComputeYearCalendar(yearRequest, result.angles, ephemeris, progress);
            if (!calendar)
                return Unexpected(PlanFailure{RunFailure::Stopped, year});
            calendars.push_back(std::move(*calendar));
        } catch (const EphemerisError &) {
            return Unexpected(PlanFailure{RunFailure::YearBeyondEphemeris, year});
        }
        daysBefore += DaysInYear(year);
        result.builtInEphemeris = result.builtInEphemeris || calendars.back().builtInEphemeris;
    }
    result.rows = PlanRowsOf(request.from, request.months, calendars);
    result.hasCycle = !request.calendar.cycle.isEmpty();
    if (result.hasCycle)
        result.cycleBasis = calendars.back().cycle.basis;
    result.uncertaintyMinutes = calendars.back().uncertaintyMinutes;
    return result;
}

} // namespace ferolune
