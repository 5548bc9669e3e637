#include "app/core/jobs/animation_frames.h"
#include "app/core/jobs/animation_steps.h"
#include "app/core/jobs/replay_job.h"
#include "app/core/pictures/picture_plane.h"
#include "app/core/record/presets.h"
#include "fpu/floating_point_error.h"
#include "tests/core/session_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace {

using app::AnimationSteps;
using app::DrawingPace;
using app::DrawnFigure;

constexpr int Size = 120;

DrawnFigure FigureOf(app::Preset preset, int count, const char* random = "0",
    std::uint32_t seed = 0, plane::Rgb colourBefore = {})
{
    return app::PrepareFigure(
        test_support::PresetFields(preset, random, count), seed, colourBefore, Size);
}

// The records drawn again, up to `symbols` of them all together, with what that walked.
struct Drawn {
    plane::Raster raster;
    std::uint64_t symbols = 0;
};

Drawn DrawnUpTo(std::vector<DrawnFigure> figures,
    std::uint64_t symbols = std::numeric_limits<std::uint64_t>::max())
{
    app::PicturePlane picture(Size);
    app::ReplayJob replay(std::move(figures), Size, picture.canvas());
    replay.SetSymbolLimit(symbols);
    app::RunToEnd(replay);
    return { picture.raster(), replay.symbolsWalked() };
}

using test_support::SamePixels;

// Step k of a growth draws what a Draw of the same fields at k substitutions, from the same seed
// and colour before, draws, whole; the last count is kept within 0 to 10.
TEST(AnimationSteps, GrowthStepsAreTheFigureAtEachCount)
{
    const DrawnFigure plant = FigureOf(app::Preset::Plant1, 3, "0.05", 12345, { 0, 0, 255 });
    for (const int lastCount : { -2, 3, 14 }) {
        SCOPED_TRACE(lastCount);
        const AnimationSteps steps = AnimationSteps::Growth(plant, lastCount);
        EXPECT_FALSE(steps.walksOn());
        ASSERT_EQ(steps.count(), static_cast<std::uint64_t>(std::clamp(lastCount, 0, 10) + 1));
        for (std::uint64_t k = 0; k < steps.count(); ++k) {
            SCOPED_TRACE(k);
            const DrawnFigure expected
                = FigureOf(app::Preset::Plant1, static_cast<int>(k), "0.05", 12345, { 0, 0, 255 });
            const std::vector<DrawnFigure> figures = steps.Figures(k);
            ASSERT_EQ(figures.size(), 1u);
            EXPECT_EQ(figures[0].fields, expected.fields);
            EXPECT_EQ(figures[0].seed, expected.seed);
            EXPECT_EQ(steps.Symbols(k), std::numeric_limits<std::uint64_t>::max());
            EXPECT_TRUE(SamePixels(DrawnUpTo(figures).raster, DrawnUpTo({ expected }).raster));
        }
    }
}

// A growth's progress runs from 0 to 1 without going back, through every step and the symbols
// each walks, each step starting where the one before ended; its work is the symbols walked, so
// that a large last step is most of it. With alternatives, the words are chosen from the seed.
TEST(AnimationSteps, GrowthProgressRisesWithTheSymbolsWalked)
{
    DrawnFigure chosen = FigureOf(app::Preset::Plant3, 4, "0", 99);
    chosen.fields.moreRules = { { "F", "2", "F(+F)" } };
    chosen = app::PrepareFigure(chosen.fields, chosen.seed, {}, Size);
    const std::pair<const char*, DrawnFigure> rows[] = {
        { "a curve", FigureOf(app::Preset::KochCurve, 5) },
        { "alternatives", chosen },
    };
    for (const auto& [name, figure] : rows) {
        SCOPED_TRACE(name);
        const AnimationSteps steps = AnimationSteps::Growth(figure, figure.walk.params.SubstCount);
        double before = 0.0;
        for (std::uint64_t k = 0; k < steps.count(); ++k) {
            SCOPED_TRACE(k);
            const std::uint64_t walked = DrawnUpTo(steps.Figures(k)).symbols;
            EXPECT_DOUBLE_EQ(steps.Progress(k, 0), before);
            EXPECT_LT(steps.Progress(k, walked / 2), steps.Progress(k, walked));
            before = steps.Progress(k, walked);
        }
        EXPECT_DOUBLE_EQ(before, 1.0);
        EXPECT_LT(steps.Progress(steps.count() - 1, 0), 0.5);
    }
}

