#include "app/core/session/explore_refinement.h"

#include <utility>

namespace app {

namespace {

plane::Plane OffscreenPlane(const plane::Plane& shown)
{
    plane::Plane offscreen;
    offscreen.SetPlaneSize(shown.raster().width(), shown.raster().height());
    static_cast<plane::Viewport&>(offscreen) = shown;
    offscreen.SetPenWidth(shown.penWidth());
    return offscreen;
}

} // namespace

ExploreRefinement::ExploreRefinement(const std::vector<DrawnFigure>& figures, plane::Plane& plane,
    std::function<void(std::optional<std::int32_t>)> shown)
    : m_plane(plane)
    , m_hasFigures(!figures.empty())
    , m_shown(std::move(shown))
    , m_shownCanvas(plane)
    , m_coarse(figures, plane.raster().width(), m_shownCanvas, ExploreDetail::Coarse)
    , m_offscreen(OffscreenPlane(plane))
    , m_canvas(m_offscreen)
{
}

void ExploreRefinement::DrawCoarseFrame(Clock::time_point deadline)
{
    try {
        RunCoarse(deadline);
    } catch (...) {
        m_coarseFault = std::current_exception();
    }
}

bool ExploreRefinement::RunSlice(Clock::time_point deadline)
{
    if (m_coarseFault)
        std::rethrow_exception(std::exchange(m_coarseFault, nullptr));
    return RunCoarse(deadline) && m_fine->RunSlice(deadline);
}

void ExploreRefinement::Finish()
{
    m_plane.raster().CopyPixels(m_offscreen.raster());
    m_plane.SetPenWidth(m_offscreen.penWidth());
    m_shown(ShownCount(*m_fine));
}

bool ExploreRefinement::RunCoarse(Clock::time_point deadline)
{
    if (m_coarseDone)
        return true;
    m_coarseDone = m_coarse.RunSlice(deadline);
    if (!m_coarseDone)
        return false;
    m_shown(ShownCount(m_coarse));
    // The fine frame draws the figures at the counts the coarse one found.
    m_fine.emplace(m_coarse.records(), m_offscreen.raster().width(), m_canvas, ExploreDetail::Fine,
        ExploreJob::Counts::Given);
    return true;
}

std::optional<std::int32_t> ExploreRefinement::ShownCount(const ExploreJob& frame) const
{
    return m_hasFigures ? std::optional(frame.report().substitutions) : std::nullopt;
}

} // namespace app
