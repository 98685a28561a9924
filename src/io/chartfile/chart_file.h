#pragma once

// Import of a chart file saved by the sibling chart program Horavista: the name, birth
// date and hour, place, zone, summer-time flag and meridiem it holds, into the birth
// fields. The whole file is read and checked before any field changes, so a file that
// cannot be used leaves the record as it was.

#include "core/common/result.h"
#include "io/chartfile/value_list.h"
#include "io/form/birth_form.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace ferolune {

// Chart files come in two lengths; only the first 14 values are used.
inline constexpr qsizetype ChartFileShortLength = 14;
inline constexpr qsizetype ChartFileLongLength = 15;
// Real chart files hold a few hundred bytes; anything beyond this is no chart file.
inline constexpr qint64 ChartFileMaxBytes = 64 * 1024;

enum class ChartFileFailure {
    CannotOpen,     // missing or unreadable
    NotRegularFile, // a folder, a device, a FIFO: never read, so that nothing waits
    TooLarge,       // more than ChartFileMaxBytes
    NotChartFile,   // not text, or a text in the place of the birth date, hour or place
    TooFewValues,   // fewer than 14 values
    BadSummerTime,  // value 12 is not a whole number 0, 1 or 2
};

// The values of a usable chart file.
struct ChartFileValues {
    std::array<ChartValue, ChartFileShortLength> values;
    int summerTime = 0; // value 12 as a state of the summer-time box: 0, 1 or 2 (greyed)
};

// Why a chart file cannot be used, with the Hungarian message that says so (naming the file).
struct ChartFileRefusal {
    ChartFileFailure failure;
    QString message;
};

// Reads and checks the whole chart file; changes nothing.
Expected<ChartFileValues, ChartFileRefusal> ReadChartFile(const QString &path);

// Checks values read from a chart file: values 2 to 11 (the birth date, hour, place and
// zone) no text that is not a number, at least 14 values, and value 12 convertible to a
// whole number 0, 1 or 2 (nearest, halves to even; the truth value true is -1).
Expected<ChartFileValues, ChartFileFailure> CheckChartValues(const std::vector<ChartValue> &values);

// Puts checked values into the birth form: values 1 to 11 as field texts (value 5 through
// the 12-hour hour's change rule), value 12 into the summer-time box without touching the
// zone, value 14 chooses the meridiem, and the hour shown follows the 12-hour hour. The
// hemisphere choices stay as they are.
void ApplyChartFile(BirthForm &form, const ChartFileValues &file);

// "A(z) <file name> asztrógram nem olvasható be: <reason>"
QString ChartFileFailureMessage(const QString &path, ChartFileFailure failure);

// How the open-file dialog for chart files is set up.
struct ChartFileDialogSettings {
    QString title;  // "Asztrógram megnyitása"
    QString filter; // "Horavista file (*.hvs)"
};

ChartFileDialogSettings ChartFileDialog();

} // namespace ferolune
