#pragma once

#include "plane/transforms.h"
#include "plane/viewport.h"

#include <optional>

namespace app {

// A segment in a view's pixels, unrounded, y pointing down.
struct ViewSegment {
    double x0 = 0.0;
    double y0 = 0.0;
    double x1 = 0.0;
    double y1 = 0.0;
};

// Segments are cut to this far around the view (pixels): far enough that no stroke reaching into
// the view changes, near enough that vector writers and painters keep their precision (and that
// cross products of SVG units fit in 64 bits).
inline constexpr double ViewReach = 1 << 20;

// The segment as the plane maps it but unrounded, cut to ViewReach around the view; none when
// nothing of it lies that near. A point that the plane could not draw (beyond the 64-bit pixel
// range) raises the invalid-operation fault, as on the plane, in the order x0, y0, x1, y1.
std::optional<ViewSegment> MapToView(
    const plane::Viewport& mapping, const plane::TVector3& start, const plane::TVector3& end);

} // namespace app
