#include "chart/field_rules.h"

#include "common/number_rules.h"

namespace ferolune {

namespace {

constexpr char16_t Backspace = 8;

struct CharacterSet {
    const char *control;
    const char *besidesDigits;
};

constexpr CharacterSet CharacterSets[] = {
    {"txtYear", "-"},   {"txtMonth", ""},   {"txtDay", ""},    {"txtBirthMinute", "."}, {"txtTZ", "-."},
    {"txtLongDeg", ""}, {"txtLongMin", ""}, {"txtLatDeg", ""}, {"txtLatMin", ""},
};

struct RangeCheck {
    const char *control;
    double lowest;
    bool lowestAllowed; // the calendar year must be above 0; 0 is a valid month, day, hour or minute
    double highest;
    const char16_t *message;
};

constexpr RangeCheck RangeChecks[] = {
    {"txtMonth", 0, true, 12, u"Helytelen hónap!"},
    {"txtDay", 0, true, 31, u"Helytelen nap!"},
    {"Text1", 0, true, 23, u"Helytelen óra!"},
    {"txtBirthMinute", 0, true, 59, u"Helytelen perc!"},
    {"Text3", 0, false, 9999, u"Helytelen év!"},
};

const CharacterSet *characterSetOf(const QString &control)
{
    for (const CharacterSet &set : CharacterSets)
        if (control == QLatin1StringView(set.control))
            return &set;
    return nullptr;
}

const RangeCheck *rangeCheckOf(const QString &control)
{
    for (const RangeCheck &check : RangeChecks)
        if (control == QLatin1StringView(check.control))
            return &check;
    return nullptr;
}

bool outOfRange(const RangeCheck &check, double value)
{
    const bool belowLowest = check.lowestAllowed ? value < check.lowest : value <= check.lowest;
    return belowLowest || value > check.highest;
}

} // namespace

bool acceptsTypedCharacter(const QString &control, QChar typed)
{
    const CharacterSet *set = characterSetOf(control);
    if (!set)
        return true;
    const char16_t code = typed.unicode();
    if (code == Backspace || (code >= u'0' && code <= u'9'))
        return true;
    return QLatin1StringView(set->besidesDigits).contains(typed);
}

QString rangeMessage(const QString &control, const QString &text)
{
    const RangeCheck *check = rangeCheckOf(control);
    if (!check || !outOfRange(*check, readLeniently(text)))
        return {};
    return QString::fromUtf16(check->message);
}

} // namespace ferolune
