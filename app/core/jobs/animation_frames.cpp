#include "app/core/jobs/animation_frames.h"

#include <algorithm>
#include <utility>

namespace app {

namespace {

plane::PixelRect Union(const plane::PixelRect& a, const plane::PixelRect& b)
{
    if (a.empty())
        return b;
    if (b.empty())
        return a;
    return { std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
        std::max(a.bottom, b.bottom) };
}

} // namespace

int DefaultDelayMs(AnimationKind kind)
{
    return kind == AnimationKind::Growth ? GrowthDelayMs : DrawingDelayMs;
}

int LastFrameDelayMs(int delayMs)
{
    return std::max(4 * delayMs, 2000);
}

AnimationSteps AnimationStepsFor(const DrawnFigure& figure, const AnimationSettings& settings)
{
    if (settings.kind == AnimationKind::Growth)
        return AnimationSteps::Growth(figure, figure.walk.params.SubstCount);
    return AnimationSteps::Drawing({ figure }, settings.drawingFrames, DrawingPace::Frames);
}

AnimationSteps AnimationStepsFor(const PanelFields& fields, std::uint32_t seed,
    plane::Rgb colourBefore, const AnimationSettings& settings)
{
    if (settings.kind != AnimationKind::Growth)
        return AnimationStepsFor(
            PrepareFigure(fields, seed, colourBefore, settings.size), settings);
    PanelFields first = fields;
    first.substCount = MinSubstitutions;
    return AnimationSteps::Growth(
        PrepareFigure(first, seed, colourBefore, settings.size), fields.substCount);
}

AnimationFrames::AnimationFrames(AnimationSteps steps, int size)
    : m_steps(std::move(steps))
    , m_size(size)
{
    StartWalk();
}

AnimationFrames::~AnimationFrames() = default;

void AnimationFrames::StartWalk()
{
    // The raster before goes first, so that one raster is held at a time.
    m_walk.reset();
    m_plane.reset();
    m_plane = std::make_unique<PicturePlane>(m_size);
    m_plane->raster().TakeDirty();
    m_walk = std::make_unique<ReplayJob>(m_steps.Figures(m_frame), m_size, m_plane->canvas());
    m_walk->SetSymbolLimit(m_steps.Symbols(m_frame));
}

bool AnimationFrames::RunSlice(Clock::time_point deadline)
{
    if (m_complete)
        return true;
    if (!m_walk->RunSlice(deadline))
        return false;
    const plane::PixelRect ink = m_plane->raster().TakeDirty();
    if (m_frame == 0)
        m_changed = { 0, 0, m_size, m_size };
    else
        m_changed = m_steps.walksOn() ? ink : Union(m_inkBefore, ink);
    m_inkBefore = ink;
    m_complete = true;
    return true;
}

bool AnimationFrames::NextFrame()
{
    if (m_frame + 1 == frameCount())
        return false;
    ++m_frame;
    if (m_steps.walksOn())
        m_walk->SetSymbolLimit(m_steps.Symbols(m_frame));
    else
        StartWalk();
    m_complete = false;
    return true;
}

double AnimationFrames::progress() const
{
    return m_steps.Progress(m_frame, m_walk->symbolsWalked());
}

} // namespace app
