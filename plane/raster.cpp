#include "plane/raster.h"

#include "plane/clip.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace plane {

namespace {

// The largest r with r * r <= n, for 0 <= n < 2^62.
std::int64_t IntegerSqrt(std::int64_t n)
{
    auto root = static_cast<std::int64_t>(std::sqrt(static_cast<double>(n)));
    while (root * root > n)
        --root;
    while ((root + 1) * (root + 1) <= n)
        ++root;
    return root;
}

// The x interval where lo <= a * x + c <= hi, as [from, to]; empty when from > to.
void SolveLinear(double a, double c, double lo, double hi, double& from, double& to)
{
    if (a == 0.0) {
        const bool inside = c >= lo && c <= hi;
        from = inside ? -HUGE_VAL : HUGE_VAL;
        to = inside ? HUGE_VAL : -HUGE_VAL;
        return;
    }
    double u = (lo - c) / a;
    double v = (hi - c) / a;
    if (u > v)
        std::swap(u, v);
    from = u;
    to = v;
}

// Three bytes a pixel, each row padded to a multiple of four bytes.
int StrideOf(int width)
{
    return (width * 3 + 3) & ~3;
}

} // namespace

std::uint64_t Raster::ByteSize(int width, int height)
{
    return static_cast<std::uint64_t>(StrideOf(std::max(width, 0)))
        * static_cast<std::uint64_t>(std::max(height, 0));
}

void Raster::Resize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    const int stride = StrideOf(width);
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(ByteSize(width, height)), 255);
    const int keepRows = std::min(height, m_height);
    const int keepBytes = std::min(width, m_width) * 3;
    for (int y = 0; y < keepRows; ++y)
        std::copy_n(&m_bits[static_cast<std::size_t>(y) * m_stride], keepBytes,
            &bits[static_cast<std::size_t>(y) * stride]);
    m_width = width;
    m_height = height;
    m_stride = stride;
    m_bits.swap(bits);
    ForgetLines();
    MarkDirty(0, 0, width, height);
}

void Raster::Fill(Rgb colour)
{
    for (int y = 0; y < m_height; ++y)
        FillSpan(y, 0, m_width - 1, colour);
    ForgetLines();
    MarkDirty(0, 0, m_width, m_height);
}

void Raster::CopyPixels(const Raster& source)
{
    if (source.m_width != m_width || source.m_height != m_height)
        return;
    m_bits = source.m_bits;
    ForgetLines();
    MarkDirty(0, 0, m_width, m_height);
}

Rgb Raster::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return { 255, 255, 255 };
    const std::uint8_t* p = &m_bits[static_cast<std::size_t>(y) * m_stride + x * 3];
    return { p[0], p[1], p[2] };
}

void Raster::SetPixel(int x, int y, Rgb colour)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    std::uint8_t* p = &m_bits[static_cast<std::size_t>(y) * m_stride + x * 3];
    p[0] = colour.red;
    p[1] = colour.green;
    p[2] = colour.blue;
}

void Raster::FillSpan(int y, int x0, int x1, Rgb colour)
{
    x0 = std::max(x0, 0);
    x1 = std::min(x1, m_width - 1);
    std::uint8_t* p = &m_bits[static_cast<std::size_t>(y) * m_stride + x0 * 3];
    for (int x = x0; x <= x1; ++x, p += 3) {
        p[0] = colour.red;
        p[1] = colour.green;
        p[2] = colour.blue;
    }
}

void Raster::ForgetLines()
{
    m_lastLine = {};
    m_drawnLines.Forget();
}

