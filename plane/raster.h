#pragma once

#include "plane/drawn_lines.h"
#include "plane/rgb.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace plane {

// A pixel rectangle, right and bottom exclusive; empty when right <= left or bottom <= top.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
};

// A 24-bit raster: three bytes a pixel in the order red, green, blue, each row padded to a
// multiple of four bytes, so that a window can show it without copying. It remembers the
// rectangle changed since the last TakeDirty(), so a view repaints only what changed.
class Raster {
public:
    Raster() = default;

    int width() const { return m_width; }
    int height() const { return m_height; }
    int stride() const { return m_stride; }
    const std::uint8_t* bits() const { return m_bits.data(); }

    // The bytes the pixels of a width × height raster take.
    static std::uint64_t ByteSize(int width, int height);

    // New pixels are white; pixels that stay inside the new size keep their colour.
    void Resize(int width, int height);
    void Fill(Rgb colour);
    // Takes the pixels of a raster of the same size, as they are.
    void CopyPixels(const Raster& source);

    // The colour of a pixel of the raster; white outside it.
    Rgb Pixel(int x, int y) const;

    // A line from pixel (x0, y0) to pixel (x1, y1), both ends included, clipped to the raster.
    // A width of 1 or less draws the one-pixel line; a wider pen draws every pixel whose
    // centre lies within width / 2 of the segment (round ends). A line whose pixels all hold
    // its colour already, such as the line just drawn, is not drawn again.
    [[gnu::always_inline]] void DrawLine(int x0, int y0, int x1, int y1, Rgb colour, int width)
    {
        // Inline, because a walk of short steps asks for the line just drawn again and again.
        // The lines drawn before are looked up only when it asks for another, and only for a
        // wide pen: a one-pixel line costs hardly more to draw than to look up.
        const RasterLine line { x0, y0, x1, y1, colour.value(), std::max(width, 1) };
        if (line == m_lastLine)
            return;
        m_lastLine = line;
        if (line.width > 1 && m_drawnLines.Holds(line))
            return;
        DrawNewLine(x0, y0, x1, y1, colour, line.width);
    }

    // The rectangle changed since the last call; the record then starts empty again.
    PixelRect TakeDirty();
    // Called at the first change after the changed rectangle was taken, so that a view can
    // schedule one repaint for everything that changes until it takes the rectangle.
    void SetChangeListener(std::function<void()> changed) { m_changed = std::move(changed); }

private:
    // Takes the line's fields one by one, in registers: a line stored word by word and read back
    // whole waits for the stores.
    void DrawNewLine(int x0, int y0, int x1, int y1, Rgb colour, int width);
    // Whenever a pixel may take a colour other than the lines' that the raster remembers.
    void ForgetLines();
    void SetPixel(int x, int y, Rgb colour);
    void FillSpan(int y, int x0, int x1, Rgb colour);
    void DrawThinLine(int x0, int y0, int x1, int y1, Rgb colour);
    void DrawWideLine(double x0, double y0, double x1, double y1, Rgb colour, double radius);
    void DrawDisc(int cx, int cy, Rgb colour, int width);
    static std::int64_t DiscHalfWidth(std::int64_t h, int width);
    // DiscHalfWidth of every row of a disc of a width up to TabledWidths, by |h|.
    const std::int64_t* DiscHalves(int width);
    static constexpr int TabledWidths = 4096;
    void MarkDirty(int left, int top, int right, int bottom);

    int m_width = 0;
    int m_height = 0;
    int m_stride = 0;
    std::vector<std::uint8_t> m_bits;
    PixelRect m_dirty;
    std::function<void()> m_changed;
    RasterLine m_lastLine {}; // forgotten (width 0) whenever other pixels change
    DrawnLines m_drawnLines; // lines drawn in m_drawnColour since other pixels changed
    std::uint32_t m_drawnColour = 0;
    // The half widths of the rows of a disc of pen width m_discWidth, by distance from its
    // centre row, for the pen widths that a walk keeps using.
    int m_discWidth = 0;
    std::vector<std::int64_t> m_discHalves;
};

} // namespace plane
