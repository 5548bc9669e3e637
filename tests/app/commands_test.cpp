#include "app/io/lsystem_io.h"
#include "app/ui/form1.h"
#include "gui_test_support.h"
#include "lsystem/turtle.h"
#include "tests/core/session_fixture.h"

#include <QImage>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using app::TForm1;

namespace {

constexpr plane::Rgb white { 255, 255, 255 };
constexpr plane::Rgb red { 255, 0, 0 };

// The panel at start-up; commands are given through its real buttons.
class Commands : public ShownPanel {
protected:
    const plane::Raster& raster() const { return form.Draw2D().plane().raster(); }

    int CountPixels(plane::Rgb colour) const
    {
        int count = 0;
        for (int y = 0; y < raster().height(); ++y)
            for (int x = 0; x < raster().width(); ++x)
                count += raster().Pixel(x, y) == colour;
        return count;
    }

    plane::Rgb lineColour() const { return form.Draw2D().plane().lineColour(); }

    void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // Clicks Draw, lets the event loop run until the figure is drawn and returns the texts of
    // the error boxes shown meanwhile.
    std::vector<QString> Draw()
    {
        std::vector<QString> texts;
        const auto shown = CaptureMessageBoxes([this] {
            Click(form.Button1);
            EXPECT_TRUE(QTest::qWaitFor([this] { return !form.drawing(); }, 20000));
        });
        for (const ShownMessageBox& box : shown)
            texts.push_back(box.text);
        return texts;
    }
};

// Draw draws what the session draws from the panel's fields: the start-up curve, then every
// preset as its button sets the panel, each after a Clear.
TEST_F(Commands, DrawDrawsWhatTheSessionDrawsFromThePanelsFields)
{
    test_support::Session session;
    const auto drawn = [&] {
        EXPECT_TRUE(Draw().empty());
        session.Draw(form.ReadFields());
        EXPECT_TRUE(test_support::SamePixels(raster(), session.plane.raster()));
        EXPECT_EQ(lineColour(), session.plane.lineColour());
    };
    drawn();
    QAbstractButton* const presets[] = { form.RadioButtonKochIs, form.RadioButtonSierp1,
        form.RadioButtonSierp2, form.RadioButtonPlant1, form.RadioButtonPlant2,
        form.RadioButtonPlant3, form.RadioButtonPlant4, form.RadioButtonKochC };
    for (QAbstractButton* preset : presets) {
        SCOPED_TRACE(preset->objectName().toStdString());
        Click(preset);
        Click(form.Button3);
        session.session.Clear();
        drawn();
    }
}

// A preset's button fills the panel as the preset fills the fields the panel holds, its more
// rules too; clicking the checked one changes nothing.
TEST_F(Commands, APresetsButtonFillsThePanelWithItsFields)
{
    app::PanelFields fields = form.ReadFields();
    fields.random = "0.01";
    fields.substCount = 10;
    fields.moreRules = { { "X", "1", "F" } };
    form.SetFields(fields);
    const std::pair<QAbstractButton*, app::Preset> buttons[] = {
        { form.RadioButtonKochIs, app::Preset::KochIsland },
        { form.RadioButtonPlant4, app::Preset::Plant4 },
        { form.RadioButtonKochC, app::Preset::KochCurve },
    };
    for (const auto& [button, preset] : buttons) {
        SCOPED_TRACE(button->objectName().toStdString());
        app::PanelFields expected = form.ReadFields();
        app::ApplyPreset(preset, expected);
        Click(button);
        EXPECT_EQ(form.ReadFields(), expected);
    }
    form.EditAxiom->setText(QStringLiteral("FG"));
    Click(form.RadioButtonKochC);
    EXPECT_EQ(form.EditAxiom->text(), QStringLiteral("FG"));
}

// A Draw whose field fails shows the error in a box and draws nothing; a field the error names
// takes the focus.
TEST_F(Commands, AFailingFieldIsShownInABox)
{
    struct Row {
        const char* name;
        QLineEdit* field;
        const char* text;
        const char* message;
        bool takesFocus;
    };
    const Row rows[] = {
        { "equal window bounds", form.EditX2, "-1/10", "Floating point division by zero.", false },
        { "rejected expression", form.EditLength, "1/0",
            "'1/0' is not a valid expression: Dělení nulou.", true },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString kept = row.field->text();
        row.field->setText(QString::fromUtf8(row.text));
        EXPECT_EQ(Draw(), std::vector<QString> { QString::fromUtf8(row.message) });
        if (row.takesFocus) {
            EXPECT_EQ(form.focusWidget(), row.field);
        }
        EXPECT_EQ(CountPixels(white), 700 * 700);
        EXPECT_TRUE(form.Button1->isEnabled());
        row.field->setText(kept);
    }
}

// The angle is read with the user's decimal separator: a point where the user writes a comma
// does not convert either, and the message shows the text as typed.
TEST_F(Commands, AngleThatIsNoNumberIsShownAsTypedWithAFullStop)
{
    const struct {
        QLocale::Language language;
        const char* typed;
    } rows[] = { { QLocale::C, "45/2" }, { QLocale::C, "22,5" }, { QLocale::Czech, "22.5" },
        { QLocale::Czech, "2.2,5" } };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        form.setLocale(QLocale(row.language));
        form.EditAngle->setText(QString::fromLatin1(row.typed));
        EXPECT_EQ(Draw(),
            std::vector<QString> {
                QStringLiteral("'%1' is not a valid floating point value.").arg(row.typed) });
        EXPECT_EQ(CountPixels(white), 700 * 700);
    }
}

