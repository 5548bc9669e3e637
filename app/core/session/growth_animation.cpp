#include "app/core/session/growth_animation.h"

namespace app {

GrowthAnimation::GrowthAnimation(
    SessionFigures& figures, plane::Plane& plane, const PanelFields& fields, Clock::duration step)
    : m_figures(figures)
    , m_plane(plane)
    , m_step(step)
    , m_seed(figures.random().seed())
    , m_colour(plane.lineColour())
    , m_canvas(plane)
    , m_steps(StartFirstStep(fields))
{
}

bool GrowthAnimation::RunSlice(Clock::time_point deadline)
{
    for (;;) {
        if (!m_walk) {
            if (Clock::now() < m_nextStep)
                return false;
            StartStep([this]() -> const DrawnFigure& {
                return m_figures.AddFigure(m_steps.Figures(m_count).front());
            });
        }
        if (!m_walk->RunSlice(deadline))
            return false;
        m_walk.reset();
        if (m_count + 1 == m_steps.count())
            return true;
        ++m_count;
        m_nextStep = m_stepStarted + m_step;
    }
}

void GrowthAnimation::Abandon()
{
    if (m_walk)
        m_figures.EndLastFigure(m_walk->symbolsWalked());
}

template <typename Begin> void GrowthAnimation::StartStep(Begin begin)
{
    m_stepStarted = Clock::now();
    m_figures.ClearFigures();
    m_plane.SetLineColour(m_colour);
    m_figures.random() = lsystem::RandomGenerator(m_seed);
    const PreparedWalk& walk = begin().walk;
    m_walk.emplace(walk.params, walk.style, m_figures.random(), m_canvas);
}

AnimationSteps GrowthAnimation::StartFirstStep(const PanelFields& fields)
{
    const DrawnFigure* first = nullptr;
    StartStep([&]() -> const DrawnFigure& {
        PanelFields atZero = fields;
        atZero.substCount = MinSubstitutions;
        first = &m_figures.BeginFigure(atZero);
        return *first;
    });
    return AnimationSteps::Growth(*first, fields.substCount);
}

} // namespace app
