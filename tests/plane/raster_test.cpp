#include "plane/raster.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <utility>

namespace plane {
namespace {

const Rgb White { 255, 255, 255 };
const Rgb Ink { 10, 20, 30 };

Raster BlankRaster(int width = 64, int height = 48)
{
    Raster raster;
    raster.Resize(width, height);
    raster.TakeDirty();
    return raster;
}

int CountInk(const Raster& raster)
{
    int count = 0;
    for (int y = 0; y < raster.height(); ++y) {
        for (int x = 0; x < raster.width(); ++x)
            count += raster.Pixel(x, y) == Ink;
    }
    return count;
}

TEST(Raster, RowsArePaddedToFourBytesAndPixelsBeyondThemReadWhite)
{
    Raster raster = BlankRaster(5, 3);
    raster.Fill(Ink);
    EXPECT_EQ(raster.stride(), 16);
    EXPECT_EQ(raster.Pixel(4, 2), Ink);
    for (const auto& [x, y] : { std::pair { 5, 0 }, { 0, 3 }, { -1, 0 }, { 0, -1 } })
        EXPECT_EQ(raster.Pixel(x, y), White) << x << ", " << y;
}

TEST(Raster, ResizeKeepsOldPixelsAndWhitensNewOnes)
{
    Raster raster = BlankRaster(4, 4);
    raster.DrawLine(3, 3, 3, 3, Ink, 1);
    raster.Resize(6, 5);
    EXPECT_EQ(raster.Pixel(3, 3), Ink);
    EXPECT_EQ(raster.Pixel(5, 4), White);
    EXPECT_EQ(CountInk(raster), 1);
}

struct ThinCase {
    const char* name;
    int x0, y0, x1, y1;
    int pixels;
};

void PrintTo(const ThinCase& row, std::ostream* out)
{
    *out << row.name;
}

const ThinCase ThinCases[] = {
    { "Point", 5, 6, 5, 6, 1 },
    { "Horizontal", 2, 3, 12, 3, 11 },
    { "VerticalUpwards", 7, 30, 7, 10, 21 },
    { "Diagonal", 0, 0, 20, 20, 21 },
    { "Steep", 3, 1, 8, 40, 40 },
    { "Shallow", 60, 2, 1, 9, 60 },
};

class ThinLine : public testing::TestWithParam<ThinCase> { };

// A thin line is 8-connected, holds both ends and one pixel per step along its longer axis.
TEST_P(ThinLine, CoversBothEndsWithOnePixelPerStep)
{
    const ThinCase& row = GetParam();
    Raster raster = BlankRaster();
    raster.DrawLine(row.x0, row.y0, row.x1, row.y1, Ink, 1);
    EXPECT_EQ(raster.Pixel(row.x0, row.y0), Ink);
    EXPECT_EQ(raster.Pixel(row.x1, row.y1), Ink);
    EXPECT_EQ(CountInk(raster), row.pixels);
    const PixelRect dirty = raster.TakeDirty();
    EXPECT_EQ(dirty.left, std::min(row.x0, row.x1));
    EXPECT_EQ(dirty.top, std::min(row.y0, row.y1));
    EXPECT_EQ(dirty.right, std::max(row.x0, row.x1) + 1);
    EXPECT_EQ(dirty.bottom, std::max(row.y0, row.y1) + 1);
    EXPECT_TRUE(raster.TakeDirty().empty());
}

INSTANTIATE_TEST_SUITE_P(Raster, ThinLine, testing::ValuesIn(ThinCases),
    [](const testing::TestParamInfo<ThinCase>& info) { return info.param.name; });

// The squared distance from a pixel centre to the segment, in integers where they suffice.
double DistanceSquared(int px, int py, int x0, int y0, int x1, int y1)
{
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double along = (px - x0) * dx + (py - y0) * dy;
    const double lengthSquared = dx * dx + dy * dy;
    if (along <= 0 || lengthSquared == 0)
        return double(px - x0) * (px - x0) + double(py - y0) * (py - y0);
    if (along >= lengthSquared)
        return double(px - x1) * (px - x1) + double(py - y1) * (py - y1);
    const double across = (px - x0) * dy - (py - y0) * dx;
    return across * across / lengthSquared;
}

// Every pixel whose centre lies within width / 2 of the segment, against a pixel-by-pixel
// check; pixels within a hair of the edge may go either way. One raster serves every round, so
// that the row widths it keeps for discs (zero-length lines) meet one width after another.
TEST(Raster, WideLinesCoverThePixelsWithinHalfTheWidth)
{
    Raster raster = BlankRaster();
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> coordinate(-20, 80);
    std::uniform_int_distribution<int> widths(2, 25);
    for (int round = 0; round < 400; ++round) {
        const int x0 = coordinate(random), y0 = coordinate(random);
        const int x1 = round % 5 == 0 ? x0 : coordinate(random);
        const int y1 = round % 5 == 0 ? y0 : coordinate(random);
        const int width = widths(random);
        SCOPED_TRACE(testing::Message()
            << "(" << x0 << ", " << y0 << ") to (" << x1 << ", " << y1 << ") width " << width);
        raster.Fill(White);
        raster.DrawLine(x0, y0, x1, y1, Ink, width);
        const double radiusSquared = width * width / 4.0;
        int mismatches = 0;
        for (int y = 0; y < raster.height(); ++y) {
            for (int x = 0; x < raster.width(); ++x) {
                const double d = DistanceSquared(x, y, x0, y0, x1, y1);
                if (std::abs(d - radiusSquared) < 1e-9 * (1 + radiusSquared))
                    continue;
                mismatches += (raster.Pixel(x, y) == Ink) != (d < radiusSquared);
            }
        }
        ASSERT_EQ(mismatches, 0);
    }
}

TEST(Raster, FarAwayLinesAreClippedNotWalked)
{
    for (const int width : { 1, 7 }) {
        SCOPED_TRACE(width);
        Raster raster = BlankRaster(700, 700);
        raster.DrawLine(-2000000000, -2000000000, 2000000000, 2000000000, Ink, width);
        for (int k = 0; k < 700; ++k)
            ASSERT_EQ(raster.Pixel(k, k), Ink) << k;
        raster.Fill(White);
        raster.DrawLine(2000000699, -2000000000, -2000000000, 2000000699, Ink, width);
        for (int k = 0; k < 700; ++k)
            ASSERT_EQ(raster.Pixel(k, 699 - k), Ink) << k;
    }
}

TEST(Raster, LinesOutsideTouchNothing)
{
    for (const int width : { 1, 9 }) {
        SCOPED_TRACE(width);
        Raster raster = BlankRaster();
        raster.DrawLine(-10, -10, 2000000000, -10, Ink, width);
        raster.DrawLine(-100, 5, -100, 40, Ink, width);
        raster.DrawLine(64 + width, 0, 64 + width, 47, Ink, width);
        EXPECT_EQ(CountInk(raster), 0);
        EXPECT_TRUE(raster.TakeDirty().empty());
    }
}

TEST(Raster, HugePenCoversTheRaster)
{
    const struct {
        const char* name;
        int x0, y0, x1, y1;
    } rows[] = {
        { "Point", 0, 0, 0, 0 },
        { "Segment", 0, 47, 63, 47 },
        { "FarAway", -1000000000, 100000000, -1000000000, 2000000000 },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Raster raster = BlankRaster();
        raster.DrawLine(row.x0, row.y0, row.x1, row.y1, Ink, 2147483647);
        EXPECT_EQ(CountInk(raster), 64 * 48);
    }
}

TEST(Raster, FillColoursEveryPixel)
{
    Raster raster = BlankRaster(7, 5);
    raster.Fill(Ink);
    EXPECT_EQ(CountInk(raster), 35);
    const PixelRect dirty = raster.TakeDirty();
    EXPECT_EQ(dirty.right - dirty.left, 7);
    EXPECT_EQ(dirty.bottom - dirty.top, 5);
}

// A line drawn again straight after itself, or after others of its colour, is left out; a fill,
// a resize or a line of another colour across it, thin or wide, must not keep it from being
// drawn again in full.
TEST(Raster, SameLineAgainIsDrawnAfterOtherPixelsChange)
{
    const Rgb red { 200, 30, 40 };
    const struct {
        const char* name;
        std::function<void(Raster&)> change;
    } rows[] = {
        { "fill", [](Raster& raster) { raster.Fill(White); } },
        { "resize",
            [](Raster& raster) {
                raster.Fill(White);
                raster.Resize(0, 0);
                raster.Resize(64, 48);
            } },
        { "thin line across", [&](Raster& raster) { raster.DrawLine(2, 20, 40, 3, red, 1); } },
        { "wide line across", [&](Raster& raster) { raster.DrawLine(2, 20, 40, 3, red, 3); } },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Raster raster = BlankRaster();
        raster.DrawLine(2, 3, 40, 20, Ink, 5);
        raster.DrawLine(2, 3, 2, 3, Ink, 5);
        const int drawn = CountInk(raster);
        row.change(raster);
        raster.TakeDirty();
        raster.DrawLine(2, 3, 40, 20, Ink, 5);
        EXPECT_EQ(CountInk(raster), drawn);
        const PixelRect dirty = raster.TakeDirty();
        EXPECT_FALSE(dirty.empty());
        raster.DrawLine(2, 3, 40, 20, Ink, 5);
        EXPECT_TRUE(raster.TakeDirty().empty());
    }
}

// Lines left out because their pixels already hold their colour: a walk's clustered lines, its
// discs at the ends of lines, pens wide and thin, ends outside and colour changes, drawn on one
// raster as it comes and on another that forgets every line at once (a resize to its own size
// keeps the pixels), must leave the same pixels.
TEST(Raster, LinesLeftOutChangeNoPixel)
{
    constexpr int Width = 24, Height = 18;
    Raster remembering = BlankRaster(Width, Height);
    Raster forgetting = BlankRaster(Width, Height);
    const auto samePixels = [&] {
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x)
                if (remembering.Pixel(x, y) != forgetting.Pixel(x, y))
                    return false;
        return true;
    };
    std::mt19937 random(2024);
    std::uniform_int_distribution<int> coordinate(-6, Width + 5);
    std::uniform_int_distribution<int> step(-1, 1);
    std::uniform_int_distribution<int> widths(0, 12);
    const Rgb colours[] = { Ink, { 200, 30, 40 }, White };
    int x = Width / 2, y = Height / 2, width = 2, colour = 0;
    for (int round = 0; round < 20000; ++round) {
        if (round % 29 == 0) {
            ASSERT_TRUE(samePixels()) << "before round " << round;
            colour = (colour + 1) % 3;
        }
        if (round % 13 == 0)
            width = round % 5 == 0 ? widths(random) : width % 2 + 2;
        const int kind = static_cast<int>(random() % 3);
        const int toX = kind == 0 ? x : kind == 1 ? x + step(random) : coordinate(random);
        const int toY = kind == 0 ? y : kind == 1 ? y + step(random) : coordinate(random);
        for (Raster* raster : { &remembering, &forgetting })
            raster->DrawLine(x, y, toX, toY, colours[colour], width);
        forgetting.Resize(Width, Height);
        if (kind != 2 || round % 3 == 0) {
            x = std::clamp(toX, 0, Width - 1);
            y = std::clamp(toY, 0, Height - 1);
        }
    }
    EXPECT_TRUE(samePixels());
}
} // namespace
} // namespace plane
