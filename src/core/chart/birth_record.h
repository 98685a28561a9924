#pragma once

// The birth data as the computation takes them: numbers, read once from the fields with
// the precision the chart has always used (16-bit date parts, single-precision zone and
// clock time, the place in signed decimal degrees).

#include <cstdint>

namespace ferolune {

struct BirthRecord {
    std::int16_t year = 0;
    std::int16_t month = 0;
    std::int16_t day = 0;
    // Hours added to the local clock time to obtain universal time (east of Greenwich
    // negative); summer time is already in it.
    float zoneHours = 0;
    // The local clock time on the 24-hour clock (the meridiem applied) and its minute.
    float hour = 0;
    float minute = 0;
    // East and north positive, rounded to 15 significant digits.
    double longitude = 0;
    double latitude = 0;

    bool operator==(const BirthRecord &) const = default;
};

} // namespace ferolune
