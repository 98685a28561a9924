#pragma once

// Writing a whole file so that it either finishes or changes nothing: every file the
// program writes (a saved person, a calendar as PDF, iCalendar or CSV) goes through here.

#include "core/common/result.h"

#include <QByteArray>
#include <QString>

namespace ferolune {

// Nothing, or the Hungarian message naming the file and the cause.
using WriteResult = Expected<void, QString>;

// Who may read a new file: whoever the user's umask lets, or the user alone (a saved
// person, which holds her period dates).
enum class FileAccess { Shared, Private };

// Writes `bytes` to `path`, whole or not at all. A regular file, or a new one, is written
// to a temporary file beside it (".<name>.ferolune-tmp-<8 hex digits>") that replaces it
// only once every byte is on the disk and keeps the old file's permissions (a private
// file is the user's alone); on any failure the old file stays as it was and no temporary
// file is left. Temporary files of ours beside it older than ten minutes, which a killed
// write left, are removed first. A symbolic link is followed and its target written. A target
// that is not a regular file (a device such as /dev/null, a FIFO) is written into, never
// replaced.
[[nodiscard]] WriteResult WriteFileAtomically(const QString &path, const QByteArray &bytes,
                                              FileAccess access = FileAccess::Shared);

// Writes `bytes` whole to the program's standard output; one the program was started
// without is a failure.
[[nodiscard]] WriteResult WriteStandardOutput(const QByteArray &bytes);

// The system's error number `error` in Hungarian words ("megtelt a lemez").
QString SystemErrorText(int error);

} // namespace ferolune
