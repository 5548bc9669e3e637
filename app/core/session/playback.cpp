#include "app/core/session/playback.h"

#include <algorithm>
#include <chrono>

namespace app {

Playback::Playback(const std::vector<DrawnFigure>& figures, plane::Plane& plane,
    Clock::duration whole, Clock::duration frame)
    : m_plane(plane)
    , m_whole(plane.raster())
    , m_mapping(plane)
    , m_frame(frame)
    , m_steps(AnimationSteps::Drawing(figures,
          whole / std::max<Clock::duration>(frame, std::chrono::milliseconds(1)),
          DrawingPace::Steady))
    , m_canvas(plane)
    , m_replay(m_steps.Figures(0), plane.raster().width(), m_canvas)
{
    plane.ClearPlane(255, 255, 255);
}

// A frame shows the next step; at least one segment a frame, however few the segments among a
// step's symbols, so a frame takes as many steps as that needs.
bool Playback::RunSlice(Clock::time_point)
{
    const auto now = Clock::now();
    if (now < m_nextFrame)
        return false;
    m_nextFrame = now + m_frame;
    const std::uint64_t before = m_canvas.segments();
    for (;;) {
        m_replay.SetSymbolLimit(m_steps.Symbols(m_next++));
        RunToEnd(m_replay);
        if (m_next == m_steps.count())
            return true;
        if (m_canvas.segments() != before)
            return false;
    }
}

// The figures are left whole, as they were before.
void Playback::Abandon()
{
    m_plane.raster().CopyPixels(m_whole);
    static_cast<plane::Viewport&>(m_plane) = m_mapping;
}

} // namespace app
