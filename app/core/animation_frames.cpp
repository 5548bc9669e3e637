#include "app/core/animation_frames.h"

#include "app/core/drawing_frames.h"
#include "app/core/growth_frames.h"

#include <algorithm>

namespace app {

int DefaultDelayMs(AnimationKind kind)
{
    return kind == AnimationKind::Growth ? GrowthDelayMs : DrawingDelayMs;
}

int LastFrameDelayMs(int delayMs)
{
    return std::max(4 * delayMs, 2000);
}

std::unique_ptr<AnimationFrames> MakeAnimationFrames(
    const DrawnFigure& figure, const AnimationSettings& settings)
{
    if (settings.kind == AnimationKind::Growth)
        return std::make_unique<GrowthFrames>(figure, settings.size);
    return std::make_unique<DrawingFrames>(figure, settings.drawingFrames, settings.size);
}

} // namespace app
