#include "app/io/painter_canvas.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

#include <gtest/gtest.h>

#include <vector>

namespace {

// A paint device that keeps, for each path the painter strokes, its elements.
class PathRecorder final : public QPaintDevice {
public:
    std::vector<QPainterPath> paths() const { return m_engine.paths; }

    QPaintEngine* paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
        case PdmHeight:
            return 700;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return 1;
        }
    }

private:
    // Every feature, so that the painter hands paths over as they are.
    struct Engine final : QPaintEngine {
        Engine()
            : QPaintEngine(AllFeatures)
        {
        }
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override { }
        void drawPath(const QPainterPath& path) override { paths.push_back(path); }
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { }
        Type type() const override { return User; }

        std::vector<QPainterPath> paths;
    };
    mutable Engine m_engine;
};

struct Segment {
    double x0, y0, x1, y1;
};

// The paths that a PainterCanvas strokes for the segments, in view pixels one for one.
std::vector<QPainterPath> Stroked(const std::vector<Segment>& segments)
{
    PathRecorder device;
    {
        QPainter painter(&device);
        app::PainterCanvas canvas(painter);
        plane::Viewport identity;
        identity.ScaleX = 1.0;
        identity.ScaleY = -1.0;
        canvas.SetMapping(identity);
        for (const Segment& s : segments)
            canvas.DrawSegment({ s.x0, s.y0, 1.0 }, { s.x1, s.y1, 1.0 }, {}, 1);
        canvas.Finish();
    }
    return device.paths();
}

// The painter gets the vector pictures' vertices, in hundredths of a pixel: collinear steps
// merge, and a subpath of no length is a dot, a line of one hundredth.
TEST(PainterCanvas, StrokesTheVectorPicturesVertices)
{
    const auto paths = Stroked({ { 1, 1, 2, 1 }, { 2, 1, 3, 1 }, { 3, 1, 3, 2 }, { 5, 5, 5, 5 } });
    ASSERT_EQ(paths.size(), 1u);
    const QPainterPath& path = paths.front();
    const std::vector<QPointF> expected { { 100, 100 }, { 300, 100 }, { 300, 200 }, { 500, 500 },
        { 501, 500 } };
    ASSERT_EQ(path.elementCount(), static_cast<int>(expected.size()));
    for (int i = 0; i < path.elementCount(); ++i) {
        EXPECT_EQ(QPointF(path.elementAt(i)), expected[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(path.elementAt(i).isMoveTo(), i == 0 || i == 3) << i;
    }
}

int ElementsWithin(const std::vector<QPainterPath>& paths, int limit)
{
    int total = 0;
    for (const QPainterPath& path : paths) {
        EXPECT_LE(path.elementCount(), limit);
        total += path.elementCount();
    }
    return total;
}

// Memory stays flat: a run's separate subpaths (branches, moves) and a long subpath alike are
// stroked at most PathPoints elements at a time; a subpath goes on where the last path ended.
TEST(PainterCanvas, StrokesAtMostPathPointsElementsAtATime)
{
    constexpr int PathPoints = app::PainterCanvas::PathPoints;
    constexpr int Count = 3 * PathPoints;
    std::vector<Segment> separate;
    std::vector<Segment> zigzag;
    for (int i = 0; i < Count; ++i) {
        separate.push_back({ double(i), 0, double(i), 1 });
        zigzag.push_back({ double(i), double(i % 2), double(i + 1), double((i + 1) % 2) });
    }

    const auto separatePaths = Stroked(separate);
    EXPECT_GT(separatePaths.size(), 1u);
    EXPECT_EQ(ElementsWithin(separatePaths, PathPoints), 2 * Count);

    const auto zigzagPaths = Stroked(zigzag);
    EXPECT_GT(zigzagPaths.size(), 1u);
    for (std::size_t i = 1; i < zigzagPaths.size(); ++i)
        EXPECT_EQ(zigzagPaths[i].elementAt(0), zigzagPaths[i - 1].currentPosition()) << i;
    EXPECT_EQ(ElementsWithin(zigzagPaths, PathPoints),
        Count + 1 + static_cast<int>(zigzagPaths.size()) - 1);
}

} // namespace
