#include "io/form/form_rules.h"

#include "core/common/number_rules.h"

#include <cmath>
#include <optional>

namespace ferolune {

namespace {

constexpr char16_t Backspace = 8;

struct LeavingBounds {
    double lowest;
    bool lowestAllowed; // the calendar year must be above 0; 0 is a valid month, day, hour or minute
    double highest;
};

struct TypingRow {
    const char16_t *inWords;
    const char *besidesDigits; // the typed characters taken besides digits; null takes everything
    // The bounds checked when the field is left: looser than the run's (month 0 and day 0
    // pass), and none on the zone and the coordinates. The message is the run's.
    std::optional<LeavingBounds> leaving;
};

TypingRow rowOf(BirthField field)
{
    using F = BirthField;
    switch (field) {
    case F::Name:
        return {u"A név", nullptr, {}};
    case F::Year:
        return {u"A születési év", "-", {}};
    case F::Month:
        return {u"A születési hónap", "", LeavingBounds{0, true, 12}};
    case F::Day:
        return {u"A születési nap", "", LeavingBounds{0, true, 31}};
    case F::Hour:
        return {u"A születési óra", nullptr, LeavingBounds{0, true, 23}};
    case F::Minute:
        return {u"A születési perc", ".", LeavingBounds{0, true, 59}};
    case F::Zone:
        return {u"Az időzóna", "-.", {}};
    case F::LongitudeDegrees:
        return {u"A földrajzi hosszúság fokának", "", {}};
    case F::LongitudeMinutes:
        return {u"A földrajzi hosszúság percének", "", {}};
    case F::LatitudeDegrees:
        return {u"A földrajzi szélesség fokának", "", {}};
    case F::LatitudeMinutes:
        return {u"A földrajzi szélesség percének", "", {}};
    case F::CalendarYear:
        return {u"A naptár évének (piros)", nullptr, LeavingBounds{0, false, 9999}};
    case F::Uncertainty:
        return {u"A „± PERC”", "", LeavingBounds{0, true, 180}};
    }
    return {u"Az egyik", nullptr, {}};
}

std::optional<double> tryConvert(const QString &text)
{
    const Expected<double, RunError> value = convertToNumber(text);
    return value ? std::optional(*value) : std::nullopt;
}

void normalizeBirthHour(BirthForm &form)
{
    // The net effect of the field's change rule re-running on its own writes.
    const std::optional<double> value = tryConvert(form.hour12);
    if (!value)
        return;
    if (*value == 0) {
        form.hour12 = fieldNumberText(12);
        return;
    }
    if (*value > 12) {
        // Lowering by 12 until the hour is 12 or less, in one step: an hour of 1E+300
        // from a chart file must not keep the rule busy for ever.
        form.beforeNoon = false;
        const double rest = std::fmod(*value, 12.0);
        form.hour12 = fieldNumberText(rest == 0 ? 12.0 : rest);
    }
}

} // namespace

void SetBirthHour(BirthForm &form, const QString &text)
{
    form.hour12 = text;
    normalizeBirthHour(form);
}

void Hour24To12(BirthForm &form)
{
    const double v = readLeniently(form.hour);
    if (v < 12) {
        SetBirthHour(form, form.hour);
        form.beforeNoon = true;
    } else {
        SetBirthHour(form, fieldNumberText(v - 12));
        form.beforeNoon = false;
    }
}

void Hour12To24(BirthForm &form)
{
    const double h = readLeniently(form.hour12);
    const double whole = std::trunc(h);
    if (form.beforeNoon)
        form.hour = whole == 12 ? fieldNumberText(h - 12) : form.hour12;
    else
        form.hour = whole == 12 ? fieldNumberText(h) : fieldNumberText(h + 12);
}

Expected<void, RunError> SummerTimeStep(BirthForm &form, int newState)
{
    const double z = readLeniently(form.zoneText);
    const double shifted = newState == 1 ? z - 1 : z + 1;
    if (!std::isfinite(shifted))
        return Unexpected(RunError::overflow());
    form.zoneText = fieldNumberText(shifted);
    return {};
}

void SideStep(BirthForm &form, bool east)
{
    const std::optional<double> z = tryConvert(form.zoneText);
    if (!z)
        return;
    form.zoneText = fieldNumberText(east ? -std::fabs(*z) : std::fabs(*z));
}

bool AcceptsTypedCharacter(BirthField field, QChar typed)
{
    const TypingRow row = rowOf(field);
    if (!row.besidesDigits)
        return true;
    const char16_t code = typed.unicode();
    if (code == Backspace || (code >= u'0' && code <= u'9'))
        return true;
    return QLatin1StringView(row.besidesDigits).contains(typed);
}

QString AcceptedText(BirthField field, const QString &text)
{
    if (!rowOf(field).besidesDigits)
        return text;
    QString accepted;
    for (const QChar character : text)
        if (character.unicode() >= u' ' && AcceptsTypedCharacter(field, character))
            accepted += character;
    return accepted;
}

QString LeavingMessage(BirthField field, const QString &text)
{
    const std::optional<LeavingBounds> bounds = rowOf(field).leaving;
    if (!bounds)
        return {};
    const double value = readLeniently(text);
    const bool belowLowest = bounds->lowestAllowed ? value < bounds->lowest : value <= bounds->lowest;
    return belowLowest || value > bounds->highest ? BoundsMessage(field) : QString();
}

QString FieldInWords(BirthField field)
{
    return QString::fromUtf16(rowOf(field).inWords);
}

} // namespace ferolune
