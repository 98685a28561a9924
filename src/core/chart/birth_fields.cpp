#include "core/chart/birth_fields.h"

#include "core/chart/field_rules.h"
#include "core/common/number_rules.h"
#include "core/common/run_error.h"

#include <cmath>
#include <optional>

namespace ferolune {

namespace {

std::optional<double> tryConvert(const QString &text)
{
    try {
        return convertToNumber(text);
    } catch (const RunError &) {
        return std::nullopt;
    }
}

} // namespace

void NormalizeBirthHour(BirthData &fields)
{
    // The net effect of the field's change rule re-running on its own writes.
    std::optional<double> value = tryConvert(fields.txtBirthHour);
    if (!value)
        return;
    if (*value == 0) {
        fields.txtBirthHour = fieldNumberText(12);
        return;
    }
    if (*value > 12) {
        // Lowering by 12 until the hour is 12 or less, in one step: an hour of 1E+300
        // from a chart file must not keep the rule busy for ever.
        fields.optAM = false;
        const double rest = std::fmod(*value, 12.0);
        fields.txtBirthHour = fieldNumberText(rest == 0 ? 12.0 : rest);
    }
}

void SetBirthHour(BirthData &fields, const QString &text)
{
    fields.txtBirthHour = text;
    NormalizeBirthHour(fields);
}

void Hour24To12(BirthData &fields)
{
    const double v = readLeniently(fields.Text1);
    if (v < 12) {
        SetBirthHour(fields, fields.Text1);
        fields.optAM = true;
    } else {
        SetBirthHour(fields, fieldNumberText(v - 12));
        fields.optAM = false;
    }
}

void Hour12To24(BirthData &fields)
{
    const double h = readLeniently(fields.txtBirthHour);
    const double whole = std::trunc(h);
    if (fields.optAM)
        fields.Text1 = whole == 12 ? fieldNumberText(h - 12) : fields.txtBirthHour;
    else
        fields.Text1 = whole == 12 ? fieldNumberText(h) : fieldNumberText(h + 12);
}

void SummerTimeStep(BirthData &fields, int newState)
{
    const double z = readLeniently(fields.txtTZ);
    const double shifted = newState == 1 ? z - 1 : z + 1;
    if (!std::isfinite(shifted))
        throw RunError::overflow(controlName(Field::txtTZ));
    fields.txtTZ = fieldNumberText(shifted);
}

void SideStep(BirthData &fields, bool east)
{
    const std::optional<double> z = tryConvert(fields.txtTZ);
    if (!z)
        return;
    fields.txtTZ = fieldNumberText(east ? -std::fabs(*z) : std::fabs(*z));
}

} // namespace ferolune
