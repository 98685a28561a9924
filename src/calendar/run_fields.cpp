#include "calendar/run_fields.h"

#include "calendar/calendar_year.h"
#include "chart/field_rules.h"
#include "common/number_rules.h"
#include "common/run_error.h"

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

std::optional<FieldProblem> firstProblem(const BirthData &fields, const QString &calendarYearText, Field lastField)
{
    std::map<Field, double> values;
    for (const RunText &text : RunTexts(fields, calendarYearText)) {
        if (static_cast<int>(text.field) > static_cast<int>(lastField))
            break;
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

} // namespace

QString UnreadableFieldMessage(const QString &field, bool overflow)
{
    const QString subject = fieldInWords(field) + QStringLiteral(" mezőjében ");
    if (overflow)
        return subject + QStringLiteral("túl nagy vagy túl kicsi szám áll.");
    return subject + QStringLiteral("nem szám áll. Kérem, javítsa ki!");
}

std::optional<FieldProblem> FindFieldProblem(const BirthData &fields, const QString &calendarYearText)
{
    return firstProblem(fields, calendarYearText, Field::Text3);
}

std::optional<FieldProblem> FindBirthMomentProblem(const BirthData &fields)
{
    return firstProblem(fields, {}, Field::txtBirthMinute);
}

} // namespace ferolune
