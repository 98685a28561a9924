#include "chart/birth_moment.h"

#include "chart/field_rules.h"
#include "common/number_rules.h"

#include <cmath>

namespace ferolune {

void ReadBirthFields(ChartState &state, const BirthData &fields)
{
    const double day = convertToNumber(fields.txtDay, controlName(Field::txtDay));
    const double year = convertToNumber(fields.txtYear, controlName(Field::txtYear));
    const double month = convertToNumber(fields.txtMonth, controlName(Field::txtMonth));
    const double zone = convertToNumber(fields.txtTZ, controlName(Field::txtTZ));
    const auto birthDay = toInt16(day, controlName(Field::txtDay));
    const auto birthMonth = toInt16(month, controlName(Field::txtMonth));
    const auto birthYear = toInt16(year, controlName(Field::txtYear));
    // Only checks that the minute and hour hold numbers; they are read again leniently.
    convertToNumber(fields.txtBirthMinute, controlName(Field::txtBirthMinute));
    convertToNumber(fields.txtBirthHour, controlName(Field::txtBirthHour));
    const float longitudeDM = DegreesMinutesDM(fields.txtLongDeg, controlName(Field::txtLongDeg),
                                               fields.txtLongMin, controlName(Field::txtLongMin), fields.optEast);
    const float latitudeDM = DegreesMinutesDM(fields.txtLatDeg, controlName(Field::txtLatDeg),
                                              fields.txtLatMin, controlName(Field::txtLatMin), fields.optSouth);

    // Nothing is written until every field has converted.
    state.BirthDay = birthDay;
    state.BirthMonth = birthMonth;
    state.BirthYear = birthYear;
    state.ZoneHours = static_cast<float>(zone);
    state.LongitudeDM = longitudeDM;
    state.LongitudeSide = longitudeDM < 0 ? EastWest::East : EastWest::West;
    state.LatitudeDM = latitudeDM;
    state.LatitudeSide = latitudeDM < 0 ? NorthSouth::South : NorthSouth::North;
}

void ComputeUniversalMoment(ChartState &state, const BirthData &fields)
{
    state.ChartMonth = state.BirthMonth;
    state.ChartDay = state.BirthDay;
    state.ChartYear = state.BirthYear;

    double hour = readLeniently(fields.txtBirthHour);
    const double wholeHour = std::trunc(hour);
    if (fields.optAM) {
        if (wholeHour == 12) // 12 "DE" is midnight
            hour -= 12;
    } else if (wholeHour != 12) { // 12 "DU" is noon
        hour += 12;
    }
    state.ChartHour = static_cast<float>(state.ZoneHours + static_cast<float>(hour));
    state.ChartMinute = static_cast<float>(readLeniently(fields.txtBirthMinute));

    const bool east = state.LongitudeSide == EastWest::East;
    state.ChartLongitude = SignedDegrees(fields.txtLongDeg, controlName(Field::txtLongDeg), fields.txtLongMin,
                                         controlName(Field::txtLongMin), east);
    const bool north = state.LatitudeSide == NorthSouth::North;
    state.ChartLatitude = SignedDegrees(fields.txtLatDeg, controlName(Field::txtLatDeg), fields.txtLatMin,
                                        controlName(Field::txtLatMin), north);
}

double SignedDegrees(const QString &degreesText, const QString &degreesField, const QString &minutesText,
                     const QString &minutesField, bool positive)
{
    const double degrees = convertToNumber(degreesText, degreesField);
    const double minutes = convertToNumber(minutesText, minutesField);
    const double v = roundToSignificant15(degrees + minutes / 60);
    return positive ? v : -v;
}

float DegreesMinutesDM(const QString &degreesText, const QString &degreesField, const QString &minutesText,
                       const QString &minutesField, bool negate)
{
    const double degrees = convertToNumber(degreesText, degreesField);
    const double minutes = convertToNumber(minutesText, minutesField);
    const auto dm = static_cast<float>(degrees + minutes / 100);
    return negate ? -dm : dm;
}

double Normalize360(double angle)
{
    if (angle >= 0)
        return angle - 360 * std::floor(angle / 360);
    const double reduced = angle - 360 * (std::floor(angle / 360) + 1) + 360;
    return reduced >= 360 ? reduced - 360 : reduced;
}

} // namespace ferolune
