#include "app/core/drawing_session.h"

#include "app/core/draw_job.h"
#include "app/core/plane_canvas.h"
#include "app/core/prepared_draw.h"
#include "app/core/replay_job.h"

#include <optional>
#include <utility>

namespace app {

// A Draw onto the plane, continuing the session's random sequence. A figure that ends before
// its word does is remembered as far as it was drawn.
class DrawingSession::PlaneDraw final : public SessionJob {
public:
    PlaneDraw(DrawingSession& session, const PreparedWalk& walk)
        : m_session(session)
        , m_canvas(session.m_plane)
        , m_job(walk.params, walk.style, session.m_random, m_canvas)
    {
    }

    bool RunSlice(Clock::time_point deadline) override { return m_job.RunSlice(deadline); }
    double progress() const override { return m_job.progress(); }
    void Abandon() override { m_session.m_figures.back().symbolsWalked = m_job.symbolsWalked(); }

private:
    DrawingSession& m_session;
    PlaneCanvas m_canvas;
    DrawJob m_job;
};

// Fit's walk: measures the figure without drawing it, on copies of everything a Draw changes,
// the random sequence included, then has the session set the window and draw.
class DrawingSession::Measure final : public SessionJob {
public:
    Measure(DrawingSession& session, PanelFields fields, std::string decimalSeparator,
        AfterFit after, const PreparedWalk& walk)
        : m_session(session)
        , m_fields(std::move(fields))
        , m_decimalSeparator(std::move(decimalSeparator))
        , m_after(after)
        , m_random(session.m_random)
        , m_job(walk.params, walk.style, m_random, m_bounds)
    {
    }

    bool RunSlice(Clock::time_point deadline) override { return m_job.RunSlice(deadline); }
    double progress() const override { return m_job.progress(); }
    void Finish() override
    {
        m_session.FinishFit(m_fields, m_decimalSeparator, m_after, m_bounds.bounds());
    }

private:
    DrawingSession& m_session;
    PanelFields m_fields;
    std::string m_decimalSeparator;
    AfterFit m_after;
    lsystem::RandomGenerator m_random;
    BoundsCanvas m_bounds;
    DrawJob m_job;
};

namespace {

// Every figure drawn again on the plane in a new window.
class PlaneRedraw final : public SessionJob {
public:
    PlaneRedraw(std::vector<DrawnFigure> figures, plane::Plane& plane)
        : m_canvas(plane)
        , m_replay(std::move(figures), plane.raster().width(), m_canvas)
    {
    }

