#include "core/common/data_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

// The build passes the three directories (cmake/FeroluneInstall.cmake).
#if !defined(FEROLUNE_INSTALL_DATADIR) || !defined(FEROLUNE_BUILD_DATADIR) || !defined(FEROLUNE_SYSTEM_EPHE_DIR)
#error "data_paths.cpp needs FEROLUNE_INSTALL_DATADIR, FEROLUNE_BUILD_DATADIR and FEROLUNE_SYSTEM_EPHE_DIR"
#endif

namespace ferolune {

QString dataDirectory(const QString &executableDirectory)
{
    // FEROLUNE_INSTALL_DATADIR is relative to the installed executable's directory.
    const QString installed =
        QDir::cleanPath(QDir(executableDirectory).filePath(QStringLiteral(FEROLUNE_INSTALL_DATADIR)));
    const QString buildTree = QStringLiteral(FEROLUNE_BUILD_DATADIR);
    if (QFileInfo(installed).isDir() || buildTree.isEmpty())
        return installed;
    return buildTree;
}

QString dataDirectory()
{
    return dataDirectory(QCoreApplication::applicationDirPath());
}

QString systemEphemerisDirectory()
{
    return QStringLiteral(FEROLUNE_SYSTEM_EPHE_DIR);
}

} // namespace ferolune
