#include "app/io/lsystem_io.h"

#include "app/core/record/presets.h"
#include "app/core/record/rule_text.h"
#include "app/io/file_error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

using app::PanelFields;

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
    app::ApplyPreset(app::Preset::Plant1, fields);
    fields.axiom = " Zürich \"F\" ";
    fields.moreRules = { { "X", "2", "F(+X)" } };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString written = app::SaveLSystemFile(Path(row.name), fields);
        EXPECT_EQ(written, Path(row.written));
        EXPECT_EQ(app::OpenLSystemFile(written, {}), fields);
    }
}

TEST_F(LSystemIo, SaveRefusesANameOrFolderItCannotWriteAndNamesWhy)
{
    Write("old.lsys", "old contents");
    const QStringList before = Entries();
    const struct {
        const char* name;
        const char* shown; // the name the message gives
        const char* fault;
    } rows[] = {
        { "missing/figure", "missing/figure.lsys", "No such file or directory" },
        { "sub/", "sub/", "the name ends with a separator" },
        { "old.", "old.", "the name ends with a dot" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string message
            = FailureOf([&] { app::SaveLSystemFile(Path(row.name), PanelFields {}); },
                "Could not save", row.shown);
        EXPECT_TRUE(message.ends_with(row.fault)) << message;
    }
    EXPECT_EQ(Read("old.lsys"), "old contents");
    EXPECT_EQ(Entries(), before);
}

// A file that could not be opened again is never made, nor an old one replaced.
TEST_F(LSystemIo, SaveRefusesARuleThatCannotBeDrawnBeforeWritingAnything)
{
    Write("old.lsys", "old contents");
    PanelFields fields;
    fields.moreRules = { { "X", "1", "F" }, { "ab", "1", "F" } };
    EXPECT_THROW(app::SaveLSystemFile(Path("old.lsys"), fields), app::RuleError);
    EXPECT_THROW(app::SaveLSystemFile(Path("new.lsys"), fields), app::RuleError);
    EXPECT_EQ(Read("old.lsys"), "old contents");
    EXPECT_EQ(Entries(), QStringList { "old.lsys" });
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
