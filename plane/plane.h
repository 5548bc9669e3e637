#pragma once

#include "plane/pen_width.h"
#include "plane/raster.h"
#include "plane/transforms.h"
#include "plane/viewport.h"

#include <cstdint>
#include <string>

namespace plane {

// The graphic plane's drawing state without its window: the raster and its pen, the world
// window and its mapping, the segment being drawn, the line colour, the segment rotation, and
// the values the expression evaluator reads and writes (its variables and error text). The plane
// window shows it.
class Plane : public Viewport {
public:
    TVector3 SegStart; // start point of the segment being drawn, world coordinates
    TVector3 RotStart; // SegStart turned by Rotation
    TVector3 SegEnd; // end point of the segment being drawn
    TVector3 RotEnd; // SegEnd turned by Rotation
    double X1 = 0.0; // world window: left, right, bottom and top bound
    double X2 = 0.0;
    double Y1 = 0.0;
    double Y2 = 0.0;
    // The expression variables X, Y, T, R, S, Z, K, N: nothing sets them, so they read 0.
    double VarX = 0.0;
    double VarY = 0.0;
    double VarT = 0.0;
    double VarR = 0.0;
    double VarS = 0.0;
    double VarZ = 0.0;
    double VarK = 0.0;
    double VarN = 0.0;
    std::uint8_t LineRed = 0; // line colour, black until a Draw sets it
    std::uint8_t LineGreen = 0;
    std::uint8_t LineBlue = 0;
    TMatrix3 Rotation; // the rotation applied to the segment being drawn
    std::string ErrorText; // message of the last failed evaluation

    // The world rectangle x1..x2 by y1..y2 fills the raster, y growing upwards.
    void SetWorldWindow(double x1, double x2, double y1, double y2);

    // Sizes the raster; new pixels are white.
    void SetPlaneSize(int width, int height);

    // Fills the whole raster with one colour; pen and brush take that colour.
    void ClearPlane(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

    // The pen ignores a negative width and keeps the one it had; 0 draws as thin as 1.
    void SetPenWidth(std::int32_t width);
    std::int32_t penWidth() const { return m_pen.value(); }
    Rgb penColour() const { return m_penColour; }

    // The segment between the pixels of p1 and p2 (their x and y; w is ignored) in that
    // colour with the pen's width. A segment with a pixel beyond the raster's 32-bit
    // coordinates is cut to the raster first, so that it draws what a raster taking any pixel
    // would show. Raises the faults of XToPixel and YToPixel, in the order x1, y1, x2, y2.
    void DrawLine(
        TVector3 p1, TVector3 p2, std::uint8_t red, std::uint8_t green, std::uint8_t blue);

    const Raster& raster() const { return m_raster; }
    Raster& raster() { return m_raster; }

private:
    void DrawFarLine(double column1, double row1, double column2, double row2, Rgb colour);

    Raster m_raster;
    PenWidth m_pen;
    Rgb m_penColour;
};

} // namespace plane
