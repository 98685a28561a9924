#pragma once

// ferolune-cli, the command line beside the program: "ferolune-cli export ..." writes a
// calendar file without a window, --help and --version answer.

#include <QStringList>

class QTextStream;

namespace ferolune {

class AtlasSource;
class Ephemeris;

// Makes the application the arguments need, runs it and returns the exit status: a
// calendar as PDF is drawn with Qt Gui on a platform that needs no display, everything
// else needs Qt Core alone.
int CommandLineMain(int argc, char *argv[]);

// The command line on an application already made: parses `arguments` (the program's name
// first) and runs what they ask for, on the program's ephemeris and atlas.
int RunCommandLine(const QStringList &arguments, Ephemeris &ephemeris, AtlasSource &atlas, QTextStream &out,
                   QTextStream &err);

} // namespace ferolune
