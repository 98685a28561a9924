#pragma once

// Reading a small file whole: the files the user opens (chart files, saved persons) hold
// a few hundred bytes, and anything far larger is no such file.

#include "core/common/result.h"

#include <QByteArray>
#include <QString>

namespace ferolune {

enum class SmallFileFailure {
    CannotOpen,     // missing or unreadable
    NotRegularFile, // a folder, a device, a FIFO or a socket
    CannotRead,     // opened, but reading it failed
    TooLarge,       // more than the limit
};

// The whole of the regular file at `path`, or why it cannot be had; at most `maxBytes`.
// Never waits: a FIFO without a writer or a device is refused at once, not read.
Expected<QByteArray, SmallFileFailure> ReadSmallFile(const QString &path, qint64 maxBytes);

// The end of a message that says why a file could not be read, in Hungarian: "a fájl nem
// nyitható meg.".
QString SmallFileFailureText(SmallFileFailure failure);

} // namespace ferolune
