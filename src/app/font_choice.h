#pragma once

#include <QFont>
#include <QString>

namespace ferolune {

// The font a window asks for by its classic name ("MS Sans Serif", "Arial", "Courier New"),
// or its metric-compatible Liberation substitute when the named family is not installed.
QFont ProgramFont(const QString &family, double pointSize, bool bold);

// The family actually used for `family` on this machine.
QString InstalledFamily(const QString &family);

} // namespace ferolune
