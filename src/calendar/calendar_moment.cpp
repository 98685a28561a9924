#include "calendar/calendar_moment.h"

#include "calendar/calendar_model.h"
#include "chart/birth_moment.h"
#include "chart/ephemeris.h"
#include "chart/field_rules.h"
#include "chart/natal_chart.h"
#include "common/number_rules.h"

namespace ferolune {

namespace {

// The moment decides east/west and north/south from the signs of the DM values itself;
// the natal sides in the chart state are not consulted.
void convertPlace(const BirthData &fields, MomentFields &out)
{
    const QString longDeg = controlName(Field::txtLongDeg);
    const QString longMin = controlName(Field::txtLongMin);
    const QString latDeg = controlName(Field::txtLatDeg);
    const QString latMin = controlName(Field::txtLatMin);
    out.longitudeDM = DegreesMinutesDM(fields.txtLongDeg, longDeg, fields.txtLongMin, longMin, fields.optEast);
    out.chartLongitude = SignedDegrees(fields.txtLongDeg, longDeg, fields.txtLongMin, longMin, out.longitudeDM < 0);
    out.latitudeDM = DegreesMinutesDM(fields.txtLatDeg, latDeg, fields.txtLatMin, latMin, fields.optSouth);
    out.chartLatitude = SignedDegrees(fields.txtLatDeg, latDeg, fields.txtLatMin, latMin, out.latitudeDM >= 0);
}

} // namespace

MomentFields ConvertMomentFields(const BirthData &fields, const QString &yearField)
{
    MomentFields out;
    const double year = convertToNumber(fields.txtYear, yearField);
    out.zoneHours = static_cast<float>(convertToNumber(fields.txtTZ, controlName(Field::txtTZ)));
    out.year = toInt16(year, yearField);
    convertPlace(fields, out);
    return out;
}

void EvaluateCalendarMoment(ChartState &state, const BirthData &fields, const QString &monthText,
                            const QString &dayText, const QString &hourText, const QString &minuteText,
                            Ephemeris &ephemeris, CalendarModel &model)
{
    const QString yearField = controlName(Field::txtYear);
    MomentFields converted;
    const double day = convertToNumber(dayText);
    const double year = convertToNumber(fields.txtYear, yearField);
    const double month = convertToNumber(monthText);
    converted.zoneHours = static_cast<float>(convertToNumber(fields.txtTZ, controlName(Field::txtTZ)));
    MomentTime moment;
    moment.day = toInt16(day);
    moment.month = toInt16(month);
    converted.year = toInt16(year, yearField);
    // Only checks that the hour and minute are numbers; their values are read leniently.
    convertToNumber(hourText);
    convertToNumber(minuteText);
    convertPlace(fields, converted);
    moment.hour = readLeniently(hourText);
    moment.minute = readLeniently(minuteText);
    EvaluateMoment(state, converted, moment, ephemeris, model);
}

void EvaluateMoment(ChartState &state, const MomentFields &fields, const MomentTime &moment, Ephemeris &ephemeris,
                    CalendarModel &model)
{
    state.BirthDay = moment.day;
    state.BirthMonth = moment.month;
    state.BirthYear = fields.year;
    state.ZoneHours = fields.zoneHours;
    state.LongitudeDM = fields.longitudeDM;
    state.ChartLongitude = fields.chartLongitude;
    state.LatitudeDM = fields.latitudeDM;
    state.ChartLatitude = fields.chartLatitude;

    state.ChartDay = state.BirthDay;
    state.ChartMonth = state.BirthMonth;
    state.ChartYear = state.BirthYear;
    // The universal hour may fall outside 0..24; the Julian day carries it into the
    // neighbouring day.
    state.ChartHour = static_cast<float>(static_cast<float>(moment.hour) + state.ZoneHours);
    state.ChartMinute = static_cast<float>(moment.minute);

    ComputeMomentEphemeris(state, ephemeris);
    // EvaluateChart loads the chart to evaluate, so the moment's Sun and Moon go there.
    state.ChartLon[1] = state.PointLon[1];
    state.ChartLon[10] = state.PointLon[10];
    EvaluateChart(state, &model);
}

void ComputeMomentEphemeris(ChartState &state, Ephemeris &ephemeris)
{
    state.ChartHourDecimal = state.ChartMinute / 60.0 + state.ChartHour;
    // A December day number above 31 rolls over into January of the next year.
    state.ChartJulianDay =
        Ephemeris::julianDay(state.ChartYear, state.ChartMonth, state.ChartDay, state.ChartHourDecimal);
    // Throws before anything is stored when the library cannot compute the moment.
    const SunMoon positions = ephemeris.sunAndMoon(state.ChartJulianDay);
    state.PointLon[1] = positions.sunLon;
    state.PointLon[10] = positions.moonLon;
}

} // namespace ferolune
