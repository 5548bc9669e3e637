// Thumbnails: a whole figure fitted onto a small raster at an order its pixels can show, walked in
// bounded steps.

#include "app/core/jobs/thumbnail_queue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>

namespace {

constexpr int size = 48;
constexpr std::uint64_t budget = 20000;

// A Koch snowflake; at order 10 about a hundred million symbols, far beyond the budget.
app::PanelFields Snowflake(std::int32_t order)
{
    app::PanelFields fields;
    fields.axiom = "F--F--F";
    fields.substCount = order;
    return fields;
}

struct Ink {
    int count = 0;
    int left = size, right = -1, top = size, bottom = -1;
};

Ink InkOf(const plane::Raster& raster)
{
    Ink ink;
    for (int y = 0; y < raster.height(); ++y) {
        for (int x = 0; x < raster.width(); ++x) {
            if (raster.Pixel(x, y) == plane::Rgb { 255, 255, 255 })
                continue;
            ++ink.count;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
        }
    }
    return ink;
}

// The figure is fitted: it spans the raster's width within its margin.
TEST(Thumbnail, ASmallFigureIsDrawnFittedInsideTheRaster)
{
    app::ThumbnailDrawing job(app::PanelFields {}, size, budget);
    while (!job.Advance(1000)) { }
    EXPECT_FALSE(job.cutOff());
    const Ink ink = InkOf(job.raster());
    EXPECT_GT(ink.count, size);
    EXPECT_GE(ink.left, 1);
    EXPECT_LE(ink.right, size - 2);
    EXPECT_GT(ink.right - ink.left, size * 3 / 4);
}

// A huge figure is drawn whole, at the order whose 3 * 4^n steps are the most within the
// raster's pixels, in bounded steps: it spans the same box as a small order, not a fragment.
TEST(Thumbnail, AHugeFigureIsDrawnWholeAtAnOrderItsPixelsShow)
{
    app::ThumbnailDrawing small(Snowflake(2), size, budget);
    while (!small.Advance(1000)) { }
    app::ThumbnailDrawing job(Snowflake(10), size, budget);
    int steps = 1;
    while (!job.Advance(1000))
        ++steps;
    EXPECT_FALSE(job.cutOff());
    EXPECT_EQ(job.count(), 4); // 768 steps; order 5 draws 3072, more than 48 * 48
    EXPECT_LE(steps, 4); // two walks of 3 * 596 + 6 symbols
    const Ink whole = InkOf(small.raster());
    const Ink ink = InkOf(job.raster());
    EXPECT_GT(ink.count, whole.count);
    for (const auto& [edge, expected] : { std::pair { ink.left, whole.left },
             { ink.right, whole.right }, { ink.top, whole.top }, { ink.bottom, whole.bottom } })
        EXPECT_NEAR(edge, expected, 1);
}

TEST(Thumbnail, TheCountKeepsWithinTheSymbolBudgetAndTheFiguresOwn)
{
    lsystem::DrawParams params;
    params.Word = "F";
    params.RuleF = "F+F--F+F"; // 4^n steps; 148 symbols at n = 3, 596 at n = 4
    params.RuleG = "G";
    for (const auto& [own, pixelSide, symbols, expected] :
        { std::tuple { 10, 48, std::uint64_t { 1 } << 40, 5 },
            { 3, 48, std::uint64_t { 1 } << 40, 3 }, { 10, 48, std::uint64_t { 595 }, 3 },
            { 10, 1, std::uint64_t { 1 }, 0 } }) {
        params.SubstCount = own;
        EXPECT_EQ(app::ThumbnailCount(params, pixelSide, symbols), expected)
            << own << ' ' << symbols;
    }
}

TEST(ThumbnailQueue, AHugeEntryDoesNotStallTheOthersAndFaultsAreKept)
{
    app::PanelFields badAngle;
    badAngle.angle = "sixty";
    app::ThumbnailQueue queue(
        { Snowflake(10), std::nullopt, badAngle, app::PanelFields {} }, size, budget);
    // The entry on screen comes first.
    const std::size_t onScreen[] = { 3 };
    std::optional<std::size_t> first;
    while (!first)
        first = queue.Advance(1000, onScreen);
    EXPECT_EQ(first, 3u);

    int steps = 0;
    while (!queue.done()) {
        queue.Advance(1000);
        ASSERT_LT(++steps, 8 * budget / 1000 + 10);
    }
    EXPECT_NE(queue.raster(0), nullptr);
    EXPECT_EQ(queue.raster(1), nullptr);
    EXPECT_EQ(queue.raster(2), nullptr);
    EXPECT_NE(queue.fault(2).find("sixty"), std::string::npos) << queue.fault(2);
}

} // namespace
