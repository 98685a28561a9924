#pragma once

// What the window and the command line share when they save a calendar: the format a
// file name asks for, the name proposed for a year, and the atomic write.

#include <QByteArray>
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
// "holdfazis-naptar-2027.ics".
QString ProposedFileName(int year, ExportFormat format);

struct WriteResult {
    QString error; // the Hungarian message naming the file; empty on success
    bool ok() const { return error.isEmpty(); }
};

// Writes `bytes` to `path` through a temporary file in the same folder that is renamed
// over the target only once everything is written, so a failure leaves neither a
// half-written file nor a stray temporary one, and an existing file stays as it was.
[[nodiscard]] WriteResult WriteFileAtomically(const QString &path, const QByteArray &bytes);

} // namespace ferolune
