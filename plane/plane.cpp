#include "plane/plane.h"

namespace plane {

void Plane::SetWorldWindow(double x1, double x2, double y1, double y2)
{
    Viewport::SetWorldWindow(x1, x2, y1, y2, m_raster.width(), m_raster.height());
}

void Plane::SetPlaneSize(int width, int height)
{
    m_raster.Resize(width, height);
}

void Plane::ClearPlane(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    m_penColour = { red, green, blue };
    m_raster.Fill(m_penColour);
}

void Plane::SetPenWidth(std::int32_t width)
{
    m_pen.Set(width);
}

void Plane::DrawLine(
    TVector3 p1, TVector3 p2, std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    // The raster is handed the colour as it came, not as read back from the pen: reading the
    // three bytes just stored one by one would wait for the stores to finish.
    const Rgb colour { red, green, blue };
    m_penColour = colour;
    const std::int32_t x1 = XToPixel(p1.x);
    const std::int32_t y1 = YToPixel(p1.y);
    const std::int32_t x2 = XToPixel(p2.x);
    const std::int32_t y2 = YToPixel(p2.y);
    m_raster.DrawLine(x1, y1, x2, y2, colour, m_pen.value());
}

} // namespace plane
