// What the arguments ask for: the windows (and which file they open), the help, the version, a
// run on the command line, or bad usage, which never opens the windows.

#include "app/io/command_line_options.h"
#include "app/io/file_name_bytes.h"
#include "app/io/launch.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using app::LaunchKind;

app::Launch Read(const QStringList& arguments)
{
    return app::ReadLaunch(QStringList { "Lindenmayer" } + arguments);
}

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
        { "two files", { "a.lsys", "b.lsys" }, LaunchKind::BadUsage,
            "^unexpected argument \"b.lsys\"$" },
        { "help among other options", { "--render", "x.png", "--help" }, LaunchKind::Help },
        { "help before an option given twice", { "--fit", "--fit", "-h" }, LaunchKind::Help },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const app::Launch launch = Read(row.arguments);
        EXPECT_EQ(launch.kind, row.kind);
        const QString detail = QString::fromUtf8(row.detail);
        if (row.kind == LaunchKind::BadUsage) {
            EXPECT_TRUE(launch.message.contains(QRegularExpression(detail)))
                << launch.message.toStdString();
        }
        if (row.kind == LaunchKind::Windows) {
            EXPECT_EQ(launch.options.file().value_or(QString()), detail);
        }
    }
}

// Every option of the table in every form the grammar gives it: its value after it (even one
// starting with a dash) or after "=", a flag alone, its short name; given twice; misused; and
// after "--", a file.
TEST(Launch, ReadsEveryOptionOfTheTableInEachForm)
{
    const QString value = QStringLiteral("-1,a=b");
    for (const app::CommandLineOption& option : app::CommandLineOptions()) {
        SCOPED_TRACE(option.name.toStdString());
        const QString dashed = QStringLiteral("--") + option.name;
        const QStringList valueAfter = option.takesValue() ? QStringList { value } : QStringList {};
        std::vector<QStringList> forms { QStringList { dashed } + valueAfter };
        if (option.takesValue())
            forms.push_back({ dashed + '=' + value });
        if (!option.shortName.isEmpty())
            forms.push_back(QStringList { '-' + option.shortName } + valueAfter);
        const LaunchKind kind = option.name == "help" ? LaunchKind::Help
            : option.name == "version"                ? LaunchKind::Version
                                                      : LaunchKind::Run;
        const QString given = option.takesValue() ? value : QString();
        for (const QStringList& form : forms) {
            SCOPED_TRACE(form.join(' ').toStdString());
            const app::Launch once = Read(form + QStringList { "--", dashed });
            EXPECT_EQ(once.kind, kind);
            const app::Launch twice = Read(form + form);
            if (kind != LaunchKind::Run) {
                EXPECT_EQ(twice.kind, kind);
                continue;
            }
            EXPECT_EQ(once.options.values(option.name), QStringList { given });
            EXPECT_EQ(once.options.file(), dashed);
            if (option.repeatable) {
                EXPECT_EQ(twice.options.values(option.name), QStringList({ given, given }));
            } else {
                EXPECT_EQ(twice.kind, LaunchKind::BadUsage);
                EXPECT_EQ(twice.message, dashed + " is given more than once");
            }
        }
        const app::Launch misused = Read({ option.takesValue() ? dashed : dashed + "=1" });
        EXPECT_EQ(misused.kind, LaunchKind::BadUsage);
        EXPECT_EQ(misused.message,
            option.takesValue()
                ? QStringLiteral("%1 needs a value: <%2>").arg(dashed, option.valueName)
                : dashed + " takes no value");
    }
}

// An argument's bytes survive as a QString, whatever they are; UTF-8 is decoded as such.
TEST(Launch, ArgumentsKeepTheirBytes)
{
    // Valid UTF-8 of one to four bytes, and sequences that are not: a surrogate's, one beyond
    // U+10FFFF, an overlong one, a stray continuation byte, a lead byte cut short.
    const QByteArray pieces[] = { "a", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
        "\xED\xB3\xBF", "\xF4\x90\x80\x80", "\xC0\xAF", "\x80", "\xFF", "\xE2\x82" };
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1);
    for (int trial = 0; trial < 2000; ++trial) {
        QByteArray bytes;
        for (int i = trial % 8; i > 0; --i)
            bytes += pieces[piece(random)];
        SCOPED_TRACE(bytes.toHex().toStdString());
        const QString decoded = app::FileNameFromBytes(bytes);
        EXPECT_EQ(app::FileNameBytes(decoded), bytes);
        if (QString::fromUtf8(bytes).toUtf8() == bytes) {
            EXPECT_EQ(decoded, QString::fromUtf8(bytes));
        }
    }
}

} // namespace
