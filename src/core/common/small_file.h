#pragma once

// Reading a small file whole: the files the user opens (chart files, saved persons) hold
// a few hundred bytes, and anything far larger is no such file.

#include "core/common/result.h"

#include <QByteArray>
#include <QString>

namespace ferolune {

enum class SmallFileFailure {
    CannotOpen, // missing, unreadable, or not a file
    CannotRead, // opened, but reading it failed
    TooLarge,   // more than the limit
};

// The whole of the file at `path`, or why it cannot be had; at most `maxBytes`.
Expected<QByteArray, SmallFileFailure> ReadSmallFile(const QString &path, qint64 maxBytes);

} // namespace ferolune
