#pragma once

#include "app/core/drawn_figure.h"
#include "app/core/plane_size.h"
#include "app/core/session_job.h"
#include "plane/raster.h"

#include <memory>

namespace app {

// What an animation of one figure shows.
enum class AnimationKind {
    Growth, // one frame for each substitution count from 0 to the figure's own
    Drawing, // the figure's walk, a further share of its symbols in each frame
};

// The frames' time on screen: between frames, and how long the last one stays, so that the
// finished figure is seen before the animation starts again.
inline constexpr int GrowthDelayMs = 700;
inline constexpr int DrawingDelayMs = 100;
int DefaultDelayMs(AnimationKind kind);
// Four times the delay, and at least 2 s.
int LastFrameDelayMs(int delayMs);

struct AnimationSettings {
    AnimationKind kind = AnimationKind::Growth;
    int drawingFrames = 50; // frames of a drawing animation, at least 1; a growth has its own
    int size = PlaneSize; // the frames' width and height in pixels
    int delayMs = GrowthDelayMs;
};

// The frames of an animation, drawn a slice at a time onto a white size × size raster exactly
// as a PNG picture of the same figure is drawn (PicturePlane): frame after frame, one raster at
// a time, so that memory does not grow with the number of frames.
//
// Growth: frame k is the figure with k substitutions, whole, drawn on a raster of its own with
// the figure's seed and colour before, as a picture of that count alone would be.
// Drawing: frame i is the figure's walk up to (i + 1) / frames of its symbols (of the symbols
// its record walked, for a figure that Stop ended), the frames drawn on one raster; the last is
// the whole figure.
class AnimationFrames {
public:
    using Clock = SessionJob::Clock;

    virtual ~AnimationFrames() = default;

    virtual int frameCount() const = 0;
    // Draws the current frame on until the deadline; returns true once it is complete and
    // raster() shows it. A fault of the figure's fields or arithmetic is raised as Draw
    // raises it.
    virtual bool RunSlice(Clock::time_point deadline) = 0;
    // Starts the next frame; false when the complete frame was the last.
    virtual bool NextFrame() = 0;
    virtual const plane::Raster& raster() const = 0;
    // Once the frame is complete: the part of the raster that may differ from the frame
    // before; the whole raster for the first frame. It may be empty.
    virtual plane::PixelRect changed() const = 0;
    // The share of the frames drawn, 0 to 1.
    virtual double progress() const = 0;
};

std::unique_ptr<AnimationFrames> MakeAnimationFrames(
    const DrawnFigure& figure, const AnimationSettings& settings);

} // namespace app
