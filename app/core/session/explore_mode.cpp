// The session's Explore mode: the view drawn with its detail adapted to the window, a coarse
// frame at once and a fine one, drawn offscreen, in its place once it is done.

#include "app/core/explore/explore_job.h"
#include "app/core/pictures/plane_canvas.h"
#include "app/core/session/drawing_session.h"

#include <chrono>
#include <exception>
#include <optional>
#include <utility>
#include <vector>

namespace app {

namespace {

// How long a view change may draw its coarse frame before it returns. The frame of a figure
// that Explore adapts takes a few milliseconds; one walked whole (a random amplitude, Fractint's
// turtle) takes as long as its Draw, and what is left of it is drawn in slices, so that a notch
// never holds the window for longer than this.
constexpr std::chrono::milliseconds CoarseFrameTime { 50 };

// The count the last figure of a frame is drawn at; none without figures.
std::optional<std::int32_t> ShownCount(
    const std::vector<DrawnFigure>& figures, const ExploreReport& report)
{
    return figures.empty() ? std::nullopt : std::optional(report.substitutions);
}

} // namespace

// The frames of an Explore view. The coarse one is drawn on the shown plane, at once as far as
// CoarseFrameTime allows, the rest in the first slices. The fine one is drawn on a plane of its
// own with the shown plane's size and mapping and the pen the coarse frame started with, and is
// copied onto the shown plane only when whole, so that until then the coarse frame stays.
class DrawingSession::ExploreRefinement final : public SessionJob {
public:
    explicit ExploreRefinement(DrawingSession& session)
        : m_session(session)
        , m_shown(session.m_plane)
        , m_coarse(
              session.m_figures, session.m_plane.raster().width(), m_shown, ExploreDetail::Coarse)
        , m_offscreen(OffscreenPlane(session.m_plane))
        , m_canvas(m_offscreen)
    {
    }

    // The coarse frame's first part; a fault of it is raised by the first slice, as a
    // redraw's is.
    void DrawCoarseFrame(Clock::time_point deadline)
    {
        try {
            RunCoarse(deadline);
        } catch (...) {
            m_coarseFault = std::current_exception();
        }
    }

    bool RunSlice(Clock::time_point deadline) override
    {
        if (m_coarseFault)
            std::rethrow_exception(std::exchange(m_coarseFault, nullptr));
        return RunCoarse(deadline) && m_fine->RunSlice(deadline);
    }

    // The coarse frame counts as little beside the fine one.
    double progress() const override { return m_fine ? m_fine->progress() : 0.0; }

    void Finish() override
    {
        plane::Plane& shown = m_session.m_plane;
        shown.raster().CopyPixels(m_offscreen.raster());
        shown.SetPenWidth(m_offscreen.penWidth());
        m_session.SetExploreSubstitutions(ShownCount(m_session.m_figures, m_fine->report()));
    }

private:
    // Draws the coarse frame on until the deadline; true once it is whole.
    bool RunCoarse(Clock::time_point deadline)
    {
        if (m_coarseDone)
            return true;
        m_coarseDone = m_coarse.RunSlice(deadline);
        if (!m_coarseDone)
            return false;
        m_session.SetExploreSubstitutions(ShownCount(m_session.m_figures, m_coarse.report()));
        // The fine frame draws the figures at the counts the coarse one found.
        m_fine.emplace(m_coarse.records(), m_offscreen.raster().width(), m_canvas,
            ExploreDetail::Fine, ExploreJob::Counts::Given);
        return true;
    }

    static plane::Plane OffscreenPlane(const plane::Plane& shown)
    {
        plane::Plane offscreen;
        offscreen.SetPlaneSize(shown.raster().width(), shown.raster().height());
        static_cast<plane::Viewport&>(offscreen) = shown;
        offscreen.SetPenWidth(shown.penWidth());
        return offscreen;
    }

    DrawingSession& m_session;
    PlaneCanvas m_shown;
    ExploreJob m_coarse;
    bool m_coarseDone = false;
    std::exception_ptr m_coarseFault;
    plane::Plane m_offscreen; // made before the coarse frame changes the shown plane's pen
    PlaneCanvas m_canvas;
    std::optional<ExploreJob> m_fine; // once the coarse frame is whole
};

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

void DrawingSession::SetExploreListener(std::function<void()> listener)
{
    m_exploreListener = std::move(listener);
}

bool DrawingSession::refining() const
{
    return dynamic_cast<const ExploreRefinement*>(m_job.get()) != nullptr;
}

void DrawingSession::Explore(const WorldWindow& window)
{
    MoveView(window);
    m_plane.ClearPlane(255, 255, 255);
    auto refinement = std::make_unique<ExploreRefinement>(*this);
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

} // namespace app
