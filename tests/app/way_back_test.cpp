// The ways back and the ways in: Undo and Redo over the commands that replace the fields, the
// plane's Show Control Panel and Home, and an L-system pasted or dropped as text.

#include "app/core/formats/fractint_collection.h"
#include "app/core/formats/fractint_fields.h"
#include "app/core/formats/lsystem_file.h"
#include "app/ui/field_undo.h"
#include "app/ui/file_commands.h"
#include "app/ui/lsystem_clipboard.h"
#include "gui_test_support.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace {

using WayBack = ShownPanel;

QAction* ActionNamed(QWidget& window, const QString& text)
{
    for (QAction* action : window.actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

TEST_F(WayBack, UndoAfterAPresetGivesBackTheTypedFieldsAndRulesAndRedoThePreset)
{
    app::PanelFields typed = form.ReadFields();
    typed.axiom = "X";
    typed.moreRules = { { "X", "1", "F(+X)F(-X)+X" } };
    form.SetFields(typed);
    form.RadioButtonPlant3->click();
    const app::PanelFields preset = form.ReadFields();
    ASSERT_NE(preset, typed);

    form.Button1->setFocus(); // a text field would take the keys for its own typing
    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form.ReadFields(), typed);
    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form.ReadFields(), preset);
    ActionNamed(form, QStringLiteral("Undo"))->trigger();
    EXPECT_EQ(form.ReadFields(), typed);
}

TEST_F(WayBack, UndoGoesBackOverFitAndAZoomAndHomeShowsTheFiguresWindow)
{
    const app::PanelFields home = form.ReadFields();
    const auto drawn = [this] { return QTest::qWaitFor([this] { return !form.drawing(); }, 5000); };
    form.Button1->click();
    ASSERT_TRUE(drawn());
    emit form.Draw2D().zoomRequested(QPointF(350, 350), 3);
    ASSERT_TRUE(drawn());
    const app::PanelFields zoomed = form.ReadFields();
    ASSERT_NE(zoomed.x1, home.x1);

    ActionNamed(form.Draw2D(), QStringLiteral("Home"))->trigger();
    ASSERT_TRUE(drawn());
    EXPECT_EQ(form.ReadFields(), home);
    ActionNamed(form, QStringLiteral("Undo"))->trigger();
    EXPECT_EQ(form.ReadFields(), zoomed);
    ActionNamed(form, QStringLiteral("Undo"))->trigger();
    EXPECT_EQ(form.ReadFields(), home);
}

TEST_F(WayBack, ExploreSaysWhenTheZoomLimitIsReached)
{
    const auto done = [this] { return QTest::qWaitFor([this] { return !form.drawing(); }, 5000); };
    form.Button1->click();
    ASSERT_TRUE(done());
    ActionNamed(form.Draw2D(), QStringLiteral("Explore"))->trigger();
    const QString exploring = QStringLiteral("2D Graphic Plane — Explore");
    ASSERT_EQ(form.Draw2D().windowTitle(), exploring);
    emit form.Draw2D().zoomRequested(QPointF(350, 350), 200); // 1.25^200, beyond double precision
    EXPECT_EQ(form.Draw2D().windowTitle(), exploring + QStringLiteral(" — zoom limit reached"));
    emit form.Draw2D().zoomRequested(QPointF(350, 350), -1);
    EXPECT_EQ(form.Draw2D().windowTitle(), exploring);
    ActionNamed(form.Draw2D(), QStringLiteral("Explore"))->trigger();
}

TEST_F(WayBack, ShowControlPanelBringsBackAClosedPanel)
{
    form.close();
    EXPECT_FALSE(form.isVisible());
    ActionNamed(form.Draw2D(), QStringLiteral("Show Control Panel"))->trigger();
    EXPECT_TRUE(form.isVisible());
}

// Each text the paste reads fills the fields that opening the equivalent file fills.
TEST_F(WayBack, PastedTextsFillTheFieldsAsTheirFilesDo)
{
    QTemporaryDir folder;
    const auto opened = [&](const std::string& text) {
        const QString path = folder.filePath(QStringLiteral("plant.lsys"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.c_str());
        file.close();
        windows.files().OpenLSystem(path);
        return form.ReadFields();
    };
    const app::PanelFields start = form.ReadFields();
    const char* const fractint = "Plant {\n angle 8\n axiom X\n X=F[+X][-X]FX\n F=FF\n}\n";
    const app::FractintSystem system
        = std::get<app::FractintSystem>(app::ReadFractintCollection(fractint).entries[0].content);
    const struct {
        const char* name;
        const char* pasted;
        std::string file;
    } rows[] = {
        { "rules", "axiom X\nangle 25\nX=F(+X)F(-X)+X\nF=FF\n",
            "Lindenmayer L-system 2\naxiom = X\nangle = 25\nrule-f = FF\nrule-g = G\n"
            "rule = X -> F(+X)F(-X)+X\n" },
        { "file", "Lindenmayer L-system 1\naxiom = F\nrule-f = F-F++F-F\nsubstitutions = 4\n",
            "Lindenmayer L-system 1\naxiom = F\nrule-f = F-F++F-F\nsubstitutions = 4\n" },
        { "Fractint entry", fractint, app::FormatLSystem(app::FractintFields(system)) },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        form.SetFields(start);
        const app::PanelFields expected = opened(row.file);
        form.SetFields(start);
        QGuiApplication::clipboard()->setText(QString::fromUtf8(row.pasted));
        ActionNamed(form, QStringLiteral("Paste L-system"))->trigger();
        EXPECT_EQ(form.ReadFields(), expected);
    }
    // The fields copied read back as they are; Fractint's are given as an entry too.
    const app::PanelFields pasted = form.ReadFields();
    ActionNamed(form, QStringLiteral("Copy L-system"))->trigger();
    EXPECT_TRUE(QGuiApplication::clipboard()
                    ->mimeData()
                    ->data(QString::fromLatin1(app::LSystemClipboard::FractintEntryMimeType))
                    .startsWith("Lindenmayer {\n  Angle 8\n  Axiom X\n"));
    form.SetFields(start);
    windows.clipboard().Paste();
    EXPECT_EQ(form.ReadFields(), pasted);
}

TEST_F(WayBack, AnUnreadableTextChangesNothingAndSaysWhereAndADropReads)
{
    const app::PanelFields start = form.ReadFields();
    QGuiApplication::clipboard()->setText(QStringLiteral("axiom X\nnot a rule\n"));
    const auto boxes = CaptureMessageBoxes(
        [&] { ActionNamed(form, QStringLiteral("Paste L-system"))->trigger(); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("line 2:"))) << boxes[0].text.toStdString();
    EXPECT_EQ(form.ReadFields(), start);

    QMimeData data;
    data.setText(QStringLiteral("axiom X\nX -> F(-X)\n"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&form, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&form, &drop);
    EXPECT_EQ(form.ReadFields().axiom, "X");
    EXPECT_EQ(form.ReadFields().moreRules.size(), 1u);
}

} // namespace
