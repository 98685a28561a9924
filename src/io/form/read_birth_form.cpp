#include "io/form/read_birth_form.h"

#include "core/common/number_rules.h"
#include "io/form/form_rules.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace ferolune {

namespace {

// The numbers read so far and the first text that could not be read: the value checks
// look no further than the field before it.
class FormReader {
public:
    FormReader() = default;

    // `text` converted strictly; whole numbers are rounded to 16 bits.
    double converted(BirthField field, const QString &text, bool wholeNumber = false)
    {
        if (m_failure)
            return 0;
        const Expected<double, RunError> value = convertToNumber(text);
        if (!value) {
            fail(field, UnreadableFieldMessage(field, value.error().number == RunError::Overflow));
            return 0;
        }
        if (!wholeNumber)
            return *value;
        const Expected<std::int16_t, RunError> whole = toInt16(*value);
        if (!whole) {
            fail(field, UnreadableFieldMessage(field, true));
            return 0;
        }
        return *whole;
    }

    void fail(BirthField field, const QString &message)
    {
        if (!m_failure)
            m_failure = FieldProblem{field, message};
    }

    // A failure of `field` that comes after its own value check (the 12-hour hour after
    // the hour shown).
    void failAfter(BirthField field, const QString &message)
    {
        if (!m_failure) {
            m_failure = FieldProblem{field, message};
            m_checkedThrough = true;
        }
    }

    // The first problem: a value before the text that could not be read, else that text.
    std::optional<FieldProblem> problem(const BirthNumbers &numbers, BirthField last) const
    {
        if (!m_failure)
            return FirstValueProblem(numbers, last);
        const int before = static_cast<int>(m_failure->field) - (m_checkedThrough ? 0 : 1);
        if (std::optional<FieldProblem> earlier = FirstValueProblem(numbers, static_cast<BirthField>(before)))
            return earlier;
        return m_failure;
    }

private:
    std::optional<FieldProblem> m_failure;
    bool m_checkedThrough = false;
};

// The 12-hour hour with its meridiem on the 24-hour clock: 12 "DE" is midnight, 12 "DU"
// noon. The hour is read leniently, as the chart reads it.
double hourOnTheFullClock(const QString &hour12Text, bool beforeNoon)
{
    const double hour12 = readLeniently(hour12Text);
    const double wholeHour = std::trunc(hour12);
    if (beforeNoon)
        return wholeHour == 12 ? hour12 - 12 : hour12;
    return wholeHour == 12 ? hour12 : hour12 + 12;
}

// Empty (no uncertainty) or digits alone.
bool wholeMinutes(const QString &text)
{
    const QString trimmed = text.trimmed();
    return std::all_of(trimmed.begin(), trimmed.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// What the chart reads of the clock time: the hour and the minute, both read leniently
// once their fields have passed.
struct ChartClock {
    double hour = 0;
    double minute = 0;
};

// The date and clock time into `numbers` as the checks see them: the hour shown, the
// minute converted.
ChartClock readMoment(const BirthForm &form, FormReader &reader, BirthNumbers &numbers)
{
    numbers.year = reader.converted(BirthField::Year, form.year, true);
    numbers.month = reader.converted(BirthField::Month, form.month, true);
    numbers.day = reader.converted(BirthField::Day, form.day, true);
    numbers.hour = readLeniently(form.hour);
    if (const Expected<double, RunError> value = convertToNumber(form.hour12); !value)
        reader.failAfter(BirthField::Hour,
                         UnreadableFieldMessage(BirthField::Hour, value.error().number == RunError::Overflow));
    numbers.minute = reader.converted(BirthField::Minute, form.minute);
    return {hourOnTheFullClock(form.hour12, form.beforeNoon), readLeniently(form.minute)};
}

} // namespace

Expected<FormMoment, FieldProblem> ReadBirthMoment(const BirthForm &form)
{
    FormReader reader;
    BirthNumbers numbers;
    const ChartClock clock = readMoment(form, reader, numbers);
    if (std::optional<FieldProblem> problem = reader.problem(numbers, BirthField::Minute))
        return Unexpected(*problem);
    const BirthInput birth = BirthInputOf(numbers);
    return FormMoment{birth.year, birth.month, birth.day, numbers.hour, clock.hour, clock.minute};
}

Expected<CheckedRun, FieldProblem> ReadRunForm(const BirthForm &form, const QString &calendarYearText)
{
    FormReader reader;
    BirthNumbers numbers;
    numbers.name = form.name;
    const ChartClock clock = readMoment(form, reader, numbers);
    numbers.zoneHours = reader.converted(BirthField::Zone, form.zoneText);
    numbers.longitude = {reader.converted(BirthField::LongitudeDegrees, form.longitudeDegrees),
                         reader.converted(BirthField::LongitudeMinutes, form.longitudeMinutes)};
    numbers.east = form.east;
    numbers.latitude = {reader.converted(BirthField::LatitudeDegrees, form.latitudeDegrees),
                        reader.converted(BirthField::LatitudeMinutes, form.latitudeMinutes)};
    numbers.north = !form.south;
    numbers.calendarYear = reader.converted(BirthField::CalendarYear, calendarYearText, true);
    // The window types whole minutes only; a file's "abc" or "15.5" is no uncertainty.
    if (!wholeMinutes(form.uncertainty))
        reader.fail(BirthField::Uncertainty, BoundsMessage(BirthField::Uncertainty));
    numbers.uncertaintyMinutes = readLeniently(form.uncertainty);
    numbers.birthPlace = form.birthPlace;
    numbers.residence = form.residence;
    if (std::optional<FieldProblem> problem = reader.problem(numbers, BirthField::Uncertainty))
        return Unexpected(*problem);
    CheckedRun run{BirthInputOf(numbers), static_cast<int>(numbers.calendarYear)};
    run.birth.hour = static_cast<float>(clock.hour); // the hour the chart reads, not the one shown
    run.birth.minute = static_cast<float>(clock.minute);
    return run;
}

QString UnreadableFieldMessage(BirthField field, bool overflow)
{
    const QString subject = FieldInWords(field) + QStringLiteral(" mezőjében ");
    if (overflow)
        return subject + QStringLiteral("túl nagy vagy túl kicsi szám áll.");
    return subject + QStringLiteral("nem szám áll. Kérem, javítsa ki!");
}

} // namespace ferolune
