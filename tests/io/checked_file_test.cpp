// Every file the program writes goes through the checked writer: the picture and L-system
// writers driven into a file size limit, onto what is not a regular file, through a symlink and
// to a name of the longest length.

#include "app/core/record/presets.h"
#include "app/io/animation_job.h"
#include "app/io/checked_file.h"
#include "app/io/figure_export.h"
#include "app/io/file_error.h"
#include "app/io/lsystem_io.h"
#include "app/io/write_target.h"
#include "tests/core/session_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <iterator>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <string>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using app::PanelFields;
using app::Preset;

// The tests expect the ending signals' default actions, whatever the shell that started them set
// (a shell without job control ignores SIGINT for commands it runs in the background).
const bool endingSignalsDefault = [] {
    for (const int signal : { SIGTERM, SIGINT, SIGHUP })
        std::signal(signal, SIG_DFL);
    return true;
}();

// Makes openat with O_TMPFILE fail in this process, as on a file system without it (seccomp).
void DenyUnnamedFiles()
{
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_openat, 0, 3),
        // The flags' low 32 bits (little-endian).
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[2])),
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, O_TMPFILE & ~O_DIRECTORY, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EOPNOTSUPP),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    const sock_fprog program { static_cast<unsigned short>(std::size(filter)), filter };
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0
        || prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0)
        _exit(3);
}