// A drawing's steps walk the same records further each time, never back, and the last walks
// every symbol they walk (a stopped figure's up to where it stopped): in frames exactly as many
// steps as shares (at least one) spread evenly, at a steady pace steps of one size but for a
// shorter last one. One replay moved on from step to step, in slices of any length, draws what
// the records draw at once.
TEST(AnimationSteps, DrawingStepsWalkOnToEverySymbol)
{
    DrawnFigure stopped = FigureOf(app::Preset::Plant3, 4);
    stopped.symbolsWalked = 100;
    DrawnFigure unwalked = FigureOf(app::Preset::KochCurve, 2);
    unwalked.symbolsWalked = 0;
    struct Row {
        const char* name;
        std::vector<DrawnFigure> figures;
        std::int64_t shares;
        DrawingPace pace;
    };
    const Row rows[] = {
        { "a curve in 7 frames", { FigureOf(app::Preset::KochCurve, 3) }, 7, DrawingPace::Frames },
        { "a stopped figure in 4 frames", { stopped }, 4, DrawingPace::Frames },
        { "more frames than symbols", { FigureOf(app::Preset::KochCurve, 0) }, 3,
            DrawingPace::Frames },
        { "no frames: one", { FigureOf(app::Preset::KochCurve, 1) }, 0, DrawingPace::Frames },
        { "three figures, one stopped, at a steady pace",
            { FigureOf(app::Preset::KochCurve, 2), stopped, FigureOf(app::Preset::Plant2, 2) }, 30,
            DrawingPace::Steady },
        { "more shares than symbols", { FigureOf(app::Preset::KochCurve, 0) }, 312,
            DrawingPace::Steady },
        { "nothing to walk, no shares: one step", { unwalked }, -5, DrawingPace::Steady },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const AnimationSteps steps = AnimationSteps::Drawing(row.figures, row.shares, row.pace);
        EXPECT_TRUE(steps.walksOn());
        const Drawn whole = DrawnUpTo(row.figures);
        const auto shares = static_cast<std::uint64_t>(std::max<std::int64_t>(row.shares, 1));
        ASSERT_GE(steps.count(), 1u);
        EXPECT_LE(steps.count(), std::max({ whole.symbols, shares, std::uint64_t { 1 } }));
        if (row.pace == DrawingPace::Frames) {
            EXPECT_EQ(steps.count(), shares);
        }
        EXPECT_EQ(steps.Symbols(steps.count() - 1), whole.symbols);

        app::PicturePlane picture(Size);
        app::ReplayJob replay(row.figures, Size, picture.canvas());
        std::vector<std::uint64_t> sizes;
        for (std::uint64_t k = 0; k < steps.count(); ++k) {
            SCOPED_TRACE(k);
            EXPECT_EQ(steps.Figures(k).size(), row.figures.size());
            const std::uint64_t before = k == 0 ? 0 : steps.Symbols(k - 1);
            ASSERT_GE(steps.Symbols(k), before);
            sizes.push_back(steps.Symbols(k) - before);
            replay.SetSymbolLimit(steps.Symbols(k));
            while (!replay.RunSlice(app::ReplayJob::Clock::now())) { }
            EXPECT_EQ(replay.symbolsWalked(), steps.Symbols(k));
        }
        EXPECT_TRUE(SamePixels(picture.raster(), whole.raster));
        const auto [smallest, largest] = std::minmax_element(sizes.begin(), sizes.end());
        if (row.pace == DrawingPace::Frames) {
            EXPECT_LE(*largest - *smallest, 1u);
        } else {
            EXPECT_TRUE(std::all_of(sizes.begin(), sizes.end() - 1, [&](std::uint64_t size) {
                return size == sizes.front();
            }) && sizes.back() <= sizes.front());
        }
    }
}

// An animation of fields that a Draw has not prepared: a growth is prepared at 0 substitutions,
// so a step length that overflows at a later count fails at that count's step, after the steps
// before it, as Draws of those counts would; a drawing fails at once, as its Draw would.
TEST(AnimationSteps, FromFieldsEachCountFailsAtItsOwnStep)
{
    app::PanelFields fields = test_support::PresetFields(app::Preset::KochCurve, "0", 3);
    fields.length = "10^200";
    app::AnimationSettings growth { app::AnimationKind::Growth };
    growth.size = Size;
    const AnimationSteps steps = app::AnimationStepsFor(fields, 0, {}, growth);
    ASSERT_EQ(steps.count(), 4u);
    EXPECT_NO_THROW(steps.Figures(1));
    EXPECT_THROW(steps.Figures(2), fpu::FloatingPointError);
    app::AnimationSettings drawing { app::AnimationKind::Drawing };
    drawing.size = Size;
    EXPECT_THROW(app::AnimationStepsFor(fields, 0, {}, drawing), fpu::FloatingPointError);
}

} // namespace
