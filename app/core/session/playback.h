#pragma once

#include "app/core/jobs/animation_steps.h"
#include "app/core/jobs/replay_job.h"
#include "app/core/jobs/session_job.h"
#include "app/core/record/drawn_figure.h"
#include "app/core/session/turtle_canvas.h"
#include "plane/plane.h"
#include "plane/raster.h"
#include "plane/viewport.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace app {

// Play Drawing: the figures drawn again on the cleared plane in slow motion, the whole in about
// `whole` (at least one segment a frame of `frame`), with the turtle's marker; nothing is taken
// from the session's generator. Stop, like the end, leaves the figures whole.
class Playback final : public SessionJob {
public:
    Playback(const std::vector<DrawnFigure>& figures, plane::Plane& plane, Clock::duration whole,
        Clock::duration frame);

    bool RunSlice(Clock::time_point deadline) override;
    double progress() const override { return m_replay.progress(); }
    Clock::time_point idleUntil() const override { return m_nextFrame; }
    std::optional<TurtleMarker> marker() const override { return m_canvas.marker(); }
    void Abandon() override;

private:
    plane::Plane& m_plane;
    plane::Raster m_whole;
    plane::Viewport m_mapping;
    Clock::duration m_frame;
    AnimationSteps m_steps;
    std::uint64_t m_next = 0; // the step to walk next
    TurtleCanvas m_canvas;
    ReplayJob m_replay;
    Clock::time_point m_nextFrame;
};

} // namespace app
