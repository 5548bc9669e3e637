#pragma once

#include "app/core/jobs/replay_job.h"
#include "app/core/jobs/session_job.h"
#include "app/core/pictures/plane_canvas.h"
#include "app/core/record/drawn_figure.h"
#include "plane/plane.h"

#include <vector>

namespace app {

// Every figure drawn again exactly on the plane, each in its window: a view change outside
// Explore.
class PlaneRedraw final : public SessionJob {
public:
    PlaneRedraw(std::vector<DrawnFigure> figures, plane::Plane& plane);

    bool RunSlice(Clock::time_point deadline) override { return m_replay.RunSlice(deadline); }
    double progress() const override { return m_replay.progress(); }

private:
    PlaneCanvas m_canvas;
    ReplayJob m_replay;
};

} // namespace app
