#pragma once

#include "app/core/animation_frames.h"
#include "app/core/picture_plane.h"
#include "app/core/replay_job.h"

#include <memory>

namespace app {

// The growth of a figure: frame k is the figure with k substitutions (its GrowthStep), for k from
// 0 to its own count, each drawn whole on a fresh raster (the record's symbolsWalked is not used).
class GrowthFrames final : public AnimationFrames {
public:
    GrowthFrames(DrawnFigure figure, int size);

    int frameCount() const override { return m_figure.walk.params.SubstCount + 1; }
    bool RunSlice(Clock::time_point deadline) override;
    bool NextFrame() override;
    const plane::Raster& raster() const override { return m_plane->raster(); }
    plane::PixelRect changed() const override { return m_changed; }
    double progress() const override;

private:
    void StartFrame();

    DrawnFigure m_figure;
    int m_size;
    std::int32_t m_count = 0; // of the current frame
    std::unique_ptr<PicturePlane> m_plane;
    std::unique_ptr<ReplayJob> m_replay; // draws on m_plane
    bool m_complete = false;
    // What the frame before drew on its white raster, and the current frame: a pixel outside
    // both is white in both.
    plane::PixelRect m_inkBefore;
    plane::PixelRect m_changed;
};

} // namespace app
