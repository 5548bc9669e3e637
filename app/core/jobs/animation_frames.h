#pragma once

#include "app/core/jobs/animation_steps.h"
#include "app/core/jobs/replay_job.h"
#include "app/core/jobs/session_job.h"
#include "app/core/pictures/picture_plane.h"
#include "app/core/pictures/plane_size.h"
#include "app/core/record/drawn_figure.h"
#include "plane/raster.h"

#include <cstdint>
#include <memory>

namespace app {

// What an animation of one figure shows.
enum class AnimationKind {
    Growth, // one frame for each substitution count from 0 to the figure's own
    Drawing, // the figure's walk, a further share of its symbols in each frame (the last whole)
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

// The steps of the animation of one figure that the settings ask for: its growth to its own
// count, or its drawing in settings.drawingFrames frames.
AnimationSteps AnimationStepsFor(const DrawnFigure& figure, const AnimationSettings& settings);
// The same for the figure that a Draw of `fields` would draw from the generator state `seed`
// after the line colour colourBefore. A growth's record is prepared at 0 substitutions, so that
// each later step raises the faults of its own count when it comes, as a Draw at that count
// would; the fields' errors are raised here.
AnimationSteps AnimationStepsFor(const PanelFields& fields, std::uint32_t seed,
    plane::Rgb colourBefore, const AnimationSettings& settings);

// The frames of an animation, one a step, drawn a slice at a time onto a white size × size
// raster exactly as a PNG picture of the same figures is drawn (PicturePlane): frame after
// frame, one raster at a time, so that memory does not grow with the number of frames. A step
// that walks on from the one before draws on the same raster; one that walks records of its own
// has a raster of its own.
class AnimationFrames {
public:
    using Clock = SessionJob::Clock;

    AnimationFrames(AnimationSteps steps, int size);
    ~AnimationFrames();
    AnimationFrames(const AnimationFrames&) = delete;
    AnimationFrames& operator=(const AnimationFrames&) = delete;

    std::uint64_t frameCount() const { return m_steps.count(); }
    // Draws the current frame on until the deadline; returns true once it is complete and
    // raster() shows it. A fault of the figure's fields or arithmetic is raised as Draw
    // raises it.
    bool RunSlice(Clock::time_point deadline);
    // Starts the next frame; false when the complete frame was the last.
    bool NextFrame();
    const plane::Raster& raster() const { return m_plane->raster(); }
    // Once the frame is complete: the part of the raster that may differ from the frame
    // before; the whole raster for the first frame. It may be empty.
    plane::PixelRect changed() const { return m_changed; }
    // The share of the animation's work done, 0 to 1 (AnimationSteps::Progress).
    double progress() const;

private:
    // A fresh raster and a walk of the current step's records.
    void StartWalk();

    AnimationSteps m_steps;
    int m_size;
    std::uint64_t m_frame = 0;
    std::unique_ptr<PicturePlane> m_plane;
    std::unique_ptr<ReplayJob> m_walk; // draws on m_plane
    bool m_complete = false;
    // What the frame before drew on its white raster, and the current frame: a pixel outside
    // both is white in both.
    plane::PixelRect m_inkBefore;
    plane::PixelRect m_changed;
};

} // namespace app
