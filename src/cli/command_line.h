#pragma once

// The program started with arguments works from the command line and opens no window:
// "ferolune export ..." writes a calendar file, --help and --version answer.

#include <QStringList>

class QTextStream;

namespace ferolune {

class Ephemeris;

// Makes the application for the command line, runs it and returns the exit status.
int CommandLineMain(int argc, char *argv[]);

// The command line on an application already made: parses `arguments` (the program's name
// first) and runs what they ask for.
int RunCommandLine(const QStringList &arguments, Ephemeris &ephemeris, QTextStream &out, QTextStream &err);

} // namespace ferolune