// A child process running `action`, which reports through a pipe.
class Child {
public:
    explicit Child(const std::function<void(int report)>& action)
    {
        int ends[2];
        if (pipe(ends) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            close(ends[0]);
            action(ends[1]);
            _exit(0);
        }
        close(ends[1]);
        m_report = ends[0];
    }
    ~Child()
    {
        close(m_report);
        if (m_pid > 0 && !m_ended) {
            kill(m_pid, SIGKILL);
            Wait();
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    pid_t pid() const { return m_pid; }

    // What the child has reported: some of it, or all until it ends.
    std::string Read(bool all)
    {
        std::string text;
        char buffer[4096];
        for (ssize_t count; (count = read(m_report, buffer, sizeof buffer)) > 0;) {
            text.append(buffer, static_cast<std::size_t>(count));
            if (!all)
                break;
        }
        return text;
    }

    // The signal that ended the child, or minus its exit status.
    int Wait()
    {
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_ended = true;
        return WIFSIGNALED(status) ? WTERMSIG(status) : -WEXITSTATUS(status);
    }

private:
    pid_t m_pid = -1;
    int m_report = -1;
    bool m_ended = false;
};

void Report(int report, const std::string& text)
{
    if (write(report, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
        _exit(2);
}

// Ends the test process if it blocks (on a FIFO) for longer than `seconds`: a failure instead of
// a hang.
class Watchdog {
public:
    explicit Watchdog(unsigned seconds) { alarm(seconds); }
    ~Watchdog() { alarm(0); }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
};

app::DrawnFigure FigureOf(Preset preset, int count = -1)
{
    return app::PrepareFigure(
        test_support::PresetFields(preset, "0", count), 0, {}, app::PlaneSize);
}

using Write = std::function<void(const QString& path)>;

Write Png(Preset preset, int size)
{
    return [=](const QString& path) {
        app::SaveFigures({ path, app::ImageFormat::Png }, { FigureOf(preset) }, size);
    };
}

Write Vector(app::ImageFormat format, Preset preset, int count)
{
    return [=](const QString& path) {
        app::SaveFigures({ path, format }, { FigureOf(preset, count) }, 0);
    };
}

Write Gif(Preset preset, int count, app::AnimationSettings settings)
{
    return
        [=](const QString& path) { app::SaveAnimation(path, FigureOf(preset, count), settings); };
}

Write LSystem(std::string axiom)
{
    return [=](const QString& path) {
        PanelFields fields;
        fields.axiom = axiom;
        app::SaveLSystemFile(path, fields);
    };
}

// One of each kind of file the program writes.
const struct {
    const char* name;
    Write write;
} writers[] = {
    { "PNG", Png(Preset::KochCurve, 700) },
    { "SVG", Vector(app::ImageFormat::Svg, Preset::KochCurve, 2) },
    { "GIF", Gif(Preset::KochCurve, 2, {}) },
    { "L-system file", LSystem("F") },
};

class FileWriting : public testing::Test {
protected:
    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    void Create(const char* name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray Read(const char* name) const
    {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QStringList Entries() const
    {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    // The type of what the name itself is (a symlink is not followed).
    mode_t TypeOf(const char* name) const
    {
        struct stat status { };
        return lstat(QFile::encodeName(Path(name)).constData(), &status) == 0
            ? status.st_mode & S_IFMT
            : 0;
    }

    // The message of the FileError `action` raises; none when it raises nothing.
    static std::string FailureOf(const std::function<void()>& action)
    {
        try {
            action();
        } catch (const app::FileError& error) {
            return error.what();
        }
        return "nothing raised";
    }

    std::string Message(const char* what, const char* name, const char* reason) const
    {
        return QStringLiteral("%1 \"%2\": %3")
            .arg(QString::fromLatin1(what), QDir::toNativeSeparators(Path(name)),
                QString::fromLatin1(reason))
            .toStdString();
    }

    QTemporaryDir m_dir;
};

// A file size limit (in a child, whose SIGXFSZ the writer must ignore) fails the save with the
// system's reason, whether the temporary file has a name or not.
TEST_F(FileWriting, AFailedWriteNamesTheReasonAndLeavesTheOldFileAsItWas)
{
    const struct {
        const char* name;
        const char* file;
        rlim_t sizeLimit;
        Write write;
        bool largerThanBuffer; // whether the file, written in full, is
        bool named = false; // whether the temporary file has a name (no O_TMPFILE)
    } rows[] = {
        { "a PNG within the writer's buffer, failing as it is put in place", "figure.png", 1000,
            Png(Preset::KochCurve, 700), false },
        { "a PNG larger than the buffer, failing while it is written", "figure.png", 1000,
            Png(Preset::Plant1, 2800), true },
        { "an SVG failing at its first byte", "figure.svg", 0,
            Vector(app::ImageFormat::Svg, Preset::KochCurve, 2), false },
        { "an SVG failing mid-document", "figure.svg", 100'000,
            Vector(app::ImageFormat::Svg, Preset::KochCurve, 7), true },
        { "a PDF failing mid-page", "figure.pdf", 100'000,
            Vector(app::ImageFormat::Pdf, Preset::KochCurve, 8), true },
        { "a PDF failing mid-page, its temporary file named", "figure.pdf", 100'000,
            Vector(app::ImageFormat::Pdf, Preset::KochCurve, 8), true, true },
        { "a GIF failing as it is put in place", "figure.gif", 1000,
            Gif(Preset::Plant3, 5, { app::AnimationKind::Growth }), false },
        { "a GIF failing mid-animation", "figure.gif", 80'000,
            Gif(Preset::Plant3, 6, { app::AnimationKind::Growth, 0, 1400 }), true },
        { "an L-system file", "figure.lsys", 1024, LSystem(std::string(8192, 'F')), false },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QByteArray old = "old contents";
        Create(row.file, old);
        const QStringList before = Entries();
        Child child([&](int report) {
            if (row.named)
                DenyUnnamedFiles();
            const rlimit limit { row.sizeLimit, RLIM_INFINITY };
            setrlimit(RLIMIT_FSIZE, &limit);
            Report(report, FailureOf([&] { row.write(Path(row.file)); }));
        });
        EXPECT_EQ(child.Read(true), Message("Could not save", row.file, "File too large"));
        EXPECT_EQ(child.Wait(), 0);
        EXPECT_EQ(Read(row.file), old);
        EXPECT_EQ(Entries(), before);

        // The premise: the file outgrows the limit, and the buffer or not.
        row.write(Path(row.file));
        const qint64 size = QFileInfo(Path(row.file)).size();
        EXPECT_GT(size, static_cast<qint64>(row.sizeLimit));
        EXPECT_EQ(size > app::CheckedFile::BufferSize, row.largerThanBuffer) << size;
        QFile::remove(Path(row.file));
    }
}

// A signal that ends the program mid-save leaves the old file and nothing else: the temporary
// file has no name, or has one and is removed.
TEST_F(FileWriting, AnEndingSignalLeavesNothingBehind)
{
    for (const bool named : { false, true }) {
        for (const int signal : { SIGTERM, SIGINT, SIGHUP }) {
            SCOPED_TRACE(testing::Message() << strsignal(signal) << (named ? ", named" : ""));
            const QByteArray old = "old contents";
            Create("figure.pdf", old);
            const QStringList before = Entries();
            Child child([&](int report) {
                if (named)
                    DenyUnnamedFiles();
                app::CheckedFile file(Path("figure.pdf"));
                file.Write(std::string(std::size_t { 1 } << 20, '%'));
                Report(report, "written");
                pause();
            });
            ASSERT_EQ(child.Read(false), "written");
            // The premise: the temporary file is there, with a name or none.
            EXPECT_EQ(Entries().size(), before.size() + named);
            kill(child.pid(), signal);
            EXPECT_EQ(child.Wait(), signal);
            EXPECT_EQ(Read("figure.pdf"), old);
            EXPECT_EQ(Entries(), before);
        }
    }
}

TEST_F(FileWriting, WhatIsNotARegularFileIsNeitherReadNorReplaced)
{
    const Watchdog watchdog(10);
    ASSERT_EQ(mkfifo(QFile::encodeName(Path("fifo.lsys")).constData(), 0600), 0);
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("folder.lsys")));
    ASSERT_TRUE(QFile::link(QStringLiteral("fifo.lsys"), Path("link-to-fifo.lsys")));
    const QStringList before = Entries();
    const struct {
        const char* name;
        mode_t type;
    } targets[] = {
        { "fifo.lsys", S_IFIFO },
        { "folder.lsys", S_IFDIR },
        { "link-to-fifo.lsys", S_IFLNK },
    };
    for (const auto& target : targets) {
        SCOPED_TRACE(target.name);
        const QString path = Path(target.name);
        EXPECT_EQ(FailureOf([&] { app::OpenLSystemFile(path, {}); }),
            Message("Could not open", target.name, "not a regular file"));
        for (const auto& writer : writers) {
            SCOPED_TRACE(writer.name);
            EXPECT_EQ(FailureOf([&] { writer.write(path); }),
                Message("Could not save", target.name, "not a regular file"));
            EXPECT_EQ(TypeOf(target.name), target.type);
        }
    }
    EXPECT_EQ(Entries(), before);
}

// Where the system would follow a link for open(), it is written through: the link stays and the
// file it leads to is replaced, or made when there is none.
TEST_F(FileWriting, ASymlinkIsWrittenThroughWhereTheSystemWouldFollowIt)
{
    const struct {
        const char* name;
        mode_t folderMode;
        bool targetExists;
    } rows[] = {
        { "a link to a file", 0700, true },
        { "a link to nothing yet", 0700, false },
        { "the user's own link in a shared sticky folder", 01777, true },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_EQ(chmod(QFile::encodeName(m_dir.path()).constData(), row.folderMode), 0);
        for (const auto& writer : writers) {
            SCOPED_TRACE(writer.name);
            if (row.targetExists)
                Create("target.lsys", "old contents");
            ASSERT_TRUE(QFile::link(QStringLiteral("target.lsys"), Path("link.lsys")));

            writer.write(Path("link.lsys"));
            EXPECT_EQ(QFileInfo(Path("link.lsys")).symLinkTarget(), Path("target.lsys"));
            EXPECT_NE(Read("target.lsys"), "old contents");
            EXPECT_FALSE(Read("target.lsys").isEmpty());
            EXPECT_EQ(Entries(), QStringList({ "link.lsys", "target.lsys" }));
            QFile::remove(Path("link.lsys"));
            QFile::remove(Path("target.lsys"));
        }
    }
}

// Another user's link planted in a shared folder would have the writer replace whatever file it
// names. Only root can give a link another owner.
TEST_F(FileWriting, AnotherUsersSymlinkInASharedStickyFolderIsRefused)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("shared")));
    ASSERT_EQ(chmod(QFile::encodeName(Path("shared")).constData(), 01777), 0);
    Create("secret.lsys", "old contents");
    ASSERT_TRUE(QFile::link(QStringLiteral("../secret.lsys"), Path("shared/out.lsys")));
    if (lchown(QFile::encodeName(Path("shared/out.lsys")).constData(), getuid() + 1, -1) != 0)
        GTEST_SKIP() << "a link of another user needs root";
    const QStringList before = Entries();

    for (const auto& writer : writers) {
        SCOPED_TRACE(writer.name);
        EXPECT_EQ(FailureOf([&] { writer.write(Path("shared/out.lsys")); }),
            Message("Could not save", "shared/out.lsys",
                "a symbolic link in a shared folder (sticky, writable by all) owned by another "
                "user; it is not followed"));
    }
    EXPECT_EQ(Read("secret.lsys"), "old contents");
    EXPECT_EQ(Entries(), before);
    EXPECT_EQ(QDir(Path("shared"))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
        QStringList { "out.lsys" });
}

// The temporary file's name fits beside any name the folder allows.
TEST_F(FileWriting, ANameOfTheLongestLengthIsReplacedAgain)
{
    const long longest = pathconf(QFile::encodeName(m_dir.path()).constData(), _PC_NAME_MAX);
    ASSERT_GT(longest, 5);
    const std::string name = std::string(static_cast<std::size_t>(longest) - 5, 'n') + ".lsys";
    for (const char* axiom : { "F", "G" }) {
        SCOPED_TRACE(axiom);
        LSystem(axiom)(Path(name.c_str()));
        EXPECT_TRUE(Read(name.c_str()).contains(QByteArray("axiom = ") + axiom));
        EXPECT_EQ(Entries(), QStringList { QString::fromStdString(name) });
    }
}

// The temporary file is the owner's alone until it replaces a file, whose permissions it takes.
TEST_F(FileWriting, AReplacedFileKeepsItsPermissionsAndANewOneHasTheUmasks)
{
    const auto permissions = [this](const char* name) {
        struct stat status { };
        return stat(QFile::encodeName(Path(name)).constData(), &status) == 0
            ? status.st_mode & 07777
            : 0;
    };
    const mode_t umaskBefore = umask(027);
    Create("old.lsys", "old contents");
    ASSERT_EQ(chmod(QFile::encodeName(Path("old.lsys")).constData(), 0604), 0);
    LSystem("F")(Path("old.lsys"));
    LSystem("F")(Path("new.lsys"));
    umask(umaskBefore);
    EXPECT_EQ(permissions("old.lsys"), 0604u);
    EXPECT_EQ(permissions("new.lsys"), 0640u);
}

TEST(SymlinkRule, ALinkInASharedStickyFolderIsFollowedWhenItIsTheUsersOrTheFolderOwners)
{
    constexpr uid_t user = 1000;
    constexpr uid_t root = 0;
    constexpr uid_t other = 1001;
    const struct {
        const char* name;
        uid_t linkOwner;
        uid_t folderOwner;
        mode_t folderMode;
        bool followed;
    } rows[] = {
        { "the user's, in a shared sticky folder", user, root, 01777, true },
        { "the folder owner's, in a shared sticky folder", root, root, 01777, true },
        { "another user's, in a shared sticky folder", other, root, 01777, false },
        { "another user's, in the user's own shared sticky folder", other, user, 01777, false },
        { "another user's, in a shared folder that is not sticky", other, root, 0777, true },
        { "another user's, in a sticky folder not writable by all", other, root, 01775, true },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(app::MayFollowLink({ row.linkOwner, row.folderOwner, row.folderMode }, user),
            row.followed);
    }
}

} // namespace
