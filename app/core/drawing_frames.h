#pragma once

#include "app/core/animation_frames.h"
#include "app/core/picture_plane.h"
#include "app/core/replay_job.h"
#include "lsystem/turtle.h"

#include <cstdint>
#include <optional>

namespace app {

// The drawing of a figure: one walk on one raster, paused after each frame's share of the
// symbols, so that frame i shows the walk as a Stop after (i + 1) / frames of the symbols would
// have left it, and the last frame the figure as its record draws it.
class DrawingFrames final : public AnimationFrames {
public:
    // `frames` is at least 1.
    DrawingFrames(DrawnFigure figure, int frames, int size);

    int frameCount() const override { return m_frames; }
    bool RunSlice(Clock::time_point deadline) override;
    bool NextFrame() override;
    const plane::Raster& raster() const override { return m_plane.raster(); }
    plane::PixelRect changed() const override { return m_changed; }
    double progress() const override;

private:
    void StartWalk();
    // The symbols walked by the end of the frame.
    std::uint64_t LimitOf(int frame) const;

    DrawnFigure m_figure;
    int m_frames;
    int m_size;
    int m_frame = 0;
    PicturePlane m_plane;
    std::optional<FigureWalk> m_walk; // started by the first slice, where a fault belongs
    std::uint64_t m_symbols = 0; // of the whole animation
    bool m_complete = false;
    plane::PixelRect m_changed;
};

} // namespace app
