#include "app/core/explore/explore_figure.h"

#include "app/core/record/prepared_draw.h"
#include "app/core/record/presets.h"
#include "lsystem/explore/explore_walk.h"
#include "lsystem/explore/subfigure_bounds.h"
#include "lsystem/explore/word_end.h"
#include "lsystem/panel/symbols.h"
#include "lsystem/rules/expansion.h"
#include "lsystem/rules/rewriting.h"
#include "lsystem/rules/rule_table.h"
#include "lsystem/turtle.h"
#include "plane/transforms.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace app {

namespace {

// How much larger or smaller a figure may grow with each count Explore adds, as far as it
// reaches, and where it ends.
constexpr double MaxReachChange = 1.25;
constexpr double MaxEndChange = 0.01;
// A figure that ends within this share of its reach from its start is closed: its end says
// nothing of how it is turned.
constexpr double ClosedShare = 0.01;
// A turn smaller than this, in radians, is rounding: the figure is not turned.
constexpr double NegligibleTurn = 1e-9;
// The counts tried by halving, after the deepest and the guess, before the deepest that fits
// among them is taken.
constexpr int MaxProbes = 4;

struct Point {
    double x;
    double y;
};

// Whether more substitutions may make the figure finer rather than larger or noisier: its steps
// shorten with the count, its turtle is the panel's, and no random amplitude perturbs them.
bool MayGrowFiner(const lsystem::DrawParams& params)
{
    const double factor = std::abs(params.LengthScale);
    return params.Commands == lsystem::CommandSet::Panel && params.RandomAmp == 0.0 && factor > 0.0
        && factor < 1.0;
}

// Counts what a walk draws.
class CountingCanvas final : public lsystem::Canvas {
public:
    void DrawSegment(
        const plane::TVector3&, const plane::TVector3&, plane::Rgb, std::int32_t) override
    {
        ++segments;
    }
    std::uint64_t segments = 0;
};

// A figure's axiom seen through the bounds of its sub-figures at one count.
class Stance {
public:
    Stance(const lsystem::DrawParams& params, const lsystem::RuleTable& rules,
        const lsystem::SubfigureBounds& bounds)
        : m_params(params)
        , m_rules(rules)
        , m_bounds(bounds)
    {
    }

    // How far the figure reaches from its start at `count` substitutions, in world units: the
    // largest bound among its axiom's symbols that have rules. 0 when it has none.
    double Reach(std::int32_t count) const
    {
        double radius = 0.0;
        for (const char symbol : m_params.Word) {
            if (m_rules.rewrites(symbol))
                radius = std::max(radius, m_bounds.Of(symbol, count).radius);
        }
        return radius * std::pow(std::abs(m_params.LengthScale), count);
    }

