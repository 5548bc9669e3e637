#include "app/core/growth_frames.h"

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

GrowthFrames::GrowthFrames(DrawnFigure figure, int size)
    : m_figure(std::move(figure))
    , m_size(size)
{
    StartFrame();
}

void GrowthFrames::StartFrame()
{
    // The frame before goes first, so that one raster is held at a time.
    m_replay.reset();
    m_plane.reset();
    m_plane = std::make_unique<PicturePlane>(m_size);
    m_plane->raster().TakeDirty();
    m_replay = std::make_unique<ReplayJob>(
        std::vector { GrowthStep(m_figure, m_count) }, m_size, m_plane->canvas());
    m_complete = false;
}

bool GrowthFrames::RunSlice(Clock::time_point deadline)
{
    if (m_complete)
        return true;
    if (!m_replay->RunSlice(deadline))
        return false;
    const plane::PixelRect ink = m_plane->raster().TakeDirty();
    m_changed = m_count == 0 ? plane::PixelRect { 0, 0, m_size, m_size } : Union(m_inkBefore, ink);
    m_inkBefore = ink;
    m_complete = true;
    return true;
}

bool GrowthFrames::NextFrame()
{
    if (m_count + 1 == frameCount())
        return false;
    ++m_count;
    StartFrame();
    return true;
}

double GrowthFrames::progress() const
{
    const double current = m_complete ? 1.0 : m_replay->progress();
    return (m_count + current) / frameCount();
}

} // namespace app
