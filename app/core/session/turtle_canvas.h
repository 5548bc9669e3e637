#pragma once

#include "app/core/jobs/session_job.h"
#include "app/core/pictures/mapped_canvas.h"
#include "app/core/pictures/plane_canvas.h"
#include "plane/plane.h"

#include <cmath>
#include <cstdint>
#include <optional>

namespace app {

// Passes segments on to the plane, remembering the last one for the turtle's marker.
class TurtleCanvas final : public MappedCanvas {
public:
    explicit TurtleCanvas(plane::Plane& plane);

    void SetMapping(const plane::Viewport& mapping) override { m_canvas.SetMapping(mapping); }
    void DrawSegment(const plane::TVector3& start, const plane::TVector3& end, plane::Rgb colour,
        std::int32_t penWidth) override;

    const std::optional<TurtleMarker>& marker() const { return m_marker; }
    std::uint64_t segments() const { return m_segments; }

private:
    plane::Plane& m_plane;
    PlaneCanvas m_canvas;
    double m_heading = -M_PI / 2; // up, as the turtle starts
    std::optional<TurtleMarker> m_marker;
    std::uint64_t m_segments = 0;
};

} // namespace app
