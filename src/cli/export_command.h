#pragma once

// "ferolune-cli export": a calendar file from birth options or a chart file, without a window.
// The birth fields are filled as the main window would hold them, and the run goes through
// the same checks, messages and computation as a calendar run from the window.

#include "core/calendar/menstrual_cycle.h"
#include "core/chart/birth_data.h"
#include "io/export/export_file.h"
#include "io/export/ics_export.h"

#include <QString>

#include <variant>

class QCommandLineParser;
class QTextStream;

namespace ferolune {

class Ephemeris;

// The exit statuses of the command line.
enum ExitStatus {
    ExitSuccess = 0,
    ExitRefused = 1, // a field the window refuses, a year beyond the ephemeris, a file not written
    ExitUsage = 2,   // an option missing, unknown or not in its form
};

// "-o -" writes the calendar to standard output.
inline const QString StandardOutputPath = QStringLiteral("-");

struct ExportRequest {
    BirthData fields;
    QString calendarYearText;
    QString chartFile;  // the chart file or saved person the fields come from, if any
    QString outputPath; // StandardOutputPath for standard output
    ExportFormat format = ExportFormat::Csv;
    QString eventKey; // a saved person's key of her calendar events; empty otherwise
    IcsOptions ics;   // how an .ics is written
    CycleHistory cycle; // the menstrual cycle laid over the calendar; empty for none
};

// Why the options make no request, and the status the program ends with.
struct CommandRefusal {
    QString message;
    ExitStatus status = ExitUsage;
};

// The options of the export command, added to `parser`.
void AddExportOptions(QCommandLineParser &parser);

// The request the parsed options make, or the Hungarian message that refuses them (an
// option missing or not in its form, a chart file that cannot be read).
std::variant<ExportRequest, CommandRefusal> ExportRequestOf(const QCommandLineParser &parser);

// Checks the fields as the window does, computes the natal chart and scans the year, writes
// the file, and prints the chart lines and the angle caption on `out`. A refusal writes the
// window's message on `err` and no file.
ExitStatus RunExport(const ExportRequest &request, Ephemeris &ephemeris, QTextStream &out, QTextStream &err);

} // namespace ferolune
