#pragma once

#include "app/core/pictures/mapped_canvas.h"
#include "plane/plane.h"

#include <cstddef>
#include <cstdint>

namespace app {

// Draws the walk on a plane: each segment is drawn with DrawLine in the walk's colour, the pen
// taking the segment's width first (a negative width leaves the pen as it is). A figure's mapping
// becomes the plane's. Whoever shows the plane repaints its changed area.
class PlaneCanvas final : public MappedCanvas {
public:
    explicit PlaneCanvas(plane::Plane& plane)
        : m_plane(plane)
    {
    }

    void SetMapping(const plane::Viewport& mapping) override
    {
        static_cast<plane::Viewport&>(m_plane) = mapping;
    }
    void DrawSegment(const plane::TVector3& start, const plane::TVector3& end, plane::Rgb colour,
        std::int32_t penWidth) override;
    // The world rectangle whose points map within 2^30 pixels of the raster's origin under the
    // plane's mapping as it stands, where drawing cannot fail; none where the mapping is too far
    // out for the rounding of the rectangle's own edges to be sure.
    lsystem::BatchWindow batchWindow() const override;
    void DrawSegments(
        const lsystem::BatchedSegment* segments, std::size_t count, plane::Rgb colour) override;

private:
    plane::Plane& m_plane;
};

} // namespace app
