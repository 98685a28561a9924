#pragma once

#include <QString>

namespace ferolune {

// A place field as it stands: its text, and the atlas place it names when the user chose
// one (its GeoNames id, which stays the same across regenerations of the atlas).
struct PlaceChoice {
    QString text;
    int geonameId = 0; // 0: the text is only text

    bool isEmpty() const { return text.isEmpty() && geonameId == 0; }
    bool operator==(const PlaceChoice &) const = default;
};

// A snapshot of the birth fields of the main window, exactly as they hold them:
// texts as typed, options as selected. Member names are the controls they come from.
struct BirthData {
    QString txtName = QStringLiteral("Ismeretlen");
    QString txtYear = QStringLiteral("1973");
    QString txtMonth = QStringLiteral("2");
    QString txtDay = QStringLiteral("26");
    QString Text1 = QStringLiteral("12");       // visible hour, 24-hour clock
    QString txtBirthHour = QStringLiteral("2"); // hidden hour, 12-hour clock
    bool optAM = true;                          // meridiem "DE"; false means "DU"
    QString txtBirthMinute = QStringLiteral("50");
    QString txtTZ = QStringLiteral("-1");
    int Check1 = 0;                             // summer-time box: 0, 1, or 2 (greyed)
    QString txtLongDeg = QStringLiteral("19");
    QString txtLongMin = QStringLiteral("07");
    bool optEast = true;                        // false means "NYUGAT"
    QString txtLatDeg = QStringLiteral("47");
    QString txtLatMin = QStringLiteral("035");
    bool optSouth = false;                      // false means "ÉSZAK"
    PlaceChoice birthPlace;                     // "SZÜLETÉSI HELY", optional
    PlaceChoice residence;                      // "LAKÓHELY", optional
    QString txtUncertainty;                     // "± PERC": minutes the birth moment may be off, empty = 0

    bool operator==(const BirthData &) const = default;
};

} // namespace ferolune
