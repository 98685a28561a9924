#include "core/chart/field_rules.h"

#include "core/common/number_rules.h"

#include <array>

namespace ferolune {

namespace {

constexpr char16_t Backspace = 8;
constexpr const char16_t *UncertaintyBounds =
    u"Helytelen „± PERC”! A születési idő bizonytalansága 0 és 180 perc között lehet.";

struct RangeCheck {
    double lowest;
    bool lowestAllowed; // the calendar year must be above 0; 0 is a valid month, day, hour or minute
    double highest;
    const char16_t *message;
};

struct FieldRow {
    Field field;
    const char *control;
    const char16_t *inWords;
    const char *besidesDigits; // the typed characters taken besides digits; null takes everything
    std::optional<RangeCheck> range;
    // The bounds a calendar run needs, checked when the calendar is asked for; they
    // keep out what the check on leaving lets pass (month 0, day 0, a zone of 99 hours).
    std::optional<RangeCheck> runRange;
    QString BirthData::*text;  // null for the calendar year, which is no birth field
    bool converted;            // read as a number by the natal chart or the moments
    bool wholeNumber;
    Field focus;
};

const std::array<FieldRow, 14> &fieldTable()
{
    using F = Field;
    static const std::array<FieldRow, 14> rows = {{
        {F::txtName, "txtName", u"A név", nullptr, {}, {}, &BirthData::txtName, false, false, F::txtName},
        {F::txtYear, "txtYear", u"A születési év", "-", {}, RangeCheck{1, true, 32767, u"Helytelen születési év!"},
         &BirthData::txtYear, true, true, F::txtYear},
        {F::txtMonth, "txtMonth", u"A születési hónap", "", RangeCheck{0, true, 12, u"Helytelen hónap!"},
         RangeCheck{1, true, 12, u"Helytelen hónap!"}, &BirthData::txtMonth, true, true, F::txtMonth},
        // A day beyond the length of its month is refused with the same message.
        {F::txtDay, "txtDay", u"A születési nap", "", RangeCheck{0, true, 31, u"Helytelen nap!"},
         RangeCheck{1, true, 31, u"Helytelen nap!"}, &BirthData::txtDay, true, true, F::txtDay},
        {F::Text1, "Text1", u"A születési óra", nullptr, RangeCheck{0, true, 23, u"Helytelen óra!"},
         RangeCheck{0, true, 23, u"Helytelen óra!"}, &BirthData::Text1, false, false, F::Text1},
        {F::txtBirthHour, "txtBirthHour", u"A születési óra", nullptr, {}, {}, &BirthData::txtBirthHour, true, false,
         F::Text1},
        {F::txtBirthMinute, "txtBirthMinute", u"A születési perc", ".", RangeCheck{0, true, 59, u"Helytelen perc!"},
         RangeCheck{0, true, 59, u"Helytelen perc!"}, &BirthData::txtBirthMinute, true, false, F::txtBirthMinute},
        {F::txtTZ, "txtTZ", u"Az időzóna", "-.", {},
         RangeCheck{-15, true, 15, u"Helytelen időzóna! Az időzóna -15 és 15 óra között lehet."}, &BirthData::txtTZ,
         true, false, F::txtTZ},
        // The degrees with their minutes are bounded as well, where the minutes are read.
        {F::txtLongDeg, "txtLongDeg", u"A földrajzi hosszúság fokának", "", {},
         RangeCheck{-180, true, 180, u"Helytelen földrajzi hosszúság! A hosszúság legfeljebb 180° lehet."},
         &BirthData::txtLongDeg, true, false, F::txtLongDeg},
        {F::txtLongMin, "txtLongMin", u"A földrajzi hosszúság percének", "", {},
         RangeCheck{-59, true, 59, u"Helytelen földrajzi hosszúság! A perc legfeljebb 59 lehet."},
         &BirthData::txtLongMin, true, false, F::txtLongMin},
        {F::txtLatDeg, "txtLatDeg", u"A földrajzi szélesség fokának", "", {},
         RangeCheck{-90, true, 90, u"Helytelen földrajzi szélesség! A szélesség legfeljebb 90° lehet."},
         &BirthData::txtLatDeg, true, false, F::txtLatDeg},
        {F::txtLatMin, "txtLatMin", u"A földrajzi szélesség percének", "", {},
         RangeCheck{-59, true, 59, u"Helytelen földrajzi szélesség! A perc legfeljebb 59 lehet."},
         &BirthData::txtLatMin, true, false, F::txtLatMin},
        {F::Text3, "Text3", u"A naptár évének (piros)", nullptr, RangeCheck{0, false, 9999, u"Helytelen év!"},
         RangeCheck{0, false, 9999, u"Helytelen év!"}, nullptr, true, true, F::Text3},
        // Empty is 0: a birth moment known to the minute.
        {F::txtUncertainty, "txtUncertainty", u"A „± PERC”", "",
         RangeCheck{0, true, 180, UncertaintyBounds},
         RangeCheck{0, true, 180, UncertaintyBounds},
         &BirthData::txtUncertainty, false, false, F::txtUncertainty},
    }};
    return rows;
}

const FieldRow &rowOf(Field field)
{
    return fieldTable()[static_cast<size_t>(field)];
}

const FieldRow *rowOf(const QString &control)
{
    for (const FieldRow &row : fieldTable())
        if (control == QLatin1StringView(row.control))
            return &row;
    return nullptr;
}

bool outOfRange(const RangeCheck &check, double value)
{
    const bool belowLowest = check.lowestAllowed ? value < check.lowest : value <= check.lowest;
    return belowLowest || value > check.highest;
}

} // namespace

QString controlName(Field field)
{
    return QLatin1StringView(rowOf(field).control).toString();
}

bool acceptsTypedCharacter(const QString &control, QChar typed)
{
    const FieldRow *row = rowOf(control);
    if (!row || !row->besidesDigits)
        return true;
    const char16_t code = typed.unicode();
    if (code == Backspace || (code >= u'0' && code <= u'9'))
        return true;
    return QLatin1StringView(row->besidesDigits).contains(typed);
}

QString acceptedText(const QString &control, const QString &text)
{
    const FieldRow *row = rowOf(control);
    if (!row || !row->besidesDigits)
        return text;
    QString accepted;
    for (const QChar character : text)
        if (character.unicode() >= u' ' && acceptsTypedCharacter(control, character))
            accepted += character;
    return accepted;
}

QString rangeMessage(const QString &control, const QString &text)
{
    const FieldRow *row = rowOf(control);
    if (!row || !row->range || !outOfRange(*row->range, readLeniently(text)))
        return {};
    return QString::fromUtf16(row->range->message);
}

QString focusControlOf(const QString &control)
{
    const FieldRow *row = rowOf(control);
    return row ? controlName(row->focus) : control;
}

QString fieldInWords(const QString &control)
{
    const FieldRow *row = rowOf(control);
    return row ? QString::fromUtf16(row->inWords) : QStringLiteral("Az egyik");
}

QString runRangeMessage(Field field, double value)
{
    const FieldRow &row = rowOf(field);
    return row.runRange && outOfRange(*row.runRange, value) ? runBoundMessage(field) : QString();
}

QString runBoundMessage(Field field)
{
    const FieldRow &row = rowOf(field);
    return row.runRange ? QString::fromUtf16(row.runRange->message) : QString();
}

std::vector<RunText> RunTexts(const BirthData &fields, const QString &calendarYearText)
{
    std::vector<RunText> texts;
    for (const FieldRow &row : fieldTable()) {
        if (row.converted || row.runRange)
            texts.push_back({row.field, row.text ? fields.*row.text : calendarYearText, row.converted,
                             row.wholeNumber});
    }
    return texts;
}

} // namespace ferolune
