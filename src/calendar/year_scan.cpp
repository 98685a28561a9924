#include "calendar/calendar_moment.h"
#include "calendar/calendar_run.h"
#include "calendar/calendar_year.h"
#include "calendar/local_clock.h"
#include "chart/ephemeris.h"
#include "chart/field_rules.h"
#include "common/number_rules.h"

namespace ferolune {

namespace {

// The angle needs about a month to come back, so the days right after a moon-phase day
// are not examined.
constexpr int DaysSkippedAfterPhaseDay = 20;

// The fertile days before a moon-phase day on 1 to 3 January lie in December, so the scan
// goes on into the first three days of the next year. A moon-phase day found there has no
// cell of its own: it only marks the December days before it.
constexpr int DaysLookedAhead = 3;

// Every second hour, every tenth minute: 72 moments a day.
constexpr int LastSampledHour = 22;
constexpr int SampledHourStep = 2;
constexpr int LastSampledMinute = 50;
constexpr int SampledMinuteStep = 10;

struct ScanRun {
    ChartState &state;
    const MomentFields &fields;
    const LocalClock &clock;
    Ephemeris &ephemeris;
    CalendarModel &model;
    const MomentCallback &beforeMoment;
};

// The month and day a scanned day's moments carry. A day of the next year is a December
// day number above 31, which the Julian day carries into January.
MonthDay momentDateOf(int scanIndex, int dayCount)
{
    if (scanIndex < dayCount)
        return DateOfDayIndex(scanIndex, dayCount);
    return {12, 31 + scanIndex - dayCount + 1};
}

// The sampled moments of one day, in increasing time order. False when the callback
// stopped the run.
bool scanDay(const ScanRun &run, int scanIndex)
{
    const MonthDay date = momentDateOf(scanIndex, run.model.dayCount);
    // The tag parts of a day are the same for all its moments.
    const QString monthTag = numberText(date.month);
    const QString dayTag = numberText(date.day);
    MomentTime moment;
    moment.month = static_cast<std::int16_t>(date.month);
    moment.day = static_cast<std::int16_t>(date.day);
    const RunProgress progress{scanIndex, run.model.dayCount};
    const LocalDay localDay = run.clock.day(QDate(run.fields.year, 1, 1).addDays(scanIndex));
    MomentFields fields = run.fields;

    for (int hour = 0; hour <= LastSampledHour; hour += SampledHourStep) {
        for (const ClockSample &sample : localDay.samples(hour, 0, LastSampledMinute, SampledMinuteStep)) {
            if (run.beforeMoment && !run.beforeMoment(progress))
                return false;
            run.state.CellTagA = monthTag;
            run.state.CellTagB = dayTag;
            moment.hour = sample.hour;
            moment.minute = sample.minute;
            fields.zoneHours = sample.zoneHours;
            EvaluateMoment(run.state, fields, moment, run.ephemeris, run.model);
        }
    }
    return true;
}

// Whether the library takes its data files for the whole year: asked at noon of its first
// and of its last day (the files begin on 1 January 1800 and end during 2400).
bool dataFilesCoverYear(Ephemeris &ephemeris, const MomentFields &fields)
{
    const double noonUniversal = 12 + static_cast<double>(fields.zoneHours);
    return ephemeris.usesDataFilesAt(Ephemeris::julianDay(fields.year, 1, 1, noonUniversal)) &&
           ephemeris.usesDataFilesAt(Ephemeris::julianDay(fields.year, 12, 31, noonUniversal));
}

} // namespace

RunOutcome ScanYear(ChartState &state, const BirthData &fields, const QString &calendarYearText,
                    Ephemeris &ephemeris, CalendarModel &model, const MomentCallback &beforeMoment,
                    const QByteArray &residenceZoneId)
{
    // The moments take their year from the calendar year; the caller's fields stay as
    // they are.
    BirthData momentFields = fields;
    momentFields.txtYear = calendarYearText;
    // Year, zone and place are the same for every moment: converted once, and before
    // anything is reset, so a text that is not a number keeps the run from starting.
    const MomentFields converted = ConvertMomentFields(momentFields, controlName(Field::Text3));

    state.EvalMode = EvaluationMode::Scan;
    state.PhaseDayFound = 0;
    model.dayCount = DaysInYear(CalendarYearOf(calendarYearText));
    model.resetDays();
    state.CellIndex = -1;

    const LibraryFilesGuard closeFiles(ephemeris);
    model.builtInEphemeris = !dataFilesCoverYear(ephemeris, converted);
    const LocalClock clock(residenceZoneId, converted.zoneHours, converted.year);
    const ScanRun run{state, converted, clock, ephemeris, model, beforeMoment};
    const int lastDayIndex = model.dayCount - 1;
    int scanIndex = 0;
    while (scanIndex <= lastDayIndex + DaysLookedAhead) {
        if (state.PhaseDayFound != 0) {
            scanIndex += DaysSkippedAfterPhaseDay;
            state.PhaseDayFound = 0;
            // A jump past 31 December ends the scan: the next moon-phase day lies beyond the
            // days looked ahead, so no December day can be fertile before it.
            if (scanIndex > lastDayIndex)
                break;
        }
        state.CellIndex = scanIndex;
        if (!scanDay(run, scanIndex))
            return RunOutcome::Stopped;
        ++scanIndex;
    }
    return RunOutcome::Finished;
}

} // namespace ferolune
