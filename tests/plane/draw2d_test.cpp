#include "plane/draw2d.h"

#include <QEvent>
#include <QImage>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

using plane::TDraw2D;

namespace {

// Records the areas that a widget paints.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget* widget) { widget->installEventFilter(this); }

    std::vector<QRegion> painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted.push_back(static_cast<QPaintEvent*>(event)->region());
        return false;
    }
};

// The plane as start-up leaves it: 700 x 700 client area, then SetPlaneSize(700, 700).
class PlaneWindow : public testing::Test {
protected:
    void SetUp() override
    {
        window.resize(700, 700);
        window.SetPlaneSize(700, 700);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // The window as it shows on the screen, one pixel of it per raster pixel.
    QImage Shown() { return window.grab().toImage().convertToFormat(QImage::Format_RGB888); }

    TDraw2D window;
    plane::Plane& plane = window.plane();
};

TEST(Draw2DLayout, ImageInsideTheRaisedPanel)
{
    const TDraw2D plane;
    EXPECT_EQ(plane.windowTitle(), QStringLiteral("2D Graphic Plane"));
    EXPECT_EQ(plane.pos(), QPoint(415, 1));
    EXPECT_EQ(plane.Panel1->frameStyle(), QFrame::Panel | QFrame::Raised);
    EXPECT_EQ(plane.Panel1->lineWidth(), 1);
    EXPECT_EQ(plane.Image1->parentWidget(), plane.Panel1);
    EXPECT_EQ(plane.Image1->pos(), QPoint(1, 1));
}

TEST_F(PlaneWindow, SetPlaneSizeSizesPanelImageAndRasterAndShowsTheWindow)
{
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.size(), QSize(700, 700));
    EXPECT_EQ(window.Panel1->geometry(), QRect(0, 0, 700, 700));
    EXPECT_EQ(window.Image1->geometry(), QRect(1, 1, 700, 700));
    EXPECT_EQ(plane.raster().width(), 700);
    EXPECT_EQ(plane.raster().height(), 700);
}

TEST_F(PlaneWindow, ShowsTheRasterWithoutItsLastColumnAndRow)
{
    plane.ClearPlane(4, 123, 22);
    plane.SetWorldWindow(0, 700, 0, 700);
    plane.DrawLine({ 698.5, 1, 1 }, { 698.5, 1, 1 }, 200, 0, 0); // raster pixel (698, 699)
    plane.DrawLine({ 699.5, 1, 1 }, { 699.5, 1, 1 }, 0, 0, 200); // (700, 699): outside
    const QImage shown = Shown();
    EXPECT_EQ(shown.pixelColor(1, 1), QColor(4, 123, 22));
    // Raster pixel (x, y) shows at (x + 1, y + 1) in the window, up to the window's edge.
    EXPECT_EQ(shown.pixelColor(699, 699), QColor(4, 123, 22));
    EXPECT_EQ(shown.pixelColor(698 + 1, 699 - 1), QColor(4, 123, 22));
    plane.ClearPlane(255, 255, 255);
    plane.DrawLine({ 350, 350, 1 }, { 350, 350, 1 }, 200, 10, 20);
    EXPECT_EQ(Shown().pixelColor(351, 351), QColor(200, 10, 20));
}

TEST_F(PlaneWindow, ClearPlaneRepaintsTheWholeImage)
{
    PaintRecorder recorder(window.Image1);
    plane.ClearPlane(255, 0, 0);
    EXPECT_TRUE(recorder.painted.empty());
    QTRY_VERIFY_WITH_TIMEOUT(!recorder.painted.empty(), 2000);
    QRegion all;
    for (const QRegion& region : recorder.painted)
        all += region;
    // All of the image that shows: the panel cuts off its last column and row.
    EXPECT_EQ(all, QRegion(0, 0, 699, 699));
    EXPECT_EQ(all, window.Image1->visibleRegion());
}

// Whatever changes the raster is repainted once the event loop runs, and only where it changed.
TEST_F(PlaneWindow, ChangesThroughThePlaneAreRepaintedWhereTheyAre)
{
    plane.SetWorldWindow(0, 700, 0, 700);
    QTest::qWait(50);
    PaintRecorder recorder(window.Image1);
    plane.DrawLine({ 10, 690, 1 }, { 20, 680, 1 }, 0, 0, 0); // pixels (10, 10) to (20, 20)
    plane.DrawLine({ 30, 690, 1 }, { 30, 690, 1 }, 0, 0, 0); // pixel (30, 10)
    EXPECT_TRUE(recorder.painted.empty());
    QTRY_VERIFY_WITH_TIMEOUT(!recorder.painted.empty(), 2000);
    EXPECT_EQ(recorder.painted.back().boundingRect(), QRect(10, 10, 21, 11));

    recorder.painted.clear();
    QTest::qWait(50);
    EXPECT_TRUE(recorder.painted.empty());
}

TEST_F(PlaneWindow, ClosingAsksForTheProgramsEnd)
{
    QSignalSpy closing(&window, &TDraw2D::closeRequested);
    window.close();
    EXPECT_EQ(closing.count(), 1);
    EXPECT_FALSE(window.isVisible());
}

} // namespace
