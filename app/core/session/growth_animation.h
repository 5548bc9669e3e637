#pragma once

#include "app/core/jobs/animation_steps.h"
#include "app/core/jobs/session_job.h"
#include "app/core/jobs/sliced_walk.h"
#include "app/core/pictures/plane_canvas.h"
#include "app/core/record/panel_fields.h"
#include "app/core/session/session_figures.h"
#include "plane/plane.h"
#include "plane/rgb.h"

#include <cstdint>
#include <optional>

namespace app {

// Animate Growth: the figure of the fields at 0, 1, … their count of substitutions in turn, each
// step a Clear and a Draw of the whole step's record from the generator's state and line colour
// at the start, a step about every `step`.
class GrowthAnimation final : public SessionJob {
public:
    // Begins the first step, raising the fields' errors before anything runs.
    GrowthAnimation(SessionFigures& figures, plane::Plane& plane, const PanelFields& fields,
        Clock::duration step);

    bool RunSlice(Clock::time_point deadline) override;
    // Between steps m_count is already the next one, of which nothing is walked yet.
    double progress() const override
    {
        return m_steps.Progress(m_count, m_walk ? m_walk->symbolsWalked() : 0);
    }
    Clock::time_point idleUntil() const override
    {
        return m_walk ? Clock::time_point {} : m_nextStep;
    }
    void Abandon() override;

private:
    // A step is a Clear and a Draw, of the whole step's record, from the state the animation
    // started in; `begin` adds the step's figure.
    template <typename Begin> void StartStep(Begin begin);
    // The first step reads the fields at 0 substitutions, so that their errors show before
    // anything runs; its record is the growth's first step, and the later ones take its numbers
    // at their own count.
    AnimationSteps StartFirstStep(const PanelFields& fields);

    SessionFigures& m_figures;
    plane::Plane& m_plane;
    Clock::duration m_step;
    std::uint32_t m_seed;
    plane::Rgb m_colour;
    PlaneCanvas m_canvas;
    std::optional<SlicedWalk> m_walk;
    Clock::time_point m_stepStarted;
    Clock::time_point m_nextStep;
    AnimationSteps m_steps; // after the members its first step uses
    std::uint64_t m_count = 0; // the step drawn or waited for
};

} // namespace app
