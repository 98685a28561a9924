#pragma once

// What "ferolune" does with arguments: it opens the window and takes none of its own but
// --help and --version, and Qt's own window options. Any other argument is answered with
// the way to the command line, ferolune-cli, before a window or a display is needed.

#include <QStringList>

#include <optional>

class QTextStream;

namespace ferolune {

// The exit status when the arguments are answered here, nullopt when the window opens.
// `arguments` starts with the program's name.
std::optional<int> AnswerProgramArguments(const QStringList &arguments, QTextStream &out, QTextStream &err);

// What the window program says when it finds no display to open its window on.
QString NoDisplayMessage();

} // namespace ferolune
