#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr auto LSystemType = "text/x-lindenmayer-lsystem";

// Qt's MIME database reading only the program's entry, from a data folder laid out as an
// installation's share/: what a desktop that installed the package recognises.
class InstalledMimeEntry : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dataDir = new QTemporaryDir;
        const QDir data(s_dataDir->path());
        ASSERT_TRUE(data.mkpath("mime/packages"));
        ASSERT_TRUE(QFile::copy(LSYS_MIME_ENTRY, data.filePath("mime/packages/lsystem.xml")));
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        qputenv("XDG_DATA_DIRS", data.path().toUtf8());
    }

    static void TearDownTestSuite() { delete s_dataDir; }

    static inline QTemporaryDir* s_dataDir = nullptr;
    QMimeDatabase m_database;
};

TEST_F(InstalledMimeEntry, FilesNamedLsysAreLSystems)
{
    for (const char* name : { "koch-curve.lsys", "/home/user/Plant 3.lsys" }) {
        SCOPED_TRACE(name);
        EXPECT_EQ(
            m_database.mimeTypeForFile(name, QMimeDatabase::MatchExtension).name(), LSystemType);
    }
}

TEST_F(InstalledMimeEntry, ContentIsRecognisedByItsFirstLine)
{
    const struct {
        const char* content;
        bool isLSystem;
    } rows[] = {
        { "Lindenmayer L-system 1\naxiom = F\n", true },
        { "Lindenmayer L-system 1\r\n", true },
        { "Lindenmayer L-system 2\n", true },
        { "axiom = F\nLindenmayer L-system 1\n", false },
        { "# Lindenmayer L-system 1\n", false },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.content);
        EXPECT_EQ(m_database.mimeTypeForData(QByteArray(row.content)).name() == LSystemType,
            row.isLSystem);
    }
}

} // namespace
