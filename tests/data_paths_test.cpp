#include "core/common/data_paths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace ferolune;

// An installed program reads <prefix>/share/ferolune beside its bin directory; one run
// from the build tree, where that directory is missing, reads the source resources.
TEST(DataPaths, InstalledDataBesideTheProgramElseTheBuildTreeResources)
{
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
    const QString bin = prefix.filePath(QStringLiteral("bin"));

    const QString buildTree = dataDirectory(bin);
    EXPECT_TRUE(QFileInfo::exists(QDir(buildTree).filePath(QStringLiteral("ferolune-icon.svg")))) << buildTree.toStdString();

    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("share/ferolune")));
    EXPECT_EQ(dataDirectory(bin), QDir::cleanPath(prefix.filePath(QStringLiteral("share/ferolune"))));
}

TEST(DataPaths, SystemEphemerisDirectoryHoldsThePlanetFiles)
{
    const QDir system(systemEphemerisDirectory());
    if (!system.exists())
        GTEST_SKIP() << "no system ephemeris data (swe-basic-data)";
    EXPECT_TRUE(system.exists(QStringLiteral("sepl_18.se1")));
}
