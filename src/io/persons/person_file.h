#pragma once

// A person saved by the user: every birth field and option as typed, the birthplace and
// the residence when chosen from the atlas, in a small JSON file (*.ferolune). Reading is all-or-nothing: a file
// that cannot be used in full changes nothing and says, in Hungarian, what is wrong.

#include "core/calendar/menstrual_cycle.h"
#include "core/common/file_write.h"
#include "core/common/result.h"
#include "io/form/birth_form.h"

#include <QByteArray>
#include <QString>

namespace ferolune {

inline const QString PersonFileSuffix = QStringLiteral("ferolune");
// A saved person holds a few hundred bytes, a thousand period starts some 16 KiB; anything
// beyond this is no person file.
inline constexpr qint64 PersonFileMaxBytes = 64 * 1024;

// A saved person: the birth fields as typed, her recorded menstrual cycle, and the id that
// keys the events of her exported calendars, so that a corrected name or birth minute
// keeps them.
struct SavedPerson {
    BirthForm form;
    CycleHistory cycle; // empty for a person saved without one
    QString eventKey;   // made once when she is first saved; empty in older files

    bool operator==(const SavedPerson &) const = default;
};

// The JSON text of a person.
QByteArray PersonJson(const SavedPerson &person);

// Reads a person from the bytes of a file, or the message that names the file (`path`)
// and what is wrong. Her cycle is checked as the cycle window checks it on `today`.
Expected<SavedPerson, QString> ParsePerson(const QByteArray &bytes, const QString &path,
                                           const QDate &today = QDate::currentDate());

// Reads and checks the whole file; only a regular file is read.
Expected<SavedPerson, QString> ReadPersonFile(const QString &path, const QDate &today = QDate::currentDate());

// Writes the person whole or not at all (WriteFileAtomically), readable by the user alone.
WriteResult WritePersonFile(const QString &path, const SavedPerson &person);

// True for a path the person reader takes (by its suffix), false for a chart file.
bool IsPersonFilePath(const QString &path);

} // namespace ferolune
