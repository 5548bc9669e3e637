// The wiring of the commands beyond the panel's buttons: fitting the window to the figure,
// zooming and panning from the plane, files dropped on the windows, copying and saving images.
// What the session does for them is tested on the session itself.

#include "app/ui/file_commands.h"
#include "app/ui/form1.h"
#include "expr/evaluator.h"
#include "gui_test_support.h"
#include "tests/core/session_fixture.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLocale>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <cmath>

#include <gtest/gtest.h>

namespace {

class PlaneView : public ShownPanel {
protected:
    void WaitForDrawing()
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !form.drawing(); }, 20000));
    }

    // Draw in the window -1 to 1 on both axes.
    void DrawInTheSquareAboutTheOrigin()
    {
        form.EditX1->setText(QStringLiteral("-1"));
        form.EditX2->setText(QStringLiteral("1"));
        form.EditY1->setText(QStringLiteral("-1"));
        form.EditY2->setText(QStringLiteral("1"));
        QTest::mouseClick(form.Button1, Qt::LeftButton);
        WaitForDrawing();
    }

    static double Value(const QLineEdit* field)
    {
        std::string error;
        const double value = expr::Evaluate(field->text().toStdString(), error, {});
        EXPECT_EQ(error, "");
        return value;
    }
    // The window fields read back are exactly the window the plane shows.
    void ExpectFieldsShowTheWindow()
    {
        const auto& window = form.session().shownWindow();
        ASSERT_TRUE(window);
        EXPECT_EQ(Value(form.EditX1), window->x1);
        EXPECT_EQ(Value(form.EditX2), window->x2);
        EXPECT_EQ(Value(form.EditY1), window->y1);
        EXPECT_EQ(Value(form.EditY2), window->y2);
    }
    void ExpectFields(const char* x1, const char* x2, const char* y1, const char* y2)
    {
        EXPECT_EQ(form.EditX1->text(), QString(x1));
        EXPECT_EQ(form.EditX2->text(), QString(x2));
        EXPECT_EQ(form.EditY1->text(), QString(y1));
        EXPECT_EQ(form.EditY2->text(), QString(y2));
    }

    // The plane shows what a session draws from the panel's fields, in the window they show.
    void ExpectTheFigureDrawnInTheFieldsWindow()
    {
        test_support::Session session;
        session.Draw(form.ReadFields());
        EXPECT_TRUE(
            test_support::SamePixels(form.Draw2D().plane().raster(), session.plane.raster()));
    }

    // What the plane shows.
    QImage Shown() const
    {
        const plane::Raster& raster = form.Draw2D().plane().raster();
        return QImage(
            raster.bits(), raster.width(), raster.height(), raster.stride(), QImage::Format_RGB888)
            .copy();
    }
    QWidget* image() { return form.Draw2D().Image1; }
};

TEST_F(PlaneView, FitFromThePanelReplacesAnUnreadableWindowAndDraws)
{
    QTest::mouseClick(form.RadioButtonPlant1, Qt::LeftButton);
    form.EditRandom->setText(QStringLiteral("0.05"));
    form.EditX1->setText(QStringLiteral("a"));
    form.EditX2->setText(QStringLiteral("1/0"));
    form.FitToFigure();
    WaitForDrawing();
    ASSERT_EQ(form.figures().size(), 1u);
    EXPECT_EQ(form.figures()[0].fields, form.ReadFields());
    ExpectFieldsShowTheWindow();
    ExpectTheFigureDrawnInTheFieldsWindow();
}

