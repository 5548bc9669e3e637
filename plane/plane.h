#pragma once

#include "plane/pen_width.h"
#include "plane/raster.h"
#include "plane/transforms.h"
#include "plane/viewport.h"

#include <cmath>
#include <cstdint>

namespace plane {

// The graphic plane's drawing state without its window: the raster and its pen, the mapping of
// the world window, the segment being drawn and the line colour that Draws carry from one to the
// next. The plane window shows it.
class Plane : public Viewport {
public:
    TVector3 SegStart; // start point of the segment being drawn, world coordinates
    TVector3 SegEnd; // end point of the segment being drawn
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

    // Fills the whole raster with one colour; pen and brush take that colour.
    void ClearPlane(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

    // The pen ignores a negative width and keeps the one it had; 0 draws as thin as 1.
    void SetPenWidth(std::int32_t width) { m_pen.Set(width); }
    std::int32_t penWidth() const { return m_pen.value(); }
    Rgb penColour() const { return m_penColour; }

    // The segment between the pixels of p1 and p2 (their x and y; w is ignored) in that
    // colour with the pen's width. A segment with a pixel beyond the raster's 32-bit
    // coordinates is cut to the raster first, so that it draws what a raster taking any pixel
    // would show. Raises the faults of XToPixel and YToPixel, in the order x1, y1, x2, y2.
    // Inline, with the points by reference, because a walk draws millions of segments a second
    // through it and most of them cost no more than this.
    [[gnu::always_inline]] void DrawLine(const TVector3& p1, const TVector3& p2, std::uint8_t red,
        std::uint8_t green, std::uint8_t blue)
    {
        // The raster is handed the colour as it came, not as read back from the pen: reading
        // the three bytes just stored one by one would wait for the stores to finish.
        const Rgb colour { red, green, blue };
        const double column1 = Column(p1.x);
        const double row1 = Row(p1.y);
        const double column2 = Column(p2.x);
        const double row2 = Row(p2.y);
        // The common case costs the one comparison a value that the rounding needs anyway.
        if (std::fabs(column1) < Within32Bits && std::fabs(row1) < Within32Bits
            && std::fabs(column2) < Within32Bits && std::fabs(row2) < Within32Bits) [[likely]] {
            DrawPixelLine(static_cast<std::int32_t>(PixelNear(column1)),
                static_cast<std::int32_t>(PixelNear(row1)),
                static_cast<std::int32_t>(PixelNear(column2)),
                static_cast<std::int32_t>(PixelNear(row2)), colour);
            return;
        }
        m_penColour = colour;
        DrawFarLine(column1, row1, column2, row2, colour);
    }

    // What DrawLine draws once it has rounded its points to pixels, for a caller that rounded
    // points lying within the raster's 32-bit coordinates itself.
    [[gnu::always_inline]] void DrawPixelLine(
        std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Rgb colour)
    {
        m_penColour = colour;
        m_raster.DrawLine(x1, y1, x2, y2, colour, m_pen.value());
    }

    const Raster& raster() const { return m_raster; }
    Raster& raster() { return m_raster; }

private:
    void DrawFarLine(double column1, double row1, double column2, double row2, Rgb colour);

    Raster m_raster;
    PenWidth m_pen;
    Rgb m_penColour;
};

} // namespace plane
