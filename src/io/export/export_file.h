#pragma once

// What the window and the command line share when they save a calendar: the format a
// file name asks for and the name proposed for a year. The file is written whole or not
// at all (common/file_write.h).

#include "core/common/file_write.h"

#include <QString>

#include <optional>

namespace ferolune {

enum class ExportFormat { Pdf, Ics, Csv };

// The format named "pdf", "ics" or "csv" (any case), else nullopt.
std::optional<ExportFormat> FormatOfName(const QString &name);
// The format the suffix of `path` names (".pdf", ".ics", ".csv", any case), else nullopt.
std::optional<ExportFormat> FormatOfPath(const QString &path);
// "pdf", "ics" or "csv".
QString SuffixOf(ExportFormat format);
// "naptar-2027.ics": a name that says no more than a discreet file does, as the name is
// proposed before the file is known to be one.
QString ProposedFileName(int year, ExportFormat format);

} // namespace ferolune
