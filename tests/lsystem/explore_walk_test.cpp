#include "lsystem/explore/explore_walk.h"

#include "lsystem/rules/rewriting.h"
#include "lsystem/rules/rule_table.h"
#include "lsystem/turtle.h"
#include "random_text.h"
#include "recording_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace lsystem {
namespace {

constexpr double ViewPixels = 700.0;

constexpr std::string_view Alphabet = "FFFGGf++--()X";

struct System {
    DrawParams params;
    WalkStyle style;
};

// A random system without alternatives or random amplitude, at a count whose word stays short.
System RandomSystem(std::mt19937& random)
{
    const double angles[] = { 60.0, 90.0, 22.5, 25.7, 137.5 };
    System system;
    DrawParams& params = system.params;
    params.Word = RandomText(random, 4, Alphabet) + "F";
    params.RuleF = RandomText(random, 7, Alphabet);
    params.RuleG = RandomText(random, 5, Alphabet);
    if (random() % 2 == 0)
        params.MoreRules.push_back({ 'X', 1.0, RandomText(random, 6, Alphabet) });
    params.Angle = angles[random() % std::size(angles)];
    params.StepLength = 1.0 / (1 + random() % 3);
    params.PenWidth = static_cast<std::int32_t>(random() % 12);
    params.SubstCount = 1 + static_cast<std::int32_t>(random() % 6);
    const RuleTable rules(params.RuleF, params.RuleG, params.MoreRules);
    while (params.SubstCount > 0 && RewrittenLength(params.Word, rules, params.SubstCount) > 20000)
        --params.SubstCount;
    system.style.narrowing = static_cast<std::int32_t>(random() % 4);
    if (random() % 3 == 0)
        system.style.rotation = -0.5;
    return system;
}

// Whether the segment comes within `margin` of the view (Liang–Barsky against the widened view).
bool Touches(const RecordedSegment& segment, const ExploreView& view, double margin)
{
    double from = 0.0;
    double to = 1.0;
    const double dx = segment.end.x - segment.start.x;
    const double dy = segment.end.y - segment.start.y;
    const double edges[4][2] = { { -dx, segment.start.x - (view.left - margin) },
        { dx, (view.right + margin) - segment.start.x },
        { -dy, segment.start.y - (view.bottom - margin) },
        { dy, (view.top + margin) - segment.start.y } };
    for (const auto& [p, q] : edges) {
        if (p == 0.0) {
            if (q < 0.0)
                return false;
        } else if (p < 0.0) {
            from = std::max(from, q / p);
        } else {
            to = std::min(to, q / p);
        }
    }
    return from <= to;
}

// Whether `among` holds `segment` within `tolerance`, its ends and its pen where neither is
// negative (Explore hands over the pen a negative width keeps); among is sorted by its starts' x.
bool Holds(
    const std::vector<RecordedSegment>& among, const RecordedSegment& segment, double tolerance)
{
    auto it = std::lower_bound(among.begin(), among.end(), segment.start.x - tolerance,
        [](const RecordedSegment& s, double x) { return s.start.x < x; });
    for (; it != among.end() && it->start.x <= segment.start.x + tolerance; ++it) {
        if (std::abs(it->start.y - segment.start.y) <= tolerance
            && std::abs(it->end.x - segment.end.x) <= tolerance
            && std::abs(it->end.y - segment.end.y) <= tolerance
            && (it->penWidth == segment.penWidth || it->penWidth < 0 || segment.penWidth < 0))
            return true;
    }
    return false;
}

void SortByStart(std::vector<RecordedSegment>& segments)
{
    std::sort(segments.begin(), segments.end(),
        [](const RecordedSegment& a, const RecordedSegment& b) { return a.start.x < b.start.x; });
}

// Random systems in random views, walked whole and by Explore with no chords: Explore draws
// every segment of the whole walk that its pen could bring into the view, at the same place up
// to rounding and with the same pen, and draws nothing the whole walk does not. So nothing it
// passes over would have drawn into the view, and the pen follows the walk's through what it
// passes over.
TEST(ExploreWalk, DrawsWhatTheWholeWalkDrawsInTheView)
{
    std::mt19937 random(77);
    std::uint64_t skipped = 0;
    int viewsWithSegments = 0;
    for (int i = 0; i < 300; ++i) {
        const System system = RandomSystem(random);
        RandomGenerator generator;
        RecordingCanvas whole;
        TurtleWalk(system.params, system.style, generator, whole).Advance(UINT64_MAX);
        if (whole.segments.empty())
            continue;
        double left = INFINITY, right = -INFINITY, bottom = INFINITY, top = -INFINITY;
        for (const RecordedSegment& s : whole.segments) {
            left = std::min({ left, s.start.x, s.end.x });
            right = std::max({ right, s.start.x, s.end.x });
            bottom = std::min({ bottom, s.start.y, s.end.y });
            top = std::max({ top, s.start.y, s.end.y });
        }
        const double extent = std::max({ right - left, top - bottom, 1.0 });
        std::uniform_real_distribution<double> share(0.0, 1.0);
        const double half = extent * (0.01 + 0.3 * share(random));
        const double x = left + (right - left) * share(random);
        const double y = bottom + (top - bottom) * share(random);
        const ExploreView view { x - half, x + half, y - half, y + half, ViewPixels / (2 * half),
            ViewPixels / (2 * half) };
        SCOPED_TRACE("system " + std::to_string(i) + ": " + system.params.Word
            + " F=" + system.params.RuleF + " G=" + system.params.RuleG);

        RecordingCanvas explored;
        ExploreWalk walk(system.params, system.style, view, 0.0, explored);
        while (!walk.Advance(97)) { }
        EXPECT_EQ(walk.stats().chords, 0u);
        EXPECT_EQ(walk.stats().primitives, explored.segments.size());
        skipped += walk.stats().skipped;

        const double tolerance = extent * 1e-9;
        const double penMargin = std::max(system.params.PenWidth, 1) / 2.0 / view.pixelsPerUnitX;
        SortByStart(explored.segments);
        std::vector<RecordedSegment> drawn = whole.segments;
        SortByStart(drawn);
        int inView = 0;
        for (const RecordedSegment& segment : whole.segments) {
            if (!Touches(segment, view, penMargin))
                continue;
            ++inView;
            ASSERT_TRUE(Holds(explored.segments, segment, tolerance))
                << "a segment in the view is missing: (" << segment.start.x << ", "
                << segment.start.y << ") to (" << segment.end.x << ", " << segment.end.y << ")";
        }
        for (const RecordedSegment& segment : explored.segments)
            ASSERT_TRUE(Holds(drawn, segment, tolerance)) << "a segment the walk never drew";
        viewsWithSegments += inView != 0 ? 1 : 0;
    }
    // The views cut the figures: most show something, and much is passed over.
    EXPECT_GT(viewsWithSegments, 150);
    EXPECT_GT(skipped, 1000u);
}

// Where Explore's slices end, which its frames' estimates depend on: every symbol read costs one
// of the budget, the budget is looked at before each symbol and each level left, a replacement of
// the last level is walked whole, and a symbol rewritten to itself is a symbol of the word. Here
// "F" (F -> F) is walked, "A" (A -> fA) opens "fA", whose "A" is walked whole as "fA".
TEST(ExploreWalk, SlicesEndWhereTheBudgetRunsOut)
{
    struct Slice {
        bool finished;
        std::uint64_t symbols;
    };
    struct Row {
        std::int32_t count;
        std::vector<Slice> slices; // after each Advance(1)
    };
    const Row rows[] = {
        { 0, { { false, 1 }, { false, 2 }, { true, 2 } } },
        { 2, { { false, 1 }, { false, 2 }, { false, 3 }, { false, 6 }, { true, 6 } } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "count " << row.count);
        DrawParams params;
        params.Word = "FA";
        params.RuleF = "F";
        params.RuleG = "G";
        params.MoreRules = { { 'A', 1.0, "fA" } };
        params.SubstCount = row.count;
        params.Angle = 90.0;
        params.StepLength = 1.0;
        RecordingCanvas canvas;
        ExploreWalk walk(params, WalkStyle {}, { -10.0, 10.0, -10.0, 10.0, 1.0, 1.0 }, 0.0, canvas);
        for (const Slice& slice : row.slices) {
            EXPECT_EQ(walk.Advance(1), slice.finished);
            EXPECT_EQ(walk.stats().symbols, slice.symbols);
        }
        EXPECT_EQ(canvas.segments.size(), 1u);
    }
}

} // namespace
} // namespace lsystem
