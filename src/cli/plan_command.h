#pragma once

// "ferolune-cli plan": the moon-phase days of the months ahead as a CSV table, a phone
// calendar or printed pages. It takes the birth, place, residence, cycle and uncertainty
// options of the export command, and a span in place of the calendar year.

#include "cli/export_command.h"
#include "core/calendar/plan.h"

#include <QDate>

namespace ferolune {

struct PlanCommandRequest {
    ExportRequest birthAndFile; // the export command's options; its year is the first of the span's
    QDate from;
    int months = DefaultPlanMonths;
    PlanFilter filter;
};

// The options only the plan command takes: --from, --months, --sex.
void AddPlanOptions(QCommandLineParser &parser);
// Whether one of them is set.
bool PlanOptionSet(const QCommandLineParser &parser);

// The request the parsed options make, the span starting `today` unless --from says otherwise;
// or the Hungarian message that refuses them.
Expected<PlanCommandRequest, CommandRefusal> PlanRequestOf(const QCommandLineParser &parser, AtlasSource &atlas,
                                                           const QDate &today);

// Checks the birth as the window does, makes the calendar of every year the span touches,
// writes the rows kept, and prints the chart lines and the angle caption on `out`.
ExitStatus RunPlanCommand(const PlanCommandRequest &request, Ephemeris &ephemeris, AtlasSource &atlas, QTextStream &out,
                          QTextStream &err);

} // namespace ferolune
