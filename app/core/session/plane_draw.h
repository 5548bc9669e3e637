#pragma once

#include "app/core/jobs/session_job.h"
#include "app/core/jobs/sliced_walk.h"
#include "app/core/pictures/plane_canvas.h"
#include "app/core/record/prepared_draw.h"
#include "app/core/session/session_figures.h"
#include "plane/plane.h"

namespace app {

// A Draw onto the plane of the figure the session has just begun, continuing the session's
// random sequence. A figure that ends before its word does is remembered as far as it was drawn.
class PlaneDraw final : public SessionJob {
public:
    PlaneDraw(SessionFigures& figures, plane::Plane& plane, const PreparedWalk& walk);

    bool RunSlice(Clock::time_point deadline) override { return m_walk.RunSlice(deadline); }
    double progress() const override { return m_walk.progress(); }
    void Abandon() override { m_figures.EndLastFigure(m_walk.symbolsWalked()); }

private:
    SessionFigures& m_figures;
    PlaneCanvas m_canvas;
    SlicedWalk m_walk;
};

} // namespace app
