#include "io/export/export_file.h"

#include <QFileInfo>

namespace ferolune {

std::optional<ExportFormat> FormatOfName(const QString &name)
{
    const QString lower = name.toLower();
    if (lower == QLatin1String("pdf"))
        return ExportFormat::Pdf;
    if (lower == QLatin1String("ics"))
        return ExportFormat::Ics;
    if (lower == QLatin1String("csv"))
        return ExportFormat::Csv;
    return std::nullopt;
}

std::optional<ExportFormat> FormatOfPath(const QString &path)
{
    const QString fileName = QFileInfo(path).fileName();
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0) // no suffix, or a bare ".ics" that is all suffix
        return std::nullopt;
    return FormatOfName(fileName.mid(dot + 1));
}

QString SuffixOf(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Pdf:
        return QStringLiteral("pdf");
    case ExportFormat::Ics:
        return QStringLiteral("ics");
    case ExportFormat::Csv:
        break;
    }
    return QStringLiteral("csv");
}

QString ProposedFileName(int year, ExportFormat format)
{
    return QStringLiteral("naptar-%1.%2").arg(year).arg(SuffixOf(format));
}

} // namespace ferolune
