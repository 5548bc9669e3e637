#pragma once

#include "app/core/explore/explore_job.h"
#include "app/core/jobs/session_job.h"
#include "app/core/pictures/plane_canvas.h"
#include "app/core/record/drawn_figure.h"
#include "plane/plane.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <vector>

namespace app {

// The frames of an Explore view. The coarse one is drawn on the shown plane, at once as far as
// the first deadline allows (DrawCoarseFrame), the rest in the first slices. The fine one is
// drawn on a plane of its own with the shown plane's size and mapping and the pen the coarse
// frame started with, and is copied onto the shown plane only when whole, so that until then
// the coarse frame stays. `shown` is told the count the last figure is drawn at as each frame
// reaches the plane. Commands end it rather than wait for it.
class ExploreRefinement final : public SessionJob {
public:
    ExploreRefinement(const std::vector<DrawnFigure>& figures, plane::Plane& plane,
        std::function<void(std::optional<std::int32_t>)> shown);

    // The coarse frame's first part; a fault of it is raised by the first slice, as a
    // redraw's is.
    void DrawCoarseFrame(Clock::time_point deadline);

    bool RunSlice(Clock::time_point deadline) override;
    // The coarse frame counts as little beside the fine one.
    double progress() const override { return m_fine ? m_fine->progress() : 0.0; }
    void Finish() override;
    bool givesWay() const override { return true; }

private:
    // Draws the coarse frame on until the deadline; true once it is whole.
    bool RunCoarse(Clock::time_point deadline);
    // The count the last figure of a frame is drawn at; none without figures.
    std::optional<std::int32_t> ShownCount(const ExploreJob& frame) const;

    plane::Plane& m_plane;
    bool m_hasFigures;
    std::function<void(std::optional<std::int32_t>)> m_shown;
    PlaneCanvas m_shownCanvas;
    ExploreJob m_coarse;
    bool m_coarseDone = false;
    std::exception_ptr m_coarseFault;
    plane::Plane m_offscreen; // made before the coarse frame changes the shown plane's pen
    PlaneCanvas m_canvas;
    std::optional<ExploreJob> m_fine; // once the coarse frame is whole
};

} // namespace app
