#include "app/paths/example_paths.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// An installation prefix in a temporary folder holding bin/ and, when asked, the examples.
class InstalledTree : public testing::Test {
protected:
    QString MakePrefix(bool withExamples)
    {
        const QDir root(m_prefix.path());
        EXPECT_TRUE(root.mkpath("bin"));
        if (withExamples) {
            EXPECT_TRUE(root.mkpath("share/lindenmayer/examples"));
        }
        return root.filePath("bin");
    }

    QTemporaryDir m_prefix;
};

TEST_F(InstalledTree, ExamplesFoundBesideTheInstalledExecutable)
{
    const QString bin = MakePrefix(true);
    EXPECT_EQ(app::ExamplesDirectoryFrom(bin), m_prefix.filePath("share/lindenmayer/examples"));
}

TEST_F(InstalledTree, WithoutInstalledExamplesTheSourceTreeFolderIfPresent)
{
    const QString bin = MakePrefix(false);
    const QDir sourceExamples(QStringLiteral(LSYS_SOURCE_DIR "/examples"));
    EXPECT_EQ(app::ExamplesDirectoryFrom(bin),
        sourceExamples.exists() ? sourceExamples.path() : QString());
}
