#pragma once

// Writing a whole file so that it either finishes or changes nothing: every file the
// program writes (a saved person, a calendar as PDF, iCalendar or CSV) goes through here.

#include "core/common/result.h"

#include <QByteArray>
#include <QString>

namespace ferolune {

// Nothing, or the Hungarian message naming the file and the cause.
using WriteResult = Expected<void, QString>;

// Writes `bytes` to `path`, whole or not at all. A regular file, or a new one, is written
// to a temporary file beside it that replaces it only once every byte is on the disk and
// keeps the old file's permissions; on any failure the old file stays as it was and no
// temporary file is left. A symbolic link is followed and its target written. A target
// that is not a regular file (a device such as /dev/null, a FIFO) is written into, never
// replaced.
[[nodiscard]] WriteResult WriteFileAtomically(const QString &path, const QByteArray &bytes);

// Writes `bytes` whole to the program's standard output.
[[nodiscard]] WriteResult WriteStandardOutput(const QByteArray &bytes);

} // namespace ferolune
