// Thumbnails: a figure fitted onto a small raster, walked in bounded steps, a huge one cut off.

#include "app/core/jobs/thumbnail_queue.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int size = 48;
constexpr std::uint64_t budget = 20000;

// A Koch curve of about ten million symbols, far beyond the budget.
app::PanelFields HugeFigure()
{
    app::PanelFields fields;
    fields.ruleF = "F+F--F+F";
    fields.substCount = 10;
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

// Each step walks at most the symbols it is given, and the budget ends both walks of a huge figure.
TEST(Thumbnail, AHugeFigureIsCutOffAfterBoundedSteps)
{
    app::ThumbnailDrawing job(HugeFigure(), size, budget);
    int steps = 1;
    while (!job.Advance(1000))
        ++steps;
    EXPECT_TRUE(job.cutOff());
    EXPECT_GE(steps, 2 * budget / 1000);
    EXPECT_LE(steps, 8 * budget / 1000);
    EXPECT_GT(InkOf(job.raster()).count, 0);
}

TEST(ThumbnailQueue, AHugeEntryDoesNotStallTheOthersAndFaultsAreKept)
{
    app::PanelFields badAngle;
    badAngle.angle = "sixty";
    app::ThumbnailQueue queue(
        { HugeFigure(), std::nullopt, badAngle, app::PanelFields {} }, size, budget);
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
