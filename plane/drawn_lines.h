#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace plane {

// A line as the raster draws it: its end pixels, both included, its colour as Rgb::value()
// and its width (1 for every width that draws the one-pixel line, 0 for no line). Six whole
// words, so that comparing two lines is comparing three pairs of them.
struct RasterLine {
    int x0, y0, x1, y1;
    std::uint32_t colour;
    int width;
    friend bool operator==(const RasterLine&, const RasterLine&) = default;
};

// Remembers lines whose every pixel the raster holds in the line's colour, so that drawing one
// again can be left out: drawing only sets pixels to the line's colour. A walk of steps far
// below a pixel asks for the same few lines over and over, and comes back to them after its
// branches. The raster forgets them all whenever a pixel may have taken another colour.
//
// Each line is kept in one of a fixed number of places chosen by its pixels, so a look-up costs
// one comparison and memory does not grow with the figure; a line that another pushed out is
// just drawn again.
class DrawnLines {
public:
    DrawnLines() { Forget(); }

    [[gnu::always_inline]] bool Holds(const RasterLine& line) const
    {
        return m_places[PlaceOf(line)] == line;
    }

    // Remembers a line just drawn, with the discs at its ends: where the ends are pixels near
    // the raster and the pen is not huge, the disc that a zero-length line draws is part of the
    // line's pixels, its round ends being discs by the same rule.
    [[gnu::always_inline]] void Remember(const RasterLine& line)
    {
        m_places[PlaceOf(line)] = line;
        if (line.width > MaxCoveredWidth)
            return;
        if (Near(line.x0) && Near(line.y0))
            RememberDisc(line.x0, line.y0, line);
        if (Near(line.x1) && Near(line.y1))
            RememberDisc(line.x1, line.y1, line);
    }

    void Forget() { m_places.fill({}); }

private:
    // Pens and pixels within these bounds give the disc of an end exactly the pixels of the
    // line's round end: the square roots and sums of the wide line then round without crossing
    // an integer.
    static constexpr int MaxCoveredWidth = 4096;
    static constexpr int NearBound = 1 << 20;
    static bool Near(int coordinate) { return coordinate > -NearBound && coordinate < NearBound; }
    void RememberDisc(int x, int y, const RasterLine& line)
    {
        const RasterLine disc { x, y, x, y, line.colour, line.width };
        m_places[PlaceOf(disc)] = disc;
    }

    static constexpr int PlaceBits = 9;
    [[gnu::always_inline]] static std::size_t PlaceOf(const RasterLine& line)
    {
        const std::uint64_t start = std::uint64_t { std::uint32_t(line.x0) }
            | std::uint64_t { std::uint32_t(line.y0) } << 32;
        const std::uint64_t end = std::uint64_t { std::uint32_t(line.x1) }
            | std::uint64_t { std::uint32_t(line.y1) } << 32;
        const std::uint64_t mixed = start * 0x9E3779B97F4A7C15u ^ end * 0xC2B2AE3D27D4EB4Fu
            ^ std::uint64_t { std::uint32_t(line.width) } * 0x165667B19E3779F9u;
        return static_cast<std::size_t>(mixed >> (64 - PlaceBits));
    }

    std::array<RasterLine, std::size_t { 1 } << PlaceBits> m_places;
};

} // namespace plane