    // Where the figure's walk ends at `count` substitutions, in world units, turned by
    // `rotation`; none where a sub-figure's end is not fixed.
    std::optional<Point> End(std::int32_t count, std::optional<double> rotation) const
    {
        const std::optional<lsystem::StepPoint> inSteps
            = lsystem::WordEnd(m_params.Word, m_rules, m_bounds, m_params.Angle, count);
        if (!inSteps)
            return std::nullopt;
        const double step = std::pow(m_params.LengthScale, count);
        Point end { inSteps->x * step, inSteps->y * step };
        if (rotation) {
            const plane::TVector3 turned
                = plane::MultiplyPoint({ end.x, end.y, 1.0 }, plane::RotationMatrix(*rotation));
            end = { turned.x, turned.y };
        }
        if (!std::isfinite(end.x) || !std::isfinite(end.y))
            return std::nullopt;
        return end;
    }

private:
    const lsystem::DrawParams& m_params;
    const lsystem::RuleTable& m_rules;
    const lsystem::SubfigureBounds& m_bounds;
};

// A count Explore may draw a figure at, and the turn that sets it where the figure stands at
// its own count.
struct Growth {
    std::int32_t count;
    double turn = 0.0; // radians, counterclockwise
};

// The counts Explore may draw a figure at, from its own to the one at which one step spans at
// most a pixel, as far as the figure keeps its stance, each with its turn.
std::vector<Growth> Growths(
    const DrawnFigure& figure, const lsystem::RuleTable& rules, double pixelsPerUnit)
{
    const lsystem::DrawParams& params = figure.walk.params;
    const Preset preset = figure.fields.preset;
    std::vector<Growth> growths { Growth { params.SubstCount } };
    const lsystem::SubfigureBounds bounds(params, MaxExploreSubstitutions);
    const Stance stance(params, rules, bounds);
    double reach = stance.Reach(params.SubstCount);
    if (!(reach > 0.0) || !std::isfinite(reach))
        return growths;
    const auto rotationAt = [&](std::int32_t count) {
        return WalkStyleFor(preset, count, figure.colourBefore).rotation;
    };
    const std::optional<Point> ownEnd
        = stance.End(params.SubstCount, rotationAt(params.SubstCount));
    const bool open = ownEnd && std::hypot(ownEnd->x, ownEnd->y) > ClosedShare * reach;
    double endLength = open ? std::hypot(ownEnd->x, ownEnd->y) : 0.0;
    const double factor = std::abs(params.LengthScale);
    double stepPixels = std::abs(params.StepLength) * pixelsPerUnit;
    // Each count is compared with the one before: a figure that converges on its limit (a
    // Hilbert curve's end, (2^n - 1) / 2^n of the way) grows on, one that drifts stops.
    for (std::int32_t next = params.SubstCount + 1;
         next <= MaxExploreSubstitutions && stepPixels > 1.0; ++next) {
        const double nextReach = stance.Reach(next);
        const double reachChange = nextReach / reach;
        if (!(reachChange >= 1.0 / MaxReachChange && reachChange <= MaxReachChange))
            break;
        double turn = 0.0;
        if (open) {
            const std::optional<Point> end = stance.End(next, rotationAt(next));
            if (!end)
                break;
            const double length = std::hypot(end->x, end->y);
            if (!(std::abs(length / endLength - 1.0) <= MaxEndChange))
                break;
            endLength = length;
            turn = std::remainder(
                std::atan2(ownEnd->y, ownEnd->x) - std::atan2(end->y, end->x), 2.0 * M_PI);
        }
        growths.push_back({ next, std::abs(turn) <= NegligibleTurn ? 0.0 : turn });
        reach = nextReach;
        stepPixels *= factor;
    }
    return growths;
}

// The figure's record at a count it may grow to.
DrawnFigure Grown(const DrawnFigure& figure, const Growth& growth)
{
    if (growth.count == figure.walk.params.SubstCount)
        return figure;
    DrawnFigure grown = figure;
    grown.walk = WalkAtCount(figure.walk, figure.fields.preset, growth.count, figure.colourBefore,
        MaxExploreSubstitutions);
    if (growth.turn != 0.0)
        grown.walk.style.rotation = grown.walk.style.rotation.value_or(0.0) + growth.turn;
    grown.fields.substCount = growth.count;
    grown.symbolsWalked = std::numeric_limits<std::uint64_t>::max();
    return grown;
}

// How many segments Explore's fine frame of the record draws: counted, without drawing, up to a
// little over MaxPrimitivesInView, and guessed from the share of the steps walked beyond that.
double PrimitivesInView(const DrawnFigure& record, int planeSize)
{
    CountingCanvas counted;
    lsystem::ExploreWalk walk(record.walk.params, record.walk.style,
        ExploreViewOf(record.window, planeSize), ExploreChordPixels, counted);
    while (!walk.Advance(1024)) {
        if (counted.segments > MaxPrimitivesInView)
            return static_cast<double>(counted.segments) / std::max(walk.progress(), 1e-9);
    }
    return static_cast<double>(counted.segments);
}

// The largest count from `own` to `count` at which the word of a figure with alternatives
// stays short enough to walk whole in a view.
std::int32_t WeightedCount(
    const lsystem::DrawParams& params, std::uint32_t seed, std::int32_t own, std::int32_t count)
{
    lsystem::RewrittenWord word = lsystem::WordOf(params, seed);
    std::int32_t allowed = own;
    for (std::int32_t next = own + 1; next <= count; ++next) {
        word.count = next;
        if (lsystem::WordLength(word) > MaxWeightedSymbols)
            break;
        allowed = next;
    }
    return allowed;
}

} // namespace

