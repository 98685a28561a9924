#include "calendar/run_fields.h"

#include "chart/field_rules.h"
#include "common/number_rules.h"
#include "common/run_error.h"

namespace ferolune {

QString UnreadableFieldMessage(const QString &field, bool overflow)
{
    const QString subject = fieldInWords(field) + QStringLiteral(" mezőjében ");
    if (overflow)
        return subject + QStringLiteral("túl nagy vagy túl kicsi szám áll.");
    return subject + QStringLiteral("nem szám áll. Kérem, javítsa ki!");
}

std::optional<FieldProblem> FindUnreadableField(const BirthData &fields, const QString &calendarYearText)
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

} // namespace ferolune
