// What the arguments ask for: the windows (and which file they open), the help, the version, a
// run on the command line, or bad usage, which never opens the windows.

#include "app/io/launch.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

using app::LaunchKind;

TEST(Launch, DecidesWhatTheArgumentsAskFor)
{
    struct Row {
        const char* name;
        QStringList arguments; // after the program's name
        LaunchKind kind;
        const char* detail = ""; // the Windows' file, or a pattern the BadUsage message matches
    };
    const Row rows[] = {
        { "nothing: the windows", {}, LaunchKind::Windows },
        { "a file: the windows with it", { "a.lsys" }, LaunchKind::Windows, "a.lsys" },
        { "after --, a file starting with a dash", { "--", "-x.lsys" }, LaunchKind::Windows,
            "-x.lsys" },
        { "after --, an option's name is a file", { "--", "--render" }, LaunchKind::Windows,
            "--render" },
        { "a file starting with a dash is an option", { "-x.lsys" }, LaunchKind::BadUsage,
            "^unknown option \"-x.lsys\"$" },
        { "a lone dash is an option", { "-" }, LaunchKind::BadUsage, "^unknown option \"-\"$" },
        { "a misspelt option", { "--rendr", "x.png" }, LaunchKind::BadUsage,
            "^unknown option \"--rendr\": did you mean --render\\?$" },
        { "an option in capitals", { "--RENDER", "x.png" }, LaunchKind::BadUsage,
            "did you mean --render\\?$" },
        { "a long name after one dash", { "-render", "x.png" }, LaunchKind::BadUsage,
            "did you mean --render\\?$" },
        { "a short option in capitals", { "-V" }, LaunchKind::BadUsage, "did you mean -v\\?$" },
        { "the start of one name", { "--trans" }, LaunchKind::BadUsage,
            "did you mean --transparent\\?$" },
        { "two letters swapped, with a value", { "--sede=4" }, LaunchKind::BadUsage,
            "^unknown option \"--sede=4\": did you mean --seed\\?$" },
        { "an unknown option after known ones", { "--render", "x.png", "--colour", "red" },
            LaunchKind::BadUsage, "^unknown option \"--colour\"$" },
        { "an unknown option before --help", { "--bogus", "--help" }, LaunchKind::BadUsage,
            "\"--bogus\"" },
        { "an option without its value", { "--render", "x.png", "--size" }, LaunchKind::BadUsage,
            "^--size needs a value: <pixels>$" },
        { "a value given to a flag", { "--render", "x.png", "--fit=yes" }, LaunchKind::BadUsage,
            "^--fit takes no value$" },
        { "two files", { "a.lsys", "b.lsys" }, LaunchKind::BadUsage,
            "^unexpected argument \"b.lsys\"$" },
        { "help among other options", { "--render", "x.png", "--help" }, LaunchKind::Help },
        { "the version", { "-v" }, LaunchKind::Version },
        { "a value starting with a dash, a file after --",
            { "--render=x.png", "--angle", "-30", "--", "-x.lsys" }, LaunchKind::Run },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const app::Launch launch = app::ReadLaunch(QStringList { "Lindenmayer" } + row.arguments);
        EXPECT_EQ(launch.kind, row.kind);
        const QString detail = QString::fromUtf8(row.detail);
        if (row.kind == LaunchKind::BadUsage) {
            EXPECT_TRUE(launch.message.contains(QRegularExpression(detail)))
                << launch.message.toStdString();
        }
        if (row.kind == LaunchKind::Windows) {
            EXPECT_EQ(launch.file.value_or(QString()), detail);
        }
    }
}

} // namespace