lsystem::ExploreView ExploreViewOf(const WorldWindow& window, int planeSize)
{
    const plane::Viewport mapping = WindowMapping(window, planeSize);
    return { std::min(window.x1, window.x2), std::max(window.x1, window.x2),
        std::min(window.y1, window.y2), std::max(window.y1, window.y2), mapping.ScaleX,
        mapping.ScaleY };
}

DrawnFigure ExploreFigure(const DrawnFigure& asked, int planeSize)
{
    // Fields may ask for more substitutions than Draw makes (the command line's --subst with
    // --explore); Explore starts from them.
    const DrawnFigure figure
        = Grown(asked, { std::max(asked.fields.substCount, asked.walk.params.SubstCount) });
    const lsystem::DrawParams& params = figure.walk.params;
    if (!MayGrowFiner(params))
        return figure;
    const plane::Viewport mapping = WindowMapping(figure.window, planeSize);
    const double pixelsPerUnit = std::max(std::abs(mapping.ScaleX), std::abs(mapping.ScaleY));
    const lsystem::RuleTable rules(params.RuleF, params.RuleG, params.MoreRules);
    const std::vector<Growth> growths = Growths(figure, rules, pixelsPerUnit);
    if (rules.weighted()) {
        const std::int32_t count
            = WeightedCount(params, figure.seed, params.SubstCount, growths.back().count);
        return Grown(figure, growths[static_cast<std::size_t>(count - params.SubstCount)]);
    }
    // The deepest count usually fits a frame. Where it does not, the segments counted so far
    // and the share of the steps they took guess how many the whole would draw, and a count as
    // many less as the growth of the figure's steps says is tried next; where that guess fails
    // too, the deepest count that fits is found by halving what is left (more substitutions
    // never draw fewer segments), the figure's own if none does.
    lsystem::SymbolSet steps;
    for (int symbol = 0; symbol < 256; ++symbol)
        steps.set(static_cast<std::size_t>(symbol), lsystem::DrawsAStep(static_cast<char>(symbol)));
    const auto fits = [&](std::size_t index) {
        return PrimitivesInView(Grown(figure, growths[index]), planeSize)
            <= static_cast<double>(MaxPrimitivesInView);
    };
    const std::size_t deepest = growths.size() - 1;
    const double primitives = PrimitivesInView(Grown(figure, growths[deepest]), planeSize);
    if (primitives <= static_cast<double>(MaxPrimitivesInView))
        return Grown(figure, growths[deepest]);
    const std::int32_t count = growths[deepest].count;
    const double growth
        = static_cast<double>(lsystem::RewrittenCount(params.Word, rules, count, steps))
        / static_cast<double>(lsystem::RewrittenCount(params.Word, rules, count - 1, steps));
    const double levels = std::ceil(std::log(primitives / static_cast<double>(MaxPrimitivesInView))
        / std::log(std::max(growth, 1.5)));
    std::size_t fitting = 0;
    std::size_t failing = deepest;
    const std::size_t guess
        = deepest - std::min(deepest, static_cast<std::size_t>(std::clamp(levels, 1.0, 64.0)));
    if (guess != 0)
        (fits(guess) ? fitting : failing) = guess;
    for (int probe = 0; probe < MaxProbes && failing - fitting > 1; ++probe) {
        const std::size_t middle = fitting + (failing - fitting) / 2;
        (fits(middle) ? fitting : failing) = middle;
    }
    return Grown(figure, growths[fitting]);
}

} // namespace app
