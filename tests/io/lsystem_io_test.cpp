#include "app/lsystem_io.h"

#include "app/file_error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <optional>
#include <string>
#include <sys/resource.h>

namespace {

using app::PanelFields;

// Limits the size of the files this process writes, so that a write fails even for root; a
// write beyond the limit then fails with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_savedHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved {};
    void (*m_savedHandler)(int) = nullptr;
};

class LSystemIo : public testing::Test {
protected:
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    void Write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray Read(const QString& name) const
    {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QStringList Entries() const
    {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }

    // Runs `action`, which must throw FileError whose message starts with `what` and the
    // file's name and goes on with the reason; returns the message.
    template <typename Action>
    std::string FailureOf(Action action, const std::string& what, const QString& name) const
    {
        const std::string start
            = what + " \"" + QDir::toNativeSeparators(Path(name)).toStdString() + "\": ";
        try {
            action();
        } catch (const app::FileError& error) {
            const std::string message = error.what();
            EXPECT_TRUE(message.starts_with(start) && message.size() > start.size()) << message;
            return message;
        }
        ADD_FAILURE() << "no FileError";
        return {};
    }

    QTemporaryDir m_dir;
};

TEST_F(LSystemIo, SaveAddsTheExtensionOnlyToANameWithoutOne)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("sub.dir"));
    const struct {
        const char* name;
        const char* written;
    } rows[] = {
        { "figure", "figure.lsys" },
        { "figure.lsys", "figure.lsys" },
        { "figure.txt", "figure.txt" },
        { "sub.dir/plant", "sub.dir/plant.lsys" },
    };
    PanelFields fields;
    app::ApplyPreset(app::Preset::Plant1, ".", fields);
    fields.axiom = " Zürich \"F\" ";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString written = app::SaveLSystemFile(Path(row.name), fields);
        EXPECT_EQ(written, Path(row.written));
        EXPECT_EQ(app::OpenLSystemFile(written, {}), fields);
    }
}

TEST_F(LSystemIo, AFailedSaveNamesTheFileAndLeavesTheOldOneIntact)
{
    Write("old.lsys", "old contents");
    const QStringList before = Entries();
    PanelFields large;
    large.axiom = std::string(8192, 'F');
    const struct {
        const char* name;
        const char* written;
        rlim_t sizeLimit; // 0: none
    } rows[] = {
        { "missing/figure", "missing/figure.lsys", 0 },
        { "old.lsys", "old.lsys", 1024 },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::optional<FileSizeLimit> limit;
        if (row.sizeLimit != 0)
            limit.emplace(row.sizeLimit);
        FailureOf(
            [&] { app::SaveLSystemFile(Path(row.name), large); }, "Could not save", row.written);
    }
    EXPECT_EQ(Read("old.lsys"), "old contents");
    EXPECT_EQ(Entries(), before);
}

TEST_F(LSystemIo, OpenNamesTheFileAndWhatIsWrong)
{
    QByteArray oversized = "Lindenmayer L-system 1\n# ";
    oversized.append(app::MaxLSystemFileSize, 'x');
    Write("oversized.lsys", oversized);
    Write("count.lsys", "Lindenmayer L-system 1\naxiom = F\nsubstitutions = 11\n");
    Write("picture.png", "\x89PNG\r\n");
    const struct {
        const char* name;
        const char* fault;
    } rows[] = {
        { "missing.lsys", "" },
        { "oversized.lsys", "the file is larger than 1 MiB" },
        { "count.lsys", "line 3: the number of substitutions must be a whole number" },
        { "picture.png", "line 1: not an L-system file" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string message
            = FailureOf([&] { app::OpenLSystemFile(Path(row.name), PanelFields {}); },
                "Could not open", row.name);
        EXPECT_NE(message.find(row.fault), std::string::npos) << message;
    }
}

} // namespace
