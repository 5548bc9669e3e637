#include "app/core/session/drawing_session.h"

#include "app/core/explore/explore_depth.h"
#include "app/core/record/fitted_fields.h"
#include "app/core/record/prepared_draw.h"
#include "app/core/session/explore_refinement.h"
#include "app/core/session/fit_measure.h"
#include "app/core/session/growth_animation.h"
#include "app/core/session/plane_draw.h"
#include "app/core/session/plane_redraw.h"
#include "app/core/session/playback.h"

#include <chrono>
#include <optional>
#include <utility>

namespace app {

namespace {

// How long a view change may draw its Explore coarse frame before it returns. The frame of a
// figure that Explore adapts takes a few milliseconds; one walked whole (a random amplitude,
// Fractint's turtle) takes as long as its Draw, and what is left of it is drawn in slices, so
// that a notch never holds the window for longer than this.
constexpr std::chrono::milliseconds CoarseFrameTime { 50 };

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

void DrawingSession::SetExploreListener(std::function<void()> listener)
{
    m_exploreListener = std::move(listener);
}

void DrawingSession::Draw(const PanelFields& fields)
{
    if (!MayStart())
        return;
    const DrawnFigure& figure = BeginFigure(fields);
    m_job = std::make_unique<PlaneDraw>(Figures(), m_plane, figure.walk);
}

const DrawnFigure& DrawingSession::BeginFigure(const PanelFields& fields)
{
    const plane::Rgb colourBefore = m_plane.lineColour();
    const PreparedView view = PrepareView(fields, m_plane.raster().width());
    // The line colour is the plane's from here on, even when a later field fails.
    m_plane.SetLineColour(FigureColour(fields, colourBefore));
    return AddFigure(
        { fields, view.window, PrepareWalk(fields, colourBefore), m_random.seed(), colourBefore });
}

const DrawnFigure& DrawingSession::AddFigure(DrawnFigure figure)
{
    m_plane.SetLineColour(figure.walk.style.colour);
    static_cast<plane::Viewport&>(m_plane) = WindowMapping(figure.window, m_plane.raster().width());
    m_window = figure.window;
    m_figures.push_back(std::move(figure));
    SetExploreSubstitutions(std::nullopt);
    return m_figures.back();
}

void DrawingSession::Fit(const PanelFields& fields)
{
    if (!MayStart())
        return;
    const PreparedWalk walk = PrepareWalk(fields, m_plane.lineColour());
    m_job = std::make_unique<FitMeasure>(
        walk, m_random, [this, fields](const WorldWindow& bounds) { FinishFit(fields, bounds); });
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

void DrawingSession::SetExplore(bool on)
{
    if (on == m_exploring)
        return;
    if (refining())
        Stop();
    m_exploring = on;
    m_exploreSubstitutions.reset();
    if (m_exploreListener)
        m_exploreListener();
    if (!m_job && m_window && !m_figures.empty())
        ShowView(*m_window);
}

void DrawingSession::Explore(const WorldWindow& window)
{
    MoveView(window);
    m_plane.ClearPlane(255, 255, 255);
    auto refinement = std::make_unique<ExploreRefinement>(m_figures, m_plane,
        [this](std::optional<std::int32_t> count) { SetExploreSubstitutions(count); });
    ExploreRefinement& frames = *refinement;
    m_job = std::move(refinement);
    frames.DrawCoarseFrame(Clock::now() + CoarseFrameTime);
}

void DrawingSession::SetExploreSubstitutions(std::optional<std::int32_t> count)
{
    if (count == m_exploreSubstitutions)
        return;
    m_exploreSubstitutions = count;
    if (m_exploreListener)
        m_exploreListener();
}

void DrawingSession::AnimateGrowth(const PanelFields& fields, Clock::duration step)
{
    if (MayStart())
        m_job = std::make_unique<GrowthAnimation>(Figures(), m_plane, fields, step);
}

void DrawingSession::PlayDrawing(Clock::duration whole, Clock::duration frame)
{
    if (MayStart())
        m_job = std::make_unique<Playback>(m_figures, m_plane, whole, frame);
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
