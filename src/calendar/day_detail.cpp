#include "calendar/calendar_moment.h"
#include "calendar/calendar_run.h"
#include "calendar/calendar_year.h"
#include "calendar/local_clock.h"
#include "chart/ephemeris.h"
#include "chart/field_rules.h"
#include "common/number_rules.h"

#include <array>
#include <cmath>
#include <vector>

namespace ferolune {

namespace {

constexpr int DetailDayCount = 3;
constexpr int HoursPerDay = 24;
constexpr int MinutesPerHour = 60;

struct PreparedDay {
    DetailDay date;
    QString yearText;
    MomentFields fields;
};

// The three days with the year texts their moments read: the calendar year's own text
// for the clicked day, the neighbour years as number text.
std::array<PreparedDay, DetailDayCount> prepareDays(const BirthData &fields, const QString &calendarYearText,
                                                    int month, int day)
{
    const std::array<DetailDay, DetailDayCount> dates = DetailDays(readLeniently(calendarYearText), month, day);
    std::array<PreparedDay, DetailDayCount> days;
    BirthData momentFields = fields;
    for (size_t g = 0; g < days.size(); ++g) {
        days[g].date = dates[g];
        days[g].yearText = g == 1 ? calendarYearText : numberText(dates[g].year);
        momentFields.txtYear = days[g].yearText;
        days[g].fields = ConvertMomentFields(momentFields, controlName(Field::Text3));
    }
    return days;
}

// Every minute of each hour of the day on the run's clock, in the order of universal time.
using DayMinutes = std::array<std::vector<ClockSample>, HoursPerDay>;

DayMinutes minutesOf(const PreparedDay &day, const LocalClock &clock)
{
    const LocalDay localDay = clock.day(QDate(day.fields.year, day.date.month, day.date.day));
    DayMinutes minutes;
    for (int hour = 0; hour < HoursPerDay; ++hour)
        minutes[size_t(hour)] = localDay.samples(hour, 0, MinutesPerHour - 1, 1);
    return minutes;
}

QString captionOf(const PreparedDay &day)
{
    return day.yearText + u'.' + numberText(day.date.month) + u'.' + numberText(day.date.day);
}

} // namespace

RunOutcome Reszletes(ChartState &state, const BirthData &fields, const QString &calendarYearText, float CurHo,
                     float CurNap, Ephemeris &ephemeris, CalendarModel &model, const MomentCallback &beforeMoment,
                     const QByteArray &residenceZoneId)
{
    // Every text is converted before the strip is touched, so a text that is not a
    // number keeps the detail from starting.
    const std::array<PreparedDay, DetailDayCount> days =
        prepareDays(fields, calendarYearText, static_cast<int>(std::lround(CurHo)), static_cast<int>(std::lround(CurNap)));

    state.EvalMode = EvaluationMode::Detail;
    model.resetHours();
    // The captions are written as each day is done; until then they must not describe
    // the previous detail.
    model.detailCaptions.fill(QString());
    model.detailDayIndex = DayOfYear(CalendarYearOf(calendarYearText), days[1].date.month, days[1].date.day) - 1;
    state.CellIndex = -1;

    std::array<DayMinutes, DetailDayCount> minutes;
    // On the place's clock a day may have an hour more or less than 24.
    RunProgress progress{0, 0, RunProgress::Unit::Minute};
    // One clock for the three days: it reads the zone's history from the year before the
    // clicked day's to the year after it.
    const LocalClock clock(residenceZoneId, days[1].fields.zoneHours, days[1].fields.year);
    for (size_t g = 0; g < days.size(); ++g) {
        minutes[g] = minutesOf(days[g], clock);
        for (const std::vector<ClockSample> &hour : minutes[g])
            progress.total += int(hour.size());
    }

    const LibraryFilesGuard closeFiles(ephemeris);
    for (size_t g = 0; g < days.size(); ++g) {
        const PreparedDay &day = days[g];
        const QString monthTag = numberText(day.date.month);
        const QString dayTag = numberText(day.date.day);
        MomentTime moment;
        moment.month = static_cast<std::int16_t>(day.date.month);
        moment.day = static_cast<std::int16_t>(day.date.day);
        MomentFields dayFields = day.fields;
        for (const std::vector<ClockSample> &hour : minutes[g]) {
            state.CellIndex += 1;
            for (const ClockSample &sample : hour) {
                if (beforeMoment && !beforeMoment(progress))
                    return RunOutcome::Stopped;
                state.CellTagA = monthTag;
                state.CellTagB = dayTag;
                moment.hour = sample.hour;
                moment.minute = sample.minute;
                dayFields.zoneHours = sample.zoneHours;
                EvaluateMoment(state, dayFields, moment, ephemeris, model);
                ++progress.done;
            }
        }
        model.detailCaptions[g] = captionOf(day);
    }
    return RunOutcome::Finished;
}

TagDate DateOfTag(const QString &tag)
{
    // The tag is the month and the day, each padded with "-" to two characters, and the
    // lenient reading stops at the "-".
    return {static_cast<float>(readLeniently(tag.left(2))), static_cast<float>(readLeniently(tag.right(2)))};
}

} // namespace ferolune
