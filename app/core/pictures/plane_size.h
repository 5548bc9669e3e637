#pragma once

namespace app {

// The width and height of the plane in pixels: the plane window's client area, the size
// pictures are drawn at unless asked otherwise, and the SVG document's view.
inline constexpr int PlaneSize = 700;

} // namespace app