TEST_F(PlaneView, AWheelNotchZoomsAboutTheCursorAndADragPans)
{
    QTest::mouseClick(form.RadioButtonKochIs, Qt::LeftButton);
    DrawInTheSquareAboutTheOrigin();

    // Pixel (525, 175) is world (0.5, 0.5); one notch shows 1.25 times the detail about it.
    QWheelEvent notch(QPointF(525, 175), image()->mapToGlobal(QPointF(525, 175)), QPoint(),
        QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(image(), &notch);
    ExpectFields("-0.7", "0.9", "-0.7", "0.9");
    ExpectFieldsShowTheWindow();
    WaitForDrawing();
    ExpectTheFigureDrawnInTheFieldsWindow();

    // 70 pixels to the right at 700 / 1.6 pixels a unit: the window moves 0.16 to the left.
    QTest::mousePress(image(), Qt::LeftButton, {}, QPoint(350, 350));
    QTest::mouseMove(image(), QPoint(420, 350));
    QTest::mouseRelease(image(), Qt::LeftButton, {}, QPoint(420, 350));
    ExpectFields("-0.86", "0.74", "-0.7", "0.9");
    ExpectFieldsShowTheWindow();
    WaitForDrawing();
    EXPECT_EQ(form.figures().size(), 1u);
    ExpectTheFigureDrawnInTheFieldsWindow();
}

// The panel shows the angle and the window with its locale's decimal separator and hands the
// session numbers with a point.
TEST_F(PlaneView, TheFieldsShowNumbersWithTheLocaleSeparator)
{
    form.setLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    QTest::mouseClick(form.RadioButtonPlant3, Qt::LeftButton);
    EXPECT_EQ(form.EditAngle->text(), QStringLiteral("22,5"));
    EXPECT_EQ(form.ReadFields().angle, "22.5");
    DrawInTheSquareAboutTheOrigin();
    ASSERT_EQ(form.figures().size(), 1u);
    EXPECT_EQ(form.figures()[0].walk.params.Angle, 22.5);

    QWheelEvent notch(QPointF(525, 175), image()->mapToGlobal(QPointF(525, 175)), QPoint(),
        QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(image(), &notch);
    ExpectFields("-0,7", "0,9", "-0,7", "0,9");
    WaitForDrawing();

    form.FitToFigure();
    WaitForDrawing();
    ExpectFieldsShowTheWindow();
    for (const QLineEdit* field : { form.EditX1, form.EditX2, form.EditY1, form.EditY2 })
        EXPECT_FALSE(field->text().contains(QLatin1Char('.'))) << field->text().toStdString();
}

// Opening fills every field as saved and checks the saved preset without its handler filling
// the fields with the preset's own values.
TEST_F(PlaneView, AFileDroppedOnEitherWindowIsOpened)
{
    QTemporaryDir folder;
    QTest::mouseClick(form.RadioButtonPlant1, Qt::LeftButton);
    form.EditAxiom->setText(QStringLiteral("FG"));
    const app::PanelFields saved = form.ReadFields();
    const QString path = windows.files().SaveLSystem(folder.filePath(QStringLiteral("drop")));
    EXPECT_TRUE(path.endsWith(QLatin1String("drop.lsys")));

    QMimeData data;
    data.setUrls({ QUrl::fromLocalFile(path) });
    QWidget* const targets[] = { form.EditRuleF, &form.Draw2D() };
    for (QWidget* target : targets) {
        QTest::mouseClick(form.RadioButtonKochC, Qt::LeftButton);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(target, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(target, &drop);
        EXPECT_EQ(form.ReadFields(), saved);
        EXPECT_TRUE(form.RadioButtonPlant1->isChecked());
    }
}

TEST_F(PlaneView, CopyImagePutsThePlanesPixelsOnTheClipboard)
{
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    WaitForDrawing();
    windows.files().CopyImage();
    EXPECT_EQ(
        QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB888), Shown());
}

TEST_F(PlaneView, SavingIsNotOfferedWhileDrawingAndAFailureIsShown)
{
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    form.EditAxiom->setText(QStringLiteral("F"));
    const auto actions = form.Draw2D().actions();
    ASSERT_FALSE(actions.isEmpty());
    form.EditRuleF->setText(QStringLiteral("FFFFFFF"));
    WaitForDrawing();
    form.SpinEdit1->setValue(10);
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    for (const QAction* action : actions)
        EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
    QTest::mouseClick(form.Button2, Qt::LeftButton);
    for (const QAction* action : actions)
        EXPECT_TRUE(action->isEnabled()) << action->text().toStdString();

    const QString target = QStringLiteral("/nonexistent-folder/figure.png");
    const auto shown = CaptureMessageBoxes([&] {
        form.RunGuarded([&] { windows.files().SaveImage(target, 1400); });
        WaitForDrawing();
    });
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].text.contains(target)) << shown[0].text.toStdString();
}

// Saving the figures as vectors or larger is a task of the session: it writes the file once it
// ends, and Stop ends it leaving the old file as it was.
TEST_F(PlaneView, SaveImageRunsAsATaskThatStopEndsWithoutWriting)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("figure.svg"));
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    WaitForDrawing();
    windows.files().SaveImage(path, 700);
    WaitForDrawing();
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains("<svg"));
    saved.close();

    QTest::mouseClick(form.RadioButtonPlant3, Qt::LeftButton);
    form.SpinEdit1->setValue(10);
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    WaitForDrawing();
    ASSERT_TRUE(saved.open(QIODevice::WriteOnly) && saved.write("old") == 3);
    saved.close();
    const QStringList before = QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden);
    windows.files().SaveImage(path, 700);
    ASSERT_TRUE(form.drawing());
    QTest::mouseClick(form.Button2, Qt::LeftButton);
    EXPECT_FALSE(form.drawing());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("old"));
}

} // namespace

