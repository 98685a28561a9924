#pragma once

// "ferolune-cli export": a calendar file from birth options or a chart file, without a window.
// The options become the same typed birth values the window reads from its fields, and the
// run goes through the same checks, messages and computation as a calendar run from the
// window.

#include "core/calendar/menstrual_cycle.h"
#include "core/chart/birth_rules.h"
#include "core/chart/natal_chart.h"
#include "core/common/result.h"
#include "io/export/export_file.h"
#include "io/export/ics_export.h"
#include "io/form/birth_form.h"

#include <QString>

#include <optional>

class QCommandLineParser;
class QTextStream;

namespace ferolune {

class AtlasSource;
class Ephemeris;

// The exit statuses of the command line.
enum ExitStatus {
    ExitSuccess = 0,
    ExitRefused = 1, // a value the window refuses, a year beyond the ephemeris, a file not written
    ExitUsage = 2,   // an option missing, unknown or not in its form
};

// "-o -" writes the calendar to standard output.
inline const QString StandardOutputPath = QStringLiteral("-");

// Why the options make no request, and the status the program ends with.
struct CommandRefusal {
    QString message;
    ExitStatus status = ExitUsage;
};

// Where the birth comes from: the birth options as numbers, or a chart file or saved
// person, whose fields are read as the window reads them.
struct BirthSource {
    std::optional<BirthNumbers> typed; // set for the birth options
    BirthForm file;                    // otherwise: the fields the file fills
    QString chartFile;                 // the chart file or saved person, if any
};

struct ExportRequest {
    BirthSource birth;
    QString calendarYearText;              // digits
    std::optional<QString> name;           // --name over the file's
    std::optional<int> uncertaintyMinutes; // --uncertainty over the file's
    PlaceChoice residence;                 // --residence, or the saved person's
    CycleHistory cycle;                    // the menstrual cycle laid over the calendar; empty for none
    QString eventKey;                      // a saved person's key of her calendar events; empty otherwise
    QString outputPath;                    // StandardOutputPath for standard output
    ExportFormat format = ExportFormat::Csv;
    IcsOptions ics; // how an .ics is written
};

// The commands that read the birth options: a calendar year's file, or the months ahead,
// which take no --year.
enum class CommandKind { Export, Plan };

// The options of the export command, added to `parser`.
void AddExportOptions(QCommandLineParser &parser);

// The request the parsed options make, or the Hungarian message that refuses them (an
// option missing or not in its form, a chart file that cannot be read, a place the atlas
// does not know).
Expected<ExportRequest, CommandRefusal> ExportRequestOf(const QCommandLineParser &parser, AtlasSource &atlas,
                                                        CommandKind command = CommandKind::Export);

// The birth and the calendar year, checked as the window checks them, or the window's
// message. A birth read from a file is named with the file; the calendar year is an
// option of its own.
Expected<CheckedRun, QString> CheckedRunOf(const ExportRequest &request);

// The five chart lines of the birth-data box and its angle caption, one a line.
QString ChartLines(const NatalChart &natal);

// Checks the birth as the window does, computes the natal chart and the calendar, writes
// the file, and prints the chart lines and the angle caption on `out`. A refusal writes the
// window's message on `err` and no file.
ExitStatus RunExport(const ExportRequest &request, Ephemeris &ephemeris, AtlasSource &atlas, QTextStream &out,
                     QTextStream &err);

} // namespace ferolune
