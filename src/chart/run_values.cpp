#include "chart/run_values.h"

#include "chart/birth_moment.h"
#include "chart/field_rules.h"
#include "common/number_rules.h"
#include "common/run_error.h"

#include <cmath>
#include <optional>

namespace ferolune {

namespace {

std::optional<FieldProblem> findUnreadableField(const BirthData &fields, const QString &calendarYearText)
{
    for (const ConvertedText &checked : ConvertedTexts(fields, calendarYearText)) {
        try {
            const double value = convertToNumber(checked.text, checked.control);
            if (checked.wholeNumber)
                toInt16(value, checked.control);
        } catch (const RunError &error) {
            return FieldProblem{checked.control, focusControlOf(checked.control),
                                UnreadableFieldMessage(checked.control, error.number() == RunError::Overflow)};
        }
    }
    return std::nullopt;
}

// The hidden 12-hour hour with its meridiem on the 24-hour clock: 12 "DE" is midnight,
// 12 "DU" noon. The hour is read leniently, so text after the number is ignored.
double hourOnTheFullClock(const BirthData &fields)
{
    double hour = readLeniently(fields.txtBirthHour);
    const double wholeHour = std::trunc(hour);
    if (fields.optAM) {
        if (wholeHour == 12)
            hour -= 12;
    } else if (wholeHour != 12) {
        hour += 12;
    }
    return hour;
}

// Every text converts: findUnreadableField has looked at each of them.
BirthRecord birthRecordOf(const BirthData &fields)
{
    BirthRecord birth;
    birth.day = toInt16(convertToNumber(fields.txtDay));
    birth.month = toInt16(convertToNumber(fields.txtMonth));
    birth.year = toInt16(convertToNumber(fields.txtYear));
    birth.zoneHours = static_cast<float>(convertToNumber(fields.txtTZ));
    birth.hour = static_cast<float>(hourOnTheFullClock(fields));
    birth.minute = static_cast<float>(readLeniently(fields.txtBirthMinute));
    // The side is the sign of degrees + minutes/100; the coordinate itself takes minutes/60.
    const float longitudeDM = DegreesMinutesDM(fields.txtLongDeg, {}, fields.txtLongMin, {}, fields.optEast);
    birth.longitude = SignedDegrees(fields.txtLongDeg, {}, fields.txtLongMin, {}, longitudeDM < 0);
    const float latitudeDM = DegreesMinutesDM(fields.txtLatDeg, {}, fields.txtLatMin, {}, fields.optSouth);
    birth.latitude = SignedDegrees(fields.txtLatDeg, {}, fields.txtLatMin, {}, !(latitudeDM < 0));
    return birth;
}

} // namespace

std::variant<RunValues, FieldProblem> ReadRunValues(const BirthData &fields, const QString &calendarYearText)
{
    if (std::optional<FieldProblem> problem = findUnreadableField(fields, calendarYearText))
        return *problem;
    return RunValues{birthRecordOf(fields), toInt16(convertToNumber(calendarYearText))};
}

QString UnreadableFieldMessage(const QString &field, bool overflow)
{
    const QString subject = fieldInWords(field) + QStringLiteral(" mezőjében ");
    if (overflow)
        return subject + QStringLiteral("túl nagy vagy túl kicsi szám áll.");
    return subject + QStringLiteral("nem szám áll. Kérem, javítsa ki!");
}

} // namespace ferolune
