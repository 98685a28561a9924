#pragma once

// The questions before a calendar or the planner's list is written to a file: which file,
// which format, and for a phone's calendar what it may show.

#include "io/export/export_file.h"
#include "io/export/ics_export.h"

#include <QString>

#include <optional>
#include <vector>

class QWidget;

namespace ferolune {

class Dialogs;

// What is saved, in the two forms the questions need: "naptár" / "naptárt".
struct SavedThing {
    QString name;
    QString accusative;
};

struct SaveChoice {
    QString path;
    ExportFormat format;
    IcsOptions ics; // for an .ics
};

// The file she names, in one of `formats` (the first is offered first, and taken for a name
// without a suffix), proposed as `proposedName`; nullopt when she cancels, or names a type
// the program does not write, which she is told.
std::optional<SaveChoice> ChooseSaveFile(QWidget *parent, Dialogs &dialogs, const SavedThing &thing,
                                         const QString &proposedName, const std::vector<ExportFormat> &formats);

// With no printer: whether she would save a PDF instead, and where; empty when not.
QString ChoosePdfInsteadOfPrint(QWidget *parent, Dialogs &dialogs, const SavedThing &thing,
                                const QString &proposedName);

} // namespace ferolune