TEST_F(Commands, ClearWhitensThePlaneAndKeepsEverythingElse)
{
    Draw();
    const double scaleX = form.Draw2D().plane().ScaleX;
    Click(form.Button3);
    EXPECT_EQ(CountPixels(white), 700 * 700);
    EXPECT_EQ(form.EditAxiom->text(), QStringLiteral("F"));
    EXPECT_EQ(form.Draw2D().plane().ScaleX, scaleX);
    EXPECT_EQ(lineColour(), red);
    EXPECT_TRUE(form.figures().empty());
}

TEST_F(Commands, StopWhenIdleChangesNothingAndDrawsDrawTheWholeFigure)
{
    Draw();
    const int whole = CountPixels(red);
    Click(form.Button3);
    Click(form.Button2);
    EXPECT_EQ(CountPixels(white), 700 * 700);
    Draw();
    EXPECT_EQ(CountPixels(red), whole);
    ASSERT_EQ(form.figures().size(), 1u);
    EXPECT_EQ(form.figures()[0].symbolsWalked, app::DrawnFigure {}.symbolsWalked);
}

// A file in the book's notation comes through the panel whole: its rules, and a count beyond the
// panel's 10, which the spin box allows while the set is the book's and bounds again once a
// preset sets the panel's commands back.
TEST_F(Commands, ABookFileDrawsWhatTheSessionDrawsOfItsRules)
{
    const app::PanelFields file = app::OpenLSystemFile(
        QStringLiteral(LSYS_EXAMPLES_DIR "/book-signal-plant.lsys"), form.ReadFields());
    ASSERT_EQ(file.commands, lsystem::CommandSet::Book);
    ASSERT_GT(file.substCount, app::MaxSubstitutions);
    windows.SetFieldsFromOutside(file);
    EXPECT_EQ(form.ReadFields(), file);
    EXPECT_EQ(form.SpinEdit1->maximum(), app::MaxBookSubstitutions);
    EXPECT_TRUE(form.windowTitle().contains(QStringLiteral("book notation")));
    EXPECT_TRUE(Draw().empty());
    test_support::Session session;
    session.Draw(file);
    EXPECT_TRUE(test_support::SamePixels(raster(), session.plane.raster()));
    ASSERT_EQ(form.figures().size(), 1u);
    EXPECT_EQ(form.figures()[0].fields.bookRules, file.bookRules);

    Click(form.RadioButtonSierp1);
    EXPECT_EQ(form.ReadFields().commands, lsystem::CommandSet::Panel);
    EXPECT_EQ(form.SpinEdit1->maximum(), app::MaxSubstitutions);
    EXPECT_LE(form.SpinEdit1->value(), app::MaxSubstitutions);
    EXPECT_FALSE(form.windowTitle().contains(QStringLiteral("book notation")));
}

// A straight line of 5^10 one-pixel steps from the bottom of the plane to its top: long
// enough to be stopped while it is drawn.
class LongWalk : public Commands {
protected:
    void SetUp() override
    {
        Commands::SetUp();
        if (HasFatalFailure())
            return;
        Click(form.RadioButtonKochIs);
        form.EditAxiom->setText(QStringLiteral("F"));
        form.EditRuleF->setText(QStringLiteral("FFFFF"));
        form.EditLength->setText(QStringLiteral("1/5"));
        form.SpinEdit1->setValue(10);
        form.EditX1->setText(QStringLiteral("-0.5"));
        form.EditX2->setText(QStringLiteral("0.5"));
        form.EditY1->setText(QStringLiteral("0"));
        form.EditY2->setText(QStringLiteral("1"));
    }

    bool TopReached() const { return raster().Pixel(350, 2) != white; }
    bool FootDrawn() const { return raster().Pixel(350, 697) != white; }
    QProgressBar* Progress() const { return form.findChild<QProgressBar*>("DrawProgress"); }
};