namespace {

QAction* PlaneCommand(app::TForm1& form, const char* text)
{
    for (QAction* action : form.Draw2D().actions()) {
        if (action->text() == QString::fromUtf8(text))
            return action;
    }
    ADD_FAILURE() << "no command " << text;
    return nullptr;
}

TEST_F(PlaneView, AnimateGrowthFromThePlaneEndsAsDrawAndKeepsTheFields)
{
    QTest::mouseClick(form.RadioButtonPlant2, Qt::LeftButton);
    form.SpinEdit1->setValue(3);
    const app::PanelFields fields = form.ReadFields();
    PlaneCommand(form, "Animate Growth")->trigger();
    EXPECT_TRUE(form.drawing());
    WaitForDrawing();
    EXPECT_EQ(form.ReadFields(), fields);
    ASSERT_EQ(form.figures().size(), 1u);
    EXPECT_EQ(form.figures()[0].fields, fields);
}

TEST_F(PlaneView, PlayDrawingShowsTheTurtleOverThePlaneButNotInIt)
{
    QTest::mouseClick(form.RadioButtonPlant3, Qt::LeftButton);
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    WaitForDrawing();
    const QImage whole = Shown();
    PlaneCommand(form, "Play Drawing")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([this] { return form.session().marker().has_value(); }, 2000));
    // The view shows the marker's orange where the raster has none.
    const app::TurtleMarker marker = *form.session().marker();
    const QImage view = image()->grab().toImage();
    const QPoint behind(static_cast<int>(marker.x - 6 * std::cos(marker.heading)),
        static_cast<int>(marker.y - 6 * std::sin(marker.heading)));
    EXPECT_EQ(QColor(view.pixel(behind)).red(), 255);
    EXPECT_EQ(QColor(view.pixel(behind)).green(), 140);
    QTest::mouseClick(form.Button2, Qt::LeftButton);
    EXPECT_FALSE(form.drawing());
    EXPECT_EQ(Shown(), whole);
}

} // namespace

namespace {

// Ctrl+E on the plane toggles Explore, a checked command of the plane, told in both titles. In
// Explore a wheel notch draws the figure at once, leaving the panel as it is, and the panel's
// title gives the count of substitutions the zoomed view uses, more than the curve's own.
TEST_F(PlaneView, ExploreTogglesFromThePlaneZoomsAtOnceAndRetitlesBothWindows)
{
    QAction* explore = PlaneCommand(form, "Explore");
    ASSERT_NE(explore, nullptr);
    EXPECT_TRUE(explore->isCheckable());
    app::PanelFields fields = form.ReadFields();
    fields.moreRules = { { "X", "1", "F" }, { "Y", "1", "G" } };
    form.SetFields(fields);
    DrawInTheSquareAboutTheOrigin();

    ASSERT_TRUE(Activate(form.Draw2D()));
    QTest::keyClick(&form.Draw2D(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_TRUE(form.session().exploring());
    EXPECT_TRUE(explore->isChecked());
    EXPECT_EQ(form.Draw2D().windowTitle(), QStringLiteral("2D Graphic Plane — Explore"));
    const auto titled = [](std::int32_t count) {
        return QStringLiteral("Control Panel — 2 more rules, Explore: %1 substitutions").arg(count);
    };
    const std::optional<std::int32_t> count = form.session().exploreSubstitutions();
    ASSERT_TRUE(count);
    EXPECT_EQ(form.windowTitle(), titled(*count));

    plane::Raster white;
    white.Resize(app::PlaneSize, app::PlaneSize);
    // Ten notches about the Koch curve's start, the world's origin.
    for (int notches = 0; notches < 10; ++notches) {
        QWheelEvent notch(QPointF(350, 350), image()->mapToGlobal(QPointF(350, 350)), QPoint(),
            QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(image(), &notch);
        EXPECT_FALSE(test_support::SamePixels(form.Draw2D().plane().raster(), white));
        EXPECT_TRUE(form.Button1->isEnabled());
    }
    ExpectFieldsShowTheWindow();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !form.session().busy(); }, 20000));
    const std::optional<std::int32_t> zoomed = form.session().exploreSubstitutions();
    ASSERT_TRUE(zoomed);
    EXPECT_GT(*zoomed, *count);
    EXPECT_EQ(form.windowTitle(), titled(*zoomed));

    QTest::keyClick(&form.Draw2D(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_FALSE(explore->isChecked());
    EXPECT_EQ(form.Draw2D().windowTitle(), QStringLiteral("2D Graphic Plane"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Control Panel — 2 more rules"));
}

} // namespace
