#pragma once

// The coupling rules of the birth fields, as plain functions on the field snapshot: the
// visible 24-hour hour against the hidden 12-hour hour and meridiem, the summer-time box
// and the east/west options against the zone. The main window and the chart file import
// both apply them.

#include "core/chart/birth_data.h"

namespace ferolune {

// Text1 (24-hour) to the hidden pair: below 12 the text is copied unchanged with "DE",
// otherwise v - 12 with "DU". The hidden hour is normalised as it is written.
void Hour24To12(BirthData &fields);

// The hidden pair to Text1: 12 "DE" shows 0, 12 "DU" 12, h "DU" h + 12, h "DE" unchanged.
void Hour12To24(BirthData &fields);

// Writes the hidden hour and runs its change rule, as every write of that field does:
// 0 becomes 12 (meridiem kept); above 12 it loses 12 until it is 12 or less and "DU" is
// selected; a text that is not a number is kept as it is.
void SetBirthHour(BirthData &fields, const QString &text);

// The change rule alone, on the text the hidden hour holds now.
void NormalizeBirthHour(BirthData &fields);

// The summer-time box was toggled to `newState` by the user: 1 lowers the zone by an
// hour, any other state raises it. The zone is read leniently (an empty zone is 0).
// Throws RunError when the result cannot be written.
void SummerTimeStep(BirthData &fields, int newState);

// The user chose east (zone made -|z|) or west (|z|). A zone that is not a number is
// left as it is.
void SideStep(BirthData &fields, bool east);

} // namespace ferolune