TEST_F(LongWalk, StopEndsTheWalkAndKeepsWhatIsDrawn)
{
    bool inputDisabled = false;
    QTimer::singleShot(30, &form, [this, &inputDisabled] {
        inputDisabled = !form.Button1->isEnabled() && !form.Button3->isEnabled()
            && !form.EditAxiom->isEnabled() && !form.RadioButtonPlant1->isEnabled();
        Click(form.Button3); // disabled: ignored
        Click(form.Button2);
    });
    EXPECT_TRUE(Draw().empty());
    EXPECT_TRUE(inputDisabled);
    EXPECT_TRUE(FootDrawn());
    EXPECT_FALSE(TopReached());
    EXPECT_TRUE(form.Button1->isEnabled());
    EXPECT_EQ(form.figures().size(), 1u);
    // Nothing goes on drawing once Stop has ended the walk.
    const int whiteAfterStop = CountPixels(white);
    QTest::qWait(100);
    EXPECT_FALSE(form.drawing());
    EXPECT_EQ(CountPixels(white), whiteAfterStop);

    // The next Draw draws the whole line.
    Draw();
    EXPECT_TRUE(TopReached());
}

// The panel takes input while a figure is drawn: Stop acts at once, however early.
TEST_F(LongWalk, StopInTheFirstMillisecondsOfADraw)
{
    Click(form.Button1);
    ASSERT_TRUE(form.drawing());
    QTest::qWait(1);
    Click(form.Button2);
    EXPECT_FALSE(form.drawing());
    EXPECT_FALSE(TopReached());
    EXPECT_TRUE(form.Button1->isEnabled());
}

TEST_F(LongWalk, ProgressShowsOnlyWhileALongDrawRunsAndLeavesThePanelAsItWas)
{
    // 7^10 steps: seconds of drawing, however fast the machine.
    form.EditRuleF->setText(QStringLiteral("FFFFFFF"));
    form.EditLength->setText(QStringLiteral("1/7"));
    const QImage before = form.grab().toImage();
    QTimer::singleShot(700, &form, [this] {
        EXPECT_TRUE(Progress()->isVisible());
        EXPECT_GT(Progress()->value(), 0);
        Click(form.Button2);
    });
    Draw();
    EXPECT_FALSE(Progress()->isVisible());
    EXPECT_EQ(form.grab().toImage(), before);

    // A short figure never shows it.
    Click(form.RadioButtonKochC);
    bool shown = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] { shown = shown || Progress()->isVisible(); });
    poll.start(1);
    Draw();
    EXPECT_FALSE(shown);
}

// A command that throws what no handler expects ends the Draw, shows the box, and leaves the
// panel usable.
TEST_F(LongWalk, AnUnexpectedErrorInACommandEndsTheDrawAndShowsTheBox)
{
    Click(form.Button1);
    ASSERT_TRUE(form.drawing());
    const auto shown = CaptureMessageBoxes([this] { form.RunGuarded([] { throw 42; }); });
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("Unknown error."));
    EXPECT_FALSE(form.drawing());
    EXPECT_TRUE(form.Button1->isEnabled());
    EXPECT_TRUE(Draw().empty());
    EXPECT_TRUE(TopReached());
}

TEST_F(Commands, BranchesNestedTooDeeplyEndTheDrawWithTheDrawnPartStaying)
{
    Click(form.RadioButtonPlant2);
    form.EditAxiom->setText(QStringLiteral("F"));
    // 2000 more open branches with every "F" rewritten: 2000 * (2^10 - 1) in all.
    form.EditRuleF->setText(QStringLiteral("F") + QString(2000, QLatin1Char('(')) + "F");
    form.SpinEdit1->setValue(10);
    EXPECT_EQ(Draw(),
        std::vector<QString> { QStringLiteral("Branches nest deeper than 1048576 levels.") });
    EXPECT_TRUE(form.Button1->isEnabled());
    // What stays is what the session draws of the same fields before the walk fails.
    test_support::Session session;
    EXPECT_THROW(session.Draw(form.ReadFields()), lsystem::BranchDepthError);
    EXPECT_TRUE(test_support::SamePixels(raster(), session.plane.raster()));
    ASSERT_EQ(form.figures().size(), 1u);
    EXPECT_EQ(form.figures()[0].symbolsWalked, session.session.figures().at(0).symbolsWalked);
}

TEST_F(LongWalk, ExitDuringAWalkEndsTheWalkAndTheProgram)
{
    QTimer::singleShot(30, &form, [this] { Click(form.Button4); });
    EXPECT_TRUE(ProgramEndsLoop([this] { Click(form.Button1); }, 5000));
    EXPECT_FALSE(TopReached());
}

TEST_F(LongWalk, ClosingThePlaneDuringAWalkEndsTheWalkAndTheProgram)
{
    QTimer::singleShot(30, &form, [this] { form.Draw2D().close(); });
    EXPECT_TRUE(ProgramEndsLoop([this] { Click(form.Button1); }, 5000));
    EXPECT_FALSE(TopReached());
}

} // namespace
