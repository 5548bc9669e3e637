#include "app/core/drawing_frames.h"

#include <algorithm>
#include <utility>

namespace app {

DrawingFrames::DrawingFrames(DrawnFigure figure, int frames, int size)
    : m_figure(std::move(figure))
    , m_frames(frames)
    , m_size(size)
    , m_plane(size)
{
}

void DrawingFrames::StartWalk()
{
    m_walk.emplace(m_figure, m_size, m_plane.canvas());
    m_symbols = std::min(m_walk->job().symbolCount(), m_figure.symbolsWalked);
    m_walk->job().SetSymbolLimit(LimitOf(0));
}

std::uint64_t DrawingFrames::LimitOf(int frame) const
{
    // m_symbols * (frame + 1) / m_frames without overflow.
    const auto frames = static_cast<std::uint64_t>(m_frames);
    const auto shown = static_cast<std::uint64_t>(frame) + 1;
    return m_symbols / frames * shown + m_symbols % frames * shown / frames;
}

bool DrawingFrames::RunSlice(Clock::time_point deadline)
{
    if (m_complete)
        return true;
    if (!m_walk)
        StartWalk();
    if (!m_walk->job().RunSlice(deadline))
        return false;
    const plane::PixelRect drawn = m_plane.raster().TakeDirty();
    m_changed = m_frame == 0 ? plane::PixelRect { 0, 0, m_size, m_size } : drawn;
    m_complete = true;
    return true;
}

bool DrawingFrames::NextFrame()
{
    if (m_frame + 1 == m_frames)
        return false;
    ++m_frame;
    m_walk->job().SetSymbolLimit(LimitOf(m_frame));
    m_complete = false;
    return true;
}

double DrawingFrames::progress() const
{
    if (!m_walk)
        return 0.0;
    if (m_symbols == 0)
        return static_cast<double>(m_frame + m_complete) / m_frames;
    return static_cast<double>(m_walk->job().symbolsWalked()) / static_cast<double>(m_symbols);
}

} // namespace app
