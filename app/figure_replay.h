#pragma once

#include "app/drawn_figure.h"
#include "lsystem/turtle.h"
#include "plane/plane.h"

#include <chrono>
#include <cstdint>
#include <vector>

namespace app {

// What drawing figures again took.
struct ReplayReport {
    std::uint64_t symbols = 0; // symbols walked, all figures together
    std::uint64_t segments = 0; // segments drawn
    std::chrono::nanoseconds drawing {}; // rewriting, walking and drawing
};

// Draws the figures again, in order, as they were drawn on the plane: each through RunDraw
// with its fields and decimal separator, a random generator started from its seed, its
// colourBefore as the plane's line colour and its symbolsWalked as the limit. The plane's
// size sets the mapping of every figure's world window. A field or arithmetic error of a figure
// is raised as Draw raises it; what was drawn before stays.
ReplayReport ReplayFigures(
    const std::vector<DrawnFigure>& figures, plane::Plane& plane, lsystem::Canvas& canvas);

// The figures drawn again on a white size × size plane, pen widths scaled by size / 700 so
// that they look as they did on the 700 × 700 plane.
ReplayReport RenderFigures(const std::vector<DrawnFigure>& figures, int size, plane::Plane& plane);

} // namespace app
