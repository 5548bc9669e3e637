#pragma once

namespace plane {

// Liang-Barsky: cuts the segment (x0, y0)-(x1, y1) to the rectangle left..right by top..bottom,
// keeping its direction; false when nothing of it is inside.
bool ClipSegment(double& x0, double& y0, double& x1, double& y1, double left, double top,
    double right, double bottom);

} // namespace plane
