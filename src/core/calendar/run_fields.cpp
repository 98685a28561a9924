#include "core/calendar/run_fields.h"

#include "core/calendar/calendar_year.h"
#include "core/calendar/local_clock.h"
#include "core/chart/birth_moment.h"
#include "core/chart/field_rules.h"
#include "core/common/number_rules.h"
#include "core/common/run_error.h"

#include <QStringList>

#include <algorithm>

#include <cmath>
#include <map>

namespace ferolune {

namespace {

FieldProblem problemOf(Field field, const QString &message)
{
    const QString control = controlName(field);
    return {control, focusControlOf(control), message};
}

// The value the computation reads from a text; throws RunError as the computation would.
double valueOf(const RunText &text)
{
    const QString control = controlName(text.field);
    if (!text.converted)
        return readLeniently(text.text);
    const double value = convertToNumber(text.text, control);
    return text.wholeNumber ? toInt16(value, control) : value;
}

// What no single field shows: a day beyond the length of its month, degrees with their
// minutes beyond the pole or the 180th meridian (corrected in the degrees).
std::optional<FieldProblem> combinedProblem(Field field, const std::map<Field, double> &values)
{
    const auto beyond = [&](Field degrees, Field minutes, double limit) -> std::optional<FieldProblem> {
        if (std::fabs(values.at(degrees) + values.at(minutes) / 60) <= limit)
            return std::nullopt;
        return problemOf(degrees, runBoundMessage(degrees));
    };
    switch (field) {
    case Field::txtDay: {
        const int year = static_cast<int>(values.at(Field::txtYear));
        const int month = static_cast<int>(values.at(Field::txtMonth));
        if (values.at(Field::txtDay) > MonthLength(year, month))
            return problemOf(Field::txtDay, runBoundMessage(Field::txtDay));
        return std::nullopt;
    }
    case Field::txtLongMin:
        return beyond(Field::txtLongDeg, Field::txtLongMin, 180);
    case Field::txtLatMin:
        return beyond(Field::txtLatDeg, Field::txtLatMin, 90);
    default:
        return std::nullopt;
    }
}

// Empty (no uncertainty) or digits alone.
bool wholeMinutes(const QString &text)
{
    const QString trimmed = text.trimmed();
    return std::all_of(trimmed.begin(), trimmed.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

std::optional<FieldProblem> firstProblem(const BirthData &fields, const QString &calendarYearText, Field lastField)
{
    std::map<Field, double> values;
    for (const RunText &text : RunTexts(fields, calendarYearText)) {
        if (static_cast<int>(text.field) > static_cast<int>(lastField))
            break;
        // The window types whole minutes only; a file's "abc" or "15.5" is no uncertainty.
        if (text.field == Field::txtUncertainty && !wholeMinutes(text.text))
            return problemOf(text.field, runBoundMessage(text.field));
        try {
            values[text.field] = valueOf(text);
        } catch (const RunError &error) {
            return problemOf(text.field, UnreadableFieldMessage(controlName(text.field),
                                                                 error.number() == RunError::Overflow));
        }
        if (const QString message = runRangeMessage(text.field, values[text.field]); !message.isEmpty())
            return problemOf(text.field, message);
        if (std::optional<FieldProblem> problem = combinedProblem(text.field, values))
            return problem;
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

// Every text converts: FindFieldProblem has looked at each of them.
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
    if (std::optional<FieldProblem> problem = FindFieldProblem(fields, calendarYearText))
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

std::optional<FieldProblem> FindFieldProblem(const BirthData &fields, const QString &calendarYearText)
{
    return firstProblem(fields, calendarYearText, Field::txtUncertainty);
}

std::optional<FieldProblem> FindBirthMomentProblem(const BirthData &fields)
{
    return firstProblem(fields, {}, Field::txtBirthMinute);
}

std::variant<CalendarRun, FieldProblem> CalendarRunOf(const BirthData &fields, const QString &calendarYearText,
                                                      const ResidenceZoneOf &residenceZoneOf,
                                                      const CycleHistory &cycle, const QString &eventKey)
{
    const std::variant<RunValues, FieldProblem> values = ReadRunValues(fields, calendarYearText);
    if (const FieldProblem *problem = std::get_if<FieldProblem>(&values))
        return *problem;
    const RunValues &read = std::get<RunValues>(values);
    CalendarRun run;
    run.birth = read.birth;
    run.calendar.year = read.calendarYear;
    run.calendar.zoneHours = read.birth.zoneHours;
    run.calendar.residenceZoneId = residenceZoneOf ? residenceZoneOf(fields.residence) : QByteArray();
    // Digits only, 0..180, checked above; empty is 0.
    run.calendar.uncertaintyMinutes = static_cast<int>(readLeniently(fields.txtUncertainty));
    run.heading = {calendarYearText, fields.txtName, fields.residence.text, {}};
    if (run.calendar.residenceZoneId.isEmpty())
        run.heading.clockNote = BirthZoneNote(run.calendar.zoneHours);
    run.calendar.cycle = cycle;
    run.personIdentity = PersonIdentity(fields, eventKey);
    return run;
}

QString PersonIdentity(const BirthData &fields, const QString &eventKey)
{
    // The prefixes keep a name from ever reading as another person's key.
    if (!eventKey.isEmpty())
        return QStringLiteral("key:") + eventKey;
    return QStringLiteral("name:") + fields.txtName.trimmed();
}

} // namespace ferolune
