#include "app/figure_replay.h"

#include "app/draw_command.h"
#include "app/plane_canvas.h"
#include "app/scaled_pen_canvas.h"

namespace app {

namespace {

constexpr int PlaneSize = 700; // the size of the plane the figures were drawn on

// Passes segments on, counting them.
class CountingCanvas final : public lsystem::Canvas {
public:
    explicit CountingCanvas(lsystem::Canvas& target)
        : m_target(target)
    {
    }
    void DrawSegment(const plane::TVector3& start, const plane::TVector3& end, plane::Rgb colour,
        std::int32_t penWidth) override
    {
        ++count;
        m_target.DrawSegment(start, end, colour, penWidth);
    }

    std::uint64_t count = 0;

private:
    lsystem::Canvas& m_target;
};

} // namespace

ReplayReport ReplayFigures(
    const std::vector<DrawnFigure>& figures, plane::Plane& plane, lsystem::Canvas& canvas)
{
    const auto began = std::chrono::steady_clock::now();
    CountingCanvas counting(canvas);
    ReplayReport report;
    for (const DrawnFigure& figure : figures) {
        plane.LineRed = figure.colourBefore.red;
        plane.LineGreen = figure.colourBefore.green;
        plane.LineBlue = figure.colourBefore.blue;
        lsystem::DrawParams params;
        lsystem::RandomGenerator random(figure.seed);
        report.symbols += RunDraw(figure.fields, figure.decimalSeparator, { plane, params, random },
            counting, figure.symbolsWalked);
    }
    report.segments = counting.count;
    report.drawing = std::chrono::steady_clock::now() - began;
    return report;
}

ReplayReport RenderFigures(const std::vector<DrawnFigure>& figures, int size, plane::Plane& plane)
{
    plane.SetPlaneSize(size, size);
    plane.ClearPlane(255, 255, 255);
    PlaneCanvas planeCanvas(plane);
    ScaledPenCanvas canvas(planeCanvas, static_cast<double>(size) / PlaneSize);
    return ReplayFigures(figures, plane, canvas);
}

} // namespace app
