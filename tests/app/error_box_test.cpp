#include "app/ui/error_box.h"
#include "fpu/floating_point_error.h"
#include "gui_test_support.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

using app::ProgramTitle;
using app::WithFullStop;

namespace {

struct TextRow {
    const char* name;
    const char* input;
    const char* expected;
};

TEST(ProgramTitle, ExecutableNameUpToItsFirstFullStopLowerCasedAfterTheFirstLetter)
{
    const TextRow rows[] = {
        { "plain name", "/usr/bin/Lindenmayer", "Lindenmayer" },
        { "capitals", "/opt/LINDENMAYER", "Lindenmayer" },
        { "extension", "/opt/PROJECT1.EXE", "Project1" },
        { "several full stops", "/a/b.c/Lsys.tar.gz", "Lsys" },
        { "first letter kept as it is", "/x/lSystem", "lsystem" },
        { "non-ASCII letters", "/x/\xc3\x89LAN\xc5\x98.bin", "\xc3\x89lan\xc5\x99" },
        { "no directory", "Draw2D", "Draw2d" },
        { "nothing before the full stop", "/x/.hidden", "" },
    };
    for (const TextRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ProgramTitle(QString::fromUtf8(row.input)), QString::fromUtf8(row.expected));
    }
}

TEST(WithFullStop, AddedWhereTheLastCharacterSortsAfterFullStop)
{
    const TextRow rows[] = {
        { "letter", "Floating point overflow", "Floating point overflow." },
        { "quote", "'22,5' is not a valid floating point value",
            "'22,5' is not a valid "
            "floating point value." },
        { "digit", "value 5", "value 5." },
        { "slash, just after the full stop", "a/", "a/." },
        { "non-ASCII letter", "chyba v \xc4\x8d\xc3\xadsle \xc5\xa1",
            "chyba v "
            "\xc4\x8d\xc3\xadsle "
            "\xc5\xa1." },
        { "full stop", "Done.", "Done." },
        { "closing parenthesis", "(see above)", "(see above)" },
        { "hyphen, just before the full stop", "a-", "a-" },
        { "exclamation mark", "Stop!", "Stop!" },
        { "blank", "ends with a blank ", "ends with a blank " },
        { "empty", "", "" },
    };
    for (const TextRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(WithFullStop(QString::fromUtf8(row.input)), QString::fromUtf8(row.expected));
    }
}

TEST(ErrorBox, ShowsTheMessageWithTheErrorIconAnOkButtonAndTheProgramTitle)
{
    const std::vector<ShownMessageBox> shown = CaptureMessageBoxes(
        [] { app::ShowErrorBox(nullptr, QStringLiteral("Floating point overflow")); });
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].icon, QMessageBox::Critical);
    EXPECT_EQ(shown[0].title, ProgramTitle());
    EXPECT_EQ(shown[0].text, QStringLiteral("Floating point overflow."));
    EXPECT_EQ(shown[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

TEST(ErrorBox, ShowsMarkupAsPlainText)
{
    const std::vector<ShownMessageBox> shown
        = CaptureMessageBoxes([] { app::ShowErrorBox(nullptr, QStringLiteral("<b>x</b>")); });
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("<b>x</b>."));
}

TEST(ErrorBox, ShowsControlCharactersAndLookAlikeSpacesEscaped)
{
    const std::vector<ShownMessageBox> shown = CaptureMessageBoxes([] {
        app::ShowErrorBox(nullptr,
            QString::fromUtf8("'\x1B]0;x\x07\xC2\xA0' is not a valid floating point value"));
    });
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text,
        QStringLiteral("'\\x1B]0;x\\x07\\u00A0' is not a valid floating point value."));
}

} // namespace
