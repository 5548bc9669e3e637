// The commands beyond the panel's buttons: fitting the window to the figure, zooming and
// panning the plane, files dropped on the windows, saving images.

#include "app/core/world_window.h"
#include "app/draw_command.h"
#include "app/ui/form1.h"
#include "expr/evaluator.h"
#include "gui_test_support.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <tuple>

namespace {

class PlaneView : public ShownPanel {
protected:
    void WaitForDrawing()
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !form.drawing(); }, 20000));
    }

    static double Value(const QLineEdit* field)
    {
        std::string error;
        const double value = expr::Evaluate(field->text().toStdString(), error, {});
        EXPECT_EQ(error, "");
        return value;
    }
    app::WorldWindow Fields() const
    {
        return { Value(form.EditX1), Value(form.EditX2), Value(form.EditY1), Value(form.EditY2) };
    }
    void ExpectFields(const char* x1, const char* x2, const char* y1, const char* y2)
    {
        EXPECT_EQ(form.EditX1->text(), QString(x1));
        EXPECT_EQ(form.EditX2->text(), QString(x2));
        EXPECT_EQ(form.EditY1->text(), QString(y1));
        EXPECT_EQ(form.EditY2->text(), QString(y2));
    }

    // The bounds of the figure that the fields describe, walked from the generator state
    // `seed`, which is then the state after the walk.
    app::WorldWindow FigureBounds(std::uint32_t& seed) const
    {
        plane::Plane plane;
        lsystem::DrawParams params;
        lsystem::RandomGenerator random(seed);
        app::BoundsCanvas bounds;
        app::RunDraw(form.ReadFields(), ".", { plane, params, random }, bounds);
        seed = random.seed();
        return bounds.bounds();
    }

    QWidget* image() { return form.Draw2D().Image1; }
};

TEST_F(PlaneView, FitPutsTheWholeFigureInTheWindowWithAMarginAndDrawsIt)
{
    // Each with a window to replace: elsewhere, of no width, unreadable.
    const std::tuple<QAbstractButton*, const char*, const char*> presets[]
        = { { form.RadioButtonKochC, "10", "11" }, { form.RadioButtonSierp2, "1", "1" },
              { form.RadioButtonPlant1, "a", "1/0" } };
    form.EditRandom->setText(QStringLiteral("0.05"));
    std::uint32_t seed = 0; // the program's generator as each figure begins
    for (const auto& [preset, x1, x2] : presets) {
        SCOPED_TRACE(preset->text().toStdString());
        QTest::mouseClick(preset, Qt::LeftButton);
        form.EditX1->setText(QString::fromLatin1(x1));
        form.EditX2->setText(QString::fromLatin1(x2));
        form.FitToFigure();
        WaitForDrawing();
        // The figure is drawn at once, after a Clear, with the generator as the measuring walk
        // found it: the measurement took none of its values.
        ASSERT_EQ(form.figures().size(), 1u);
        EXPECT_EQ(form.figures()[0].seed, seed);
        const app::WorldWindow figure = FigureBounds(seed);
        const app::WorldWindow window = Fields();
        const double extent = std::max(figure.x2 - figure.x1, figure.y2 - figure.y1);
        EXPECT_LE(window.x1, figure.x1 - 0.049 * extent);
        EXPECT_GE(window.x2, figure.x2 + 0.049 * extent);
        EXPECT_LE(window.y1, figure.y1 - 0.049 * extent);
        EXPECT_GE(window.y2, figure.y2 + 0.049 * extent);
        EXPECT_NEAR(window.x2 - window.x1, window.y2 - window.y1, 1e-5 * extent);
        EXPECT_NEAR(window.x2 - window.x1, 1.1 * extent, 1e-5 * extent);
    }
}

TEST_F(PlaneView, FitOfAFigureWithoutExtentOrStoppedChangesNothing)
{
    form.EditAxiom->setText(QStringLiteral("+f-"));
    form.FitToFigure();
    WaitForDrawing();
    ExpectFields("-0.1", "1.1", "-0.5", "0.7");
    EXPECT_TRUE(form.figures().empty());

    form.EditAxiom->setText(QStringLiteral("F"));
    form.EditRuleF->setText(QStringLiteral("FFFFFFF"));
    form.SpinEdit1->setValue(10);
    form.FitToFigure();
    ASSERT_TRUE(form.drawing());
    QTest::mouseClick(form.Button2, Qt::LeftButton);
    EXPECT_FALSE(form.drawing());
    ExpectFields("-0.1", "1.1", "-0.5", "0.7");
    EXPECT_TRUE(form.figures().empty());
}

TEST_F(PlaneView, AWheelNotchZoomsAboutTheCursorAndADragPans)
{
    QTest::mouseClick(form.RadioButtonKochIs, Qt::LeftButton);
    form.EditX1->setText(QStringLiteral("-1"));
    form.EditX2->setText(QStringLiteral("1"));
    form.EditY1->setText(QStringLiteral("-1"));
    form.EditY2->setText(QStringLiteral("1"));
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    WaitForDrawing();

    // Pixel (525, 175) is world (0.5, 0.5); one notch shows 1.25 times the detail about it.
    QWheelEvent notch(QPointF(525, 175), image()->mapToGlobal(QPointF(525, 175)), QPoint(),
        QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(image(), &notch);
    ExpectFields("-0.7", "0.9", "-0.7", "0.9");
    WaitForDrawing();

    // 70 pixels to the right at 700 / 1.6 pixels a unit: the window moves 0.16 to the left.
    QTest::mousePress(image(), Qt::LeftButton, {}, QPoint(350, 350));
    QTest::mouseMove(image(), QPoint(420, 350));
    QTest::mouseRelease(image(), Qt::LeftButton, {}, QPoint(420, 350));
    ExpectFields("-0.86", "0.74", "-0.7", "0.9");
    WaitForDrawing();
    EXPECT_EQ(form.figures().size(), 1u);
}

// Opening fills every field as saved and checks the saved preset without its handler filling
// the fields with the preset's own values.
TEST_F(PlaneView, AFileDroppedOnEitherWindowIsOpened)
{
    QTemporaryDir folder;
    QTest::mouseClick(form.RadioButtonPlant1, Qt::LeftButton);
    form.EditAxiom->setText(QStringLiteral("FG"));
    const app::PanelFields saved = form.ReadFields();
    const QString path = form.SaveLSystem(folder.filePath(QStringLiteral("drop")));
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
    form.CopyImage();
    const plane::Raster& raster = form.Draw2D().plane().raster();
    const QImage shown(
        raster.bits(), raster.width(), raster.height(), raster.stride(), QImage::Format_RGB888);
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB888), shown);
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
    const auto shown
        = CaptureMessageBoxes([&] { form.RunGuarded([&] { form.SaveImage(target, 1400); }); });
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].text.contains(target)) << shown[0].text.toStdString();
}

} // namespace
