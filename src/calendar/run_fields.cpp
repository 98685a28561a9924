#include "calendar/run_fields.h"

#include "common/number_rules.h"
#include "common/run_error.h"

#include <vector>

namespace ferolune {

namespace {

struct CheckedField {
    QString field;
    QString text;
    bool wholeNumber; // rounded to a 16-bit integer by the computation
};

QString fieldInWords(const QString &field)
{
    static const std::pair<const char *, const char *> words[] = {
        {"txtYear", "A születési év"},
        {"txtMonth", "A születési hónap"},
        {"txtDay", "A születési nap"},
        {"txtBirthHour", "A születési óra"},
        {"Text1", "A születési óra"},
        {"txtBirthMinute", "A születési perc"},
        {"txtTZ", "Az időzóna"},
        {"txtLongDeg", "A földrajzi hosszúság fokának"},
        {"txtLongMin", "A földrajzi hosszúság percének"},
        {"txtLatDeg", "A földrajzi szélesség fokának"},
        {"txtLatMin", "A földrajzi szélesség percének"},
        {"Text3", "A naptár évének (piros)"},
    };
    for (const auto &[name, phrase] : words) {
        if (field == QLatin1String(name))
            return QString::fromUtf8(phrase);
    }
    return QStringLiteral("Az egyik");
}

std::vector<CheckedField> fieldsOfRun(const BirthData &fields, const QString &calendarYearText)
{
    return {
        {QStringLiteral("txtYear"), fields.txtYear, true},
        {QStringLiteral("txtMonth"), fields.txtMonth, true},
        {QStringLiteral("txtDay"), fields.txtDay, true},
        {QStringLiteral("txtBirthHour"), fields.txtBirthHour, false},
        {QStringLiteral("txtBirthMinute"), fields.txtBirthMinute, false},
        {QStringLiteral("txtTZ"), fields.txtTZ, false},
        {QStringLiteral("txtLongDeg"), fields.txtLongDeg, false},
        {QStringLiteral("txtLongMin"), fields.txtLongMin, false},
        {QStringLiteral("txtLatDeg"), fields.txtLatDeg, false},
        {QStringLiteral("txtLatMin"), fields.txtLatMin, false},
        {QStringLiteral("Text3"), calendarYearText, true},
    };
}

} // namespace

QString UnreadableFieldMessage(const QString &field, bool overflow)
{
    const QString subject = fieldInWords(field) + QStringLiteral(" mezőjében ");
    if (overflow)
        return subject + QStringLiteral("túl nagy vagy túl kicsi szám áll.");
    return subject + QStringLiteral("nem szám áll. Kérem, javítsa ki!");
}

QString FocusControlOf(const QString &field)
{
    return field == QLatin1String("txtBirthHour") ? QStringLiteral("Text1") : field;
}

std::optional<FieldProblem> FindUnreadableField(const BirthData &fields, const QString &calendarYearText)
{
    for (const CheckedField &checked : fieldsOfRun(fields, calendarYearText)) {
        try {
            const double value = convertToNumber(checked.text, checked.field);
            if (checked.wholeNumber)
                toInt16(value, checked.field);
        } catch (const RunError &error) {
            return FieldProblem{checked.field, FocusControlOf(checked.field),
                                UnreadableFieldMessage(checked.field, error.number() == RunError::Overflow)};
        }
    }
    return std::nullopt;
}

} // namespace ferolune
