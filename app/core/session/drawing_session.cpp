#include "app/core/session/drawing_session.h"

#include "app/core/explore/explore_depth.h"
#include "app/core/jobs/draw_job.h"
#include "app/core/jobs/replay_job.h"
#include "app/core/pictures/plane_canvas.h"
#include "app/core/record/fitted_fields.h"
#include "app/core/record/prepared_draw.h"

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
    Measure(DrawingSession& session, PanelFields fields, const PreparedWalk& walk)
        : m_session(session)
        , m_fields(std::move(fields))
        , m_random(session.m_random)
        , m_job(walk.params, walk.style, m_random, m_bounds)
    {
    }

    bool RunSlice(Clock::time_point deadline) override { return m_job.RunSlice(deadline); }
    double progress() const override { return m_job.progress(); }
    void Finish() override { m_session.FinishFit(m_fields, m_bounds.bounds()); }

private:
    DrawingSession& m_session;
    PanelFields m_fields;
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
    if (!TakesRandomNumbers(last.walk.params))
        return std::nullopt;
    return last.seed;
}

void DrawingSession::SetWindowListener(std::function<void(const WindowTexts&)> listener)
{
    m_windowListener = std::move(listener);
}

void DrawingSession::Draw(const PanelFields& fields)
{
    if (!MayStart())
        return;
    const PreparedWalk& walk = BeginFigure(fields);
    m_job = std::make_unique<PlaneDraw>(*this, walk);
}

const PreparedWalk& DrawingSession::BeginFigure(const PanelFields& fields)
{
    const plane::Rgb colourBefore = m_plane.lineColour();
    const PreparedView view = PrepareView(fields, m_plane.raster().width());
    // The line colour is the plane's from here on, even when a later field fails.
    m_plane.SetLineColour(FigureColour(fields, colourBefore));
    return AddFigure(
        { fields, view.window, PrepareWalk(fields, colourBefore), m_random.seed(), colourBefore });
}

const PreparedWalk& DrawingSession::AddFigure(DrawnFigure figure)
{
    m_plane.SetLineColour(figure.walk.style.colour);
    static_cast<plane::Viewport&>(m_plane) = WindowMapping(figure.window, m_plane.raster().width());
    m_window = figure.window;
    m_figures.push_back(std::move(figure));
    SetExploreSubstitutions(std::nullopt);
    return m_figures.back().walk;
}

void DrawingSession::Fit(const PanelFields& fields)
{
    if (!MayStart())
        return;
    const PreparedWalk walk = PrepareWalk(fields, m_plane.lineColour());
    m_job = std::make_unique<Measure>(*this, fields, walk);
}

void DrawingSession::FinishFit(PanelFields fields, const WorldWindow& bounds)
{
    // A figure without extent keeps its window.
    const auto texts = FitFields(fields, bounds);
    if (!texts)
        return;
    if (m_windowListener)
        m_windowListener(*texts);
    Clear();
    Draw(fields);
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
    SetExploreSubstitutions(std::nullopt);
}

bool DrawingSession::MayStart()
{
    if (refining())
        Stop();
    return !m_job;
}

bool DrawingSession::Zoom(double x, double y, double factor)
{
    if (Occupied() || !m_window)
        return false;
    const WorldWindow window
        = ZoomWindow(*m_window, m_plane.ColumnToX(x), m_plane.RowToY(y), factor);
    if (m_exploring && factor > 1.0 && !ExploreShows(window))
        return false;
    ShowView(window);
    return true;
}

bool DrawingSession::Pan(double fromX, double fromY, double toX, double toY)
{
    if (Occupied() || !m_window)
        return false;
    // Dragging the figure right shows what lies to its left: the window moves against the drag.
    const double dx = (fromX - toX) / m_plane.ScaleX;
    const double dy = (toY - fromY) / m_plane.ScaleY;
    ShowView(PanWindow(*m_window, dx, dy));
    return true;
}

bool DrawingSession::ShowHome()
{
    if (Occupied() || m_figures.empty())
        return false;
    ShowView(PrepareView(m_figures.back().fields, m_plane.raster().width()).window);
    return true;
}

void DrawingSession::ShowView(const WorldWindow& window)
{
    // A refinement of the view before is replaced.
    Stop();
    if (m_exploring)
        Explore(window);
    else
        Redraw(window);
}

void DrawingSession::MoveView(const WorldWindow& window)
{
    static_cast<plane::Viewport&>(m_plane) = WindowMapping(window, m_plane.raster().width());
    m_window = window;
    for (DrawnFigure& figure : m_figures)
        figure.window = window;
}

void DrawingSession::Redraw(const WorldWindow& window)
{
    MoveView(window);
    SetExploreSubstitutions(std::nullopt);
    m_plane.ClearPlane(255, 255, 255);
    m_job = std::make_unique<PlaneRedraw>(m_figures, m_plane);
}

void DrawingSession::Start(std::unique_ptr<SessionJob> job)
{
    if (MayStart())
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
