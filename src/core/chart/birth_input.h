#pragma once

// The birth data as the computation takes them: typed values, made once at each door the
// data come in by (the main window, the command line, a chart file, a saved person).

#include <QDateTime>
#include <QString>
#include <QTimeZone>

#include <cstdint>

namespace ferolune {

// The offset of a clock from universal time, as the birth data give it: the hours added to
// the local clock time to obtain universal time, so that a clock east of Greenwich has
// negative hours (-1 for Central European time, -2 in its summer). Summer time is in it.
// Single precision, as the chart has always read the zone.
struct UtcOffset {
    float hours = 0;

    static UtcOffset ofSecondsEast(int offsetSeconds);

    // The universal hour of a local clock hour (below 0 or past 24 it lies in the
    // neighbouring day), formed in single precision as the chart forms it.
    float universalHour(float localHour) const { return localHour + hours; }
    // Seconds ahead of universal time, as QTimeZone counts them.
    int secondsEast() const;
    // The fixed-offset zone of this clock; universal time for one beyond what a clock can
    // be (more than 14 hours).
    QTimeZone timeZone() const;
    // "UTC+1", "UTC+5:30", "UTC-3", "UTC".
    QString label() const;

    bool operator==(const UtcOffset &) const = default;
};

// The label of a clock by its offset from universal time, in seconds east: "UTC+1".
QString ClockLabel(int offsetSeconds);
QString ClockLabel(const QDateTime &moment);

// A point on the Earth in signed decimal degrees, east and north positive.
struct GeoPoint {
    double longitude = 0;
    double latitude = 0;
    bool operator==(const GeoPoint &) const = default;
};

// A place field as it stands: its text, and the atlas place it names when the user chose
// one (its GeoNames id, which stays the same across regenerations of the atlas).
struct PlaceChoice {
    QString text;
    int geonameId = 0; // 0: the text is only text

    bool isEmpty() const { return text.isEmpty() && geonameId == 0; }
    bool operator==(const PlaceChoice &) const = default;
};

// One birth: the person's name, the local date and clock time with the zone it was read
// on, the place, how many minutes the birth moment may be off either way, and the places
// chosen from the atlas (which only name the place and the clock of residence).
struct BirthInput {
    QString name;
    // The date as the chart reads it: 16-bit parts, a day the month has.
    std::int16_t year = 2000;
    std::int16_t month = 1;
    std::int16_t day = 1;
    // The local clock time on the 24-hour clock, and its minute (either may carry a
    // fraction, as a chart file's can).
    float hour = 0;
    float minute = 0;
    UtcOffset zone;
    GeoPoint place;
    int uncertaintyMinutes = 0; // 0: the birth minute is known
    PlaceChoice birthPlace;
    PlaceChoice residence;

    bool operator==(const BirthInput &) const = default;
};

// The same birth `minutes` later (earlier when negative), on the same clock.
BirthInput BirthMovedBy(const BirthInput &birth, int minutes);

} // namespace ferolune
