#pragma once

#include <QString>

namespace ferolune {

// Where the program's own data files (icons, the place atlas) live. An installed
// program keeps them under <prefix>/share/ferolune, found from its own directory so
// that the whole prefix can move; a program run from its build tree reads them from
// the source tree's resources directory.
QString dataDirectory(const QString &executableDirectory);

// dataDirectory() of the running program.
QString dataDirectory();

// The Swiss Ephemeris data directory of the system (Debian's swe-basic-data).
QString systemEphemerisDirectory();

} // namespace ferolune