void Raster::DrawNewLine(int x0, int y0, int x1, int y1, Rgb colour, int width)
{
    // A line of another colour, thin or wide, may cover pixels of the lines remembered.
    const std::uint32_t colourValue = colour.value();
    if (colourValue != m_drawnColour) {
        m_drawnLines.Forget();
        m_drawnColour = colourValue;
    }
    if (width == 1) {
        DrawThinLine(x0, y0, x1, y1, colour);
        return;
    }
    m_drawnLines.Remember({ x0, y0, x1, y1, colourValue, width });
    if (x0 == x1 && y0 == y1) {
        DrawDisc(x0, y0, colour, width);
        return;
    }
    DrawWideLine(x0, y0, x1, y1, colour, width / 2.0);
}

void Raster::DrawThinLine(int x0, int y0, int x1, int y1, Rgb colour)
{
    if (x0 == x1 && y0 == y1) {
        if (x0 >= 0 && y0 >= 0 && x0 < m_width && y0 < m_height) {
            SetPixel(x0, y0, colour);
            MarkDirty(x0, y0, x0 + 1, y0 + 1);
        }
        return;
    }
    const bool inside = x0 >= 0 && y0 >= 0 && x0 < m_width && y0 < m_height && x1 >= 0 && y1 >= 0
        && x1 < m_width && y1 < m_height;
    if (!inside) {
        // Cut a line that reaches outside to a margin of one pixel, so that a line between
        // far-away pixels costs no more than one across the raster. A line wholly beyond one
        // side of the margin is the common case and needs no cutting to be left out.
        if (std::max(x0, x1) < -1 || std::min(x0, x1) > m_width || std::max(y0, y1) < -1
            || std::min(y0, y1) > m_height)
            return;
        double fx0 = x0, fy0 = y0, fx1 = x1, fy1 = y1;
        if (!ClipSegment(fx0, fy0, fx1, fy1, -1.0, -1.0, m_width, m_height))
            return;
        x0 = static_cast<int>(std::lround(fx0));
        y0 = static_cast<int>(std::lround(fy0));
        x1 = static_cast<int>(std::lround(fx1));
        y1 = static_cast<int>(std::lround(fy1));
    }
    MarkDirty(std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 1, std::max(y0, y1) + 1);
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        SetPixel(x0, y0, colour);
        if (x0 == x1 && y0 == y1)
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

void Raster::DrawWideLine(double x0, double y0, double x1, double y1, Rgb colour, double radius)
{
    // Parts farther than the radius from the raster cannot colour a pixel of it.
    const double margin = radius + 1.0;
    if (!ClipSegment(x0, y0, x1, y1, -margin, -margin, m_width - 1 + margin, m_height - 1 + margin))
        return;
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double length = std::hypot(dx, dy);
    const double ux = length > 0.0 ? dx / length : 0.0;
    const double uy = length > 0.0 ? dy / length : 0.0;
    const double r2 = radius * radius;

    const auto top = static_cast<int>(std::max(0.0, std::floor(std::min(y0, y1) - radius)));
    const auto bottom
        = static_cast<int>(std::min(m_height - 1.0, std::ceil(std::max(y0, y1) + radius)));
    PixelRect drawn { m_width, m_height, 0, 0 };
    for (int y = top; y <= bottom; ++y) {
        // The pixel centres of this row within the radius of the segment form one interval:
        // the union of the two end discs and the band along the segment.
        double from = HUGE_VAL;
        double to = -HUGE_VAL;
        for (const double* end : { &x0, &x1 }) {
            const double ey = end == &x0 ? y0 : y1;
            const double h = y - ey;
            if (h * h <= r2) {
                const double s = std::sqrt(r2 - h * h);
                from = std::min(from, *end - s);
                to = std::max(to, *end + s);
            }
        }
        if (length > 0.0) {
            double alongFrom, alongTo, acrossFrom, acrossTo;
            SolveLinear(ux, (y - y0) * uy - x0 * ux, 0.0, length, alongFrom, alongTo);
            SolveLinear(-uy, (y - y0) * ux + x0 * uy, -radius, radius, acrossFrom, acrossTo);
            const double bandFrom = std::max(alongFrom, acrossFrom);
            const double bandTo = std::min(alongTo, acrossTo);
            if (bandFrom <= bandTo) {
                from = std::min(from, bandFrom);
                to = std::max(to, bandTo);
            }
        }
        if (from > to)
            continue;
        const double clippedFrom = std::max(std::ceil(from), 0.0);
        const double clippedTo = std::min(std::floor(to), m_width - 1.0);
        if (clippedFrom > clippedTo)
            continue;
        const int spanFrom = static_cast<int>(clippedFrom);
        const int spanTo = static_cast<int>(clippedTo);
        FillSpan(y, spanFrom, spanTo, colour);
        drawn = { std::min(drawn.left, spanFrom), std::min(drawn.top, y),
            std::max(drawn.right, spanTo + 1), std::max(drawn.bottom, y + 1) };
    }
    MarkDirty(drawn.left, drawn.top, drawn.right, drawn.bottom);
}

// The pixels of a zero-length wide line, in integers: the centre (x, y) is within width / 2 of
// (cx, cy) when 4 * ((x - cx)^2 + h^2) <= width^2, h being the row's distance from cy.
void Raster::DrawDisc(int cx, int cy, Rgb colour, int width)
{
    const std::int64_t reach = width / 2;
    const auto top = static_cast<int>(std::max<std::int64_t>(std::int64_t { cy } - reach, 0));
    const auto bottom
        = static_cast<int>(std::min<std::int64_t>(std::int64_t { cy } + reach, m_height - 1));
    const auto left = static_cast<int>(std::max<std::int64_t>(cx - reach, 0));
    const auto right = static_cast<int>(std::min<std::int64_t>(cx + reach, m_width - 1));
    if (top > bottom || left > right)
        return;
    const auto fillRow = [&](int y, std::int64_t half) {
        FillSpan(y, static_cast<int>(std::max<std::int64_t>(cx - half, left)),
            static_cast<int>(std::min<std::int64_t>(cx + half, right)), colour);
    };
    if (width > TabledWidths) {
        for (int y = top; y <= bottom; ++y)
            fillRow(y, DiscHalfWidth(std::int64_t { y } - cy, width));
    } else {
        // The table is looked up once a disc, not once a row.
        const std::int64_t* const halves = DiscHalves(width);
        for (int y = top; y <= bottom; ++y) {
            const std::int64_t h = std::int64_t { y } - cy;
            fillRow(y, halves[h < 0 ? -h : h]);
        }
    }
    MarkDirty(left, top, right + 1, bottom + 1);
}

// The largest dx with 4 * (dx^2 + h^2) <= width^2, for |h| <= width / 2.
std::int64_t Raster::DiscHalfWidth(std::int64_t h, int width)
{
    const std::int64_t widthSquared = std::int64_t { width } * width;
    return IntegerSqrt((widthSquared - 4 * h * h) / 4);
}

const std::int64_t* Raster::DiscHalves(int width)
{
    if (width != m_discWidth) {
        m_discHalves.resize(static_cast<std::size_t>(width / 2 + 1));
        for (std::int64_t row = 0; row <= width / 2; ++row)
            m_discHalves[static_cast<std::size_t>(row)] = DiscHalfWidth(row, width);
        m_discWidth = width;
    }
    return m_discHalves.data();
}

void Raster::MarkDirty(int left, int top, int right, int bottom)
{
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, m_width);
    bottom = std::min(bottom, m_height);
    if (right <= left || bottom <= top)
        return;
    if (m_dirty.empty()) {
        m_dirty = { left, top, right, bottom };
        if (m_changed)
            m_changed();
        return;
    }
    m_dirty.left = std::min(m_dirty.left, left);
    m_dirty.top = std::min(m_dirty.top, top);
    m_dirty.right = std::max(m_dirty.right, right);
    m_dirty.bottom = std::max(m_dirty.bottom, bottom);
}

PixelRect Raster::TakeDirty()
{
    const PixelRect dirty = m_dirty;
    m_dirty = {};
    return dirty;
}

} // namespace plane