    bool RunSlice(Clock::time_point deadline) override { return m_replay.RunSlice(deadline); }
    double progress() const override { return m_replay.progress(); }

private:
    PlaneCanvas m_canvas;
    ReplayJob m_replay;
};

} // namespace

DrawingSession::DrawingSession(plane::Plane& plane)
    : m_plane(plane)
{
}

DrawingSession::~DrawingSession()
{
    Stop();
}

std::optional<std::uint32_t> DrawingSession::lastRandomSeed() const
{
    if (m_figures.empty())
        return std::nullopt;
    const DrawnFigure& last = m_figures.back();
    const PreparedWalk walk = PrepareWalk(last.fields, last.decimalSeparator, last.colourBefore);
    if (walk.params.RandomAmp == 0.0)
        return std::nullopt;
    return last.seed;
}

void DrawingSession::SetWindowListener(std::function<void(const WindowTexts&)> listener)
{
    m_windowListener = std::move(listener);
}

DrawnFigure DrawingSession::NextFigure(
    const PanelFields& fields, const std::string& decimalSeparator) const
{
    return { fields, decimalSeparator, m_random.seed(), m_plane.lineColour() };
}

void DrawingSession::Draw(const PanelFields& fields, const std::string& decimalSeparator)
{
    if (m_job)
        return;
    const PreparedWalk walk = BeginFigure(fields, decimalSeparator);
    m_job = std::make_unique<PlaneDraw>(*this, walk);
}

PreparedWalk DrawingSession::BeginFigure(
    const PanelFields& fields, const std::string& decimalSeparator)
{
    DrawnFigure figure = NextFigure(fields, decimalSeparator);
    const PreparedView view = PrepareView(fields, m_plane.raster().width());
    // The line colour is the plane's from here on, even when a later field fails.
    const plane::Rgb colour = FigureColour(fields, figure.colourBefore);
    m_plane.SetLineColour(colour);
    const PreparedWalk walk = PrepareWalk(fields, decimalSeparator, colour);

    static_cast<plane::Viewport&>(m_plane) = view.mapping;
    m_window = view.window;
    m_figures.push_back(std::move(figure));
    return walk;
}

void DrawingSession::Fit(
    const PanelFields& fields, const std::string& decimalSeparator, AfterFit after)
{
    if (m_job)
        return;
    const PreparedWalk walk = PrepareWalk(fields, decimalSeparator, m_plane.lineColour());
    m_job = std::make_unique<Measure>(*this, fields, decimalSeparator, after, walk);
}

void DrawingSession::FinishFit(PanelFields fields, const std::string& decimalSeparator,
    AfterFit after, const WorldWindow& bounds)
{
    // A figure without extent keeps its window.
    const auto window = FitWindow(bounds);
    if (!window)
        return;
    const WindowTexts texts = FormatWindow(*window, decimalSeparator);
    SetWindow(fields, texts);
    if (m_windowListener)
        m_windowListener(texts);
    if (after == AfterFit::KeepPlane)
        return;
    Clear();
    Draw(fields, decimalSeparator);
}

void DrawingSession::Clear()
{
    Stop();
    ClearFigures();
}

void DrawingSession::ClearFigures()
{
    m_plane.ClearPlane(255, 255, 255);
    m_figures.clear();
}

bool DrawingSession::Zoom(double x, double y, double factor, const std::string& decimalSeparator)
{
    if (m_job || !m_window)
        return false;
    Redraw(
        ZoomWindow(*m_window, m_plane.ColumnToX(x), m_plane.RowToY(y), factor), decimalSeparator);
    return true;
}

bool DrawingSession::Pan(
    double fromX, double fromY, double toX, double toY, const std::string& decimalSeparator)
{
    if (m_job || !m_window)
        return false;
    // Dragging the figure right shows what lies to its left: the window moves against the drag.
    const double dx = (fromX - toX) / m_plane.ScaleX;
    const double dy = (toY - fromY) / m_plane.ScaleY;
    Redraw(PanWindow(*m_window, dx, dy), decimalSeparator);
    return true;
}

void DrawingSession::Redraw(const WorldWindow& window, const std::string& decimalSeparator)
{
    const WindowTexts texts = ExactWindowTexts(window, decimalSeparator);
    plane::Viewport mapping;
    mapping.SetWorldWindow(window.x1, window.x2, window.y1, window.y2, m_plane.raster().width(),
        m_plane.raster().height());

    static_cast<plane::Viewport&>(m_plane) = mapping;
    m_window = window;
    for (DrawnFigure& figure : m_figures)
        SetWindow(figure.fields, texts);
    if (m_windowListener)
        m_windowListener(texts);
    m_plane.ClearPlane(255, 255, 255);
    m_job = std::make_unique<PlaneRedraw>(m_figures, m_plane);
}

void DrawingSession::Start(std::unique_ptr<SessionJob> job)
{
    if (!m_job)
        m_job = std::move(job);
}

bool DrawingSession::RunSlice(Clock::time_point deadline)
{
    if (!m_job)
        return true;
    bool done = false;
    try {
        done = m_job->RunSlice(deadline);
    } catch (...) {
        Stop();
        throw;
    }
    if (!done)
        return false;
    // The finished job may start the next one (Fit starts its Draw).
    const std::unique_ptr<SessionJob> finished = std::move(m_job);
    finished->Finish();
    return m_job == nullptr;
}

void DrawingSession::RunToEnd()
{
    while (!RunSlice(Clock::time_point::max())) { }
}

DrawingSession::Clock::time_point DrawingSession::idleUntil() const
{
    return m_job ? m_job->idleUntil() : Clock::time_point {};
}

std::optional<TurtleMarker> DrawingSession::marker() const
{
    return m_job ? m_job->marker() : std::nullopt;
}

double DrawingSession::progress() const
{
    return m_job ? m_job->progress() : 1.0;
}

void DrawingSession::Stop()
{
    if (const std::unique_ptr<SessionJob> stopped = std::move(m_job))
        stopped->Abandon();
}

} // namespace app
