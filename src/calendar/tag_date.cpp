#include "calendar/calendar_run.h"

#include "common/number_rules.h"

namespace ferolune {

// The tag is four characters: month then day, each padded with "-" when it has one digit,
// so the lenient reading of the first and the last two characters stops at the "-".
TagDate DateOfTag(const QString &tag)
{
    return {static_cast<float>(readLeniently(tag.left(2))), static_cast<float>(readLeniently(tag.right(2)))};
}

} // namespace ferolune
