#include "app/core/record/world_window.h"

#include <gtest/gtest.h>

#include <optional>

namespace app {
namespace {

TEST(FitWindow, EqualScaleCentredWithMargin)
{
    const auto wide = FitWindow({ 0, 10, 0, 2 });
    ASSERT_TRUE(wide);
    EXPECT_DOUBLE_EQ(wide->x1, -0.5);
    EXPECT_DOUBLE_EQ(wide->x2, 10.5);
    EXPECT_DOUBLE_EQ(wide->y1, -4.5);
    EXPECT_DOUBLE_EQ(wide->y2, 6.5);
    // A line has extent along one axis only and still fits; a point has none.
    EXPECT_TRUE(FitWindow({ 1, 1, 0, 4 }));
    EXPECT_FALSE(FitWindow({ 1, 1, 2, 2 }));
}

TEST(PanWindow, MovesByTheDrag)
{
    const WorldWindow panned = PanWindow({ -1, 1, 0, 2 }, 0.25, -1);
    EXPECT_EQ(panned.x1, -0.75);
    EXPECT_EQ(panned.x2, 1.25);
    EXPECT_EQ(panned.y1, -1);
    EXPECT_EQ(panned.y2, 1);
}

TEST(FormatWindow, PlainNumbersOfSixDigitsRoundedOutwards)
{
    struct Row {
        WorldWindow window;
        WindowTexts texts;
    };
    const Row rows[] = {
        { { -0.1, 1.1, -0.5, 0.7 }, { "-0.1", "1.1", "-0.5", "0.7" } },
        { { 1.0 / 3, 2.0 / 3, 0, 1e-9 }, { "0.333333", "0.666667", "0", "0.000000001" } },
        { { -123456789, 1e20, -0.0, 5 }, { "-123457000", "100000000000000000000", "0", "5" } },
    };
    for (const Row& row : rows) {
        const WindowTexts texts = FormatWindow(row.window);
        EXPECT_EQ(texts.x1, row.texts.x1);
        EXPECT_EQ(texts.x2, row.texts.x2);
        EXPECT_EQ(texts.y1, row.texts.y1);
        EXPECT_EQ(texts.y2, row.texts.y2);
    }
}

} // namespace
} // namespace app
