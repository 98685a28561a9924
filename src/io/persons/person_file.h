#pragma once

// A person saved by the user: every birth field and option as typed, the birthplace and
// the residence when chosen from the atlas, in a small JSON file (*.ferolune). Reading is all-or-nothing: a file
// that cannot be used in full changes nothing and says, in Hungarian, what is wrong.

#include "core/chart/birth_data.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace ferolune {

inline const QString PersonFileSuffix = QStringLiteral("ferolune");
// A saved person holds a few hundred bytes; anything beyond this is no person file.
inline constexpr qint64 PersonFileMaxBytes = 1024 * 1024;

struct PersonFileRead {
    std::optional<BirthData> person; // empty when the file cannot be used
    QString message;                 // names the file and what is wrong; empty on success
};

// The JSON text of a person.
QByteArray PersonJson(const BirthData &person);

// Reads a person from the bytes of a file; `path` names the file in the message.
PersonFileRead ParsePerson(const QByteArray &bytes, const QString &path);

// Reads and checks the whole file.
PersonFileRead ReadPersonFile(const QString &path);

// Writes the person whole or not at all (WriteFileAtomically). Returns an empty text, or
// the Hungarian message naming the file and the cause.
QString WritePersonFile(const QString &path, const BirthData &person);

// True for a path the person reader takes (by its suffix), false for a chart file.
bool IsPersonFilePath(const QString &path);

} // namespace ferolune
