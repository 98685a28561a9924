#pragma once

// The birth fields of the main window as the user left them: texts exactly as typed,
// options as selected. The window shows them and a saved person keeps them, so that a
// person opened again shows what was typed; the computation never sees them, only the
// typed values read from them (read_birth_form.h).

#include "core/chart/birth_input.h"

#include <QString>

namespace ferolune {

struct BirthForm {
    QString name = QStringLiteral("Ismeretlen");
    QString year = QStringLiteral("1973");
    QString month = QStringLiteral("2");
    QString day = QStringLiteral("26");
    QString hour = QStringLiteral("12");  // the hour shown, 24-hour clock
    QString hour12 = QStringLiteral("2"); // the same hour on the 12-hour clock, which the chart reads
    bool beforeNoon = true;               // the meridiem of hour12: "DE", else "DU"
    QString minute = QStringLiteral("50");
    QString zoneText = QStringLiteral("-1");
    int summerTime = 0; // the summer-time box: 0, 1 ticked, or 2 (greyed, only a chart file sets it)
    QString longitudeDegrees = QStringLiteral("19");
    QString longitudeMinutes = QStringLiteral("07");
    bool east = true;
    QString latitudeDegrees = QStringLiteral("47");
    QString latitudeMinutes = QStringLiteral("035");
    bool south = false;
    PlaceChoice birthPlace; // "SZÜLETÉSI HELY", optional
    PlaceChoice residence;  // "LAKÓHELY", optional
    QString uncertainty;    // "± PERC": minutes the birth moment may be off, empty = 0

    bool operator==(const BirthForm &) const = default;
};

} // namespace ferolune
