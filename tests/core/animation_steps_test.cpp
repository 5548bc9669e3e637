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
#include <numeric>
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

// A growth's progress is the share of all its steps' symbols walked, each step's counted as its
// walk walks them, so that a large last step is most of the work; with alternatives, the words
// chosen from the seed.
TEST(AnimationSteps, GrowthProgressCountsTheSymbolsWalked)
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
        std::vector<std::uint64_t> walked;
        for (std::uint64_t k = 0; k < steps.count(); ++k)
            walked.push_back(DrawnUpTo(steps.Figures(k)).symbols);
        const auto total = static_cast<double>(std::accumulate(walked.begin(), walked.end(), 0ull));
        double before = 0.0;
        for (std::uint64_t k = 0; k < steps.count(); ++k) {
            SCOPED_TRACE(k);
            EXPECT_DOUBLE_EQ(steps.Progress(k, 0), before / total);
            EXPECT_DOUBLE_EQ(steps.Progress(k, walked[k] / 2), (before + walked[k] / 2) / total);
            before += static_cast<double>(walked[k]);
        }
        EXPECT_DOUBLE_EQ(steps.Progress(steps.count() - 1, walked.back()), 1.0);
        EXPECT_LT(steps.Progress(steps.count() - 1, 0), 0.5);
    }
}

// A drawing's steps walk the same records further each time and end with every symbol they walk
// (a stopped figure's up to where it stopped). In frames: exactly that many steps (at least
// one), step k after (k + 1) / frames of the symbols. At a steady pace: the same number of
// symbols each step (symbols / shares, at least one), the last step what is left.
TEST(AnimationSteps, DrawingStepsShareOutTheSymbols)
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
        { "more shares than symbols: one symbol a step", { FigureOf(app::Preset::KochCurve, 0) },
            312, DrawingPace::Steady },
        { "nothing to walk, no shares: one step", { unwalked }, -5, DrawingPace::Steady },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::vector<DrawnFigure>& figures = row.figures;
        const AnimationSteps steps = AnimationSteps::Drawing(figures, row.shares, row.pace);
        EXPECT_TRUE(steps.walksOn());
        const std::uint64_t symbols = DrawnUpTo(figures).symbols;
        const auto shares = static_cast<std::uint64_t>(std::max<std::int64_t>(row.shares, 1));
        const std::uint64_t stride = std::max<std::uint64_t>(symbols / shares, 1);
        if (row.pace == DrawingPace::Frames)
            ASSERT_EQ(steps.count(), shares);
        ASSERT_GE(steps.count(), 1u);
        EXPECT_EQ(steps.Symbols(steps.count() - 1), symbols);
        for (std::uint64_t k = 0; k < steps.count(); ++k) {
            SCOPED_TRACE(k);
            EXPECT_EQ(steps.Figures(k).size(), figures.size());
            const std::uint64_t walked = steps.Symbols(k);
            if (row.pace == DrawingPace::Frames) {
                EXPECT_EQ(walked, symbols * (k + 1) / shares);
            } else {
                const std::uint64_t before = k == 0 ? 0 : steps.Symbols(k - 1);
                if (k + 1 < steps.count())
                    EXPECT_EQ(walked - before, stride);
                else
                    EXPECT_LE(walked - before, stride);
            }
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
