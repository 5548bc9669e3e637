#pragma once

#include "plane/pen_width.h"
#include "plane/raster.h"
#include "plane/transforms.h"
#include "plane/viewport.h"

#include <cstdint>

namespace plane {

// The graphic plane's drawing state without its window: the raster and its pen, the mapping of
// the world window and the line colour that Draws carry from one to the next. The plane window
// shows it.
class Plane : public Viewport {
public:
    std::uint8_t LineRed = 0; // line colour, black until a Draw sets it
    std::uint8_t LineGreen = 0;
    std::uint8_t LineBlue = 0;

    Rgb lineColour() const { return { LineRed, LineGreen, LineBlue }; }
    void SetLineColour(Rgb colour)
    {
        LineRed = colour.red;
        LineGreen = colour.green;
        LineBlue = colour.blue;
    }

    // The world rectangle x1..x2 by y1..y2 fills the raster, y growing upwards.
    void SetWorldWindow(double x1, double x2, double y1, double y2);

    // Sizes the raster; new pixels are white.
    void SetPlaneSize(int width, int height);

    // Fills the whole raster with one colour.
    void ClearPlane(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

    // The pen ignores a negative width and keeps the one it had; 0 draws as thin as 1.
    void SetPenWidth(std::int32_t width) { m_pen.Set(width); }
    std::int32_t penWidth() const { return m_pen.value(); }

    // The segment between the pixels of p1 and p2 (their x and y; w is ignored) in that
    // colour with the pen's width. A segment with a pixel beyond the raster's 32-bit
    // coordinates is cut to the raster first, so that it draws what a raster taking any pixel
    // would show. Raises the faults of XToPixel and YToPixel, in the order x1, y1, x2, y2.
    // Inline, with the points by reference, because a walk draws millions of segments a second
    // through it and most of them cost no more than this.
    [[gnu::always_inline]] void DrawLine(const TVector3& p1, const TVector3& p2, std::uint8_t red,
        std::uint8_t green, std::uint8_t blue)
    {
        const Rgb colour { red, green, blue };
        PixelPoint start;
        PixelPoint end;
        if (PixelWithin32Bits(p1.x, p1.y, start) && PixelWithin32Bits(p2.x, p2.y, end)) [[likely]] {
            DrawPixelLine(start.x, start.y, end.x, end.y, colour);
            return;
        }
        DrawFarLine(Column(p1.x), Row(p1.y), Column(p2.x), Row(p2.y), colour);
    }

    // What DrawLine draws once it has rounded its points to pixels, for a caller that rounded
    // points lying within the raster's 32-bit coordinates itself.
    [[gnu::always_inline]] void DrawPixelLine(
        std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Rgb colour)
    {
        m_raster.DrawLine(x1, y1, x2, y2, colour, m_pen.value());
    }

    const Raster& raster() const { return m_raster; }
    Raster& raster() { return m_raster; }

private:
    void DrawFarLine(double column1, double row1, double column2, double row2, Rgb colour);

    Raster m_raster;
    PenWidth m_pen;
};

} // namespace plane
