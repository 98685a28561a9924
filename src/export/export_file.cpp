#include "export/export_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace ferolune {

namespace {

// Why `path` could not be written, in Hungarian where the cause can be told from the
// file system; otherwise Qt's own words.
QString failureReason(const QString &path, const QSaveFile &file)
{
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (target.isDir())
        return QStringLiteral("ezen a néven mappa áll");
    if (!folder.isDir())
        return QStringLiteral("a(z) %1 mappa nem létezik").arg(QDir::toNativeSeparators(folder.filePath()));
    if (!folder.isWritable())
        return QStringLiteral("a(z) %1 mappába nincs írási jog").arg(QDir::toNativeSeparators(folder.filePath()));
    if (target.exists() && !target.isWritable())
        return QStringLiteral("a fájl írásvédett");
    return file.errorString();
}

} // namespace

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
    return QStringLiteral("holdfazis-naptar-%1.%2").arg(year).arg(SuffixOf(format));
}

WriteResult WriteFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (written)
        return {};
    const QString reason = failureReason(path, file);
    return {QStringLiteral("A(z) %1 fájl nem írható: %2").arg(QDir::toNativeSeparators(path), reason)};
}

} // namespace ferolune
