#include "lsystem/explore/explore_walk.h"

#include "lsystem/explore/subfigure_bounds.h"
#include "lsystem/explore/subfigure_pens.h"
#include "lsystem/panel/symbols.h"
#include "lsystem/panel/turtle_state.h"
#include "lsystem/rules/expansion.h"
#include "lsystem/rules/rule_table.h"
#include "lsystem/walk/remembered_direction.h"
#include "plane/transforms.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace lsystem {

namespace {

// Pixels added to a sub-figure's bound beyond its pen's half width before it is passed over: the
// plane rounds each end of a segment to a pixel and draws a wide pen a pixel beyond its width's
// half at most.
constexpr double PixelMargin = 2.0;
// The relative error allowed for the difference between the positions this walk reaches and
// those of the whole walk, which add the same steps in another order: a few ulps for each of up
// to 2^40 symbols walked is far less.
constexpr double PositionSlack = 1e-9;

[[gnu::always_inline]] inline double Finite(double value)
{
    return TurtleState::Finite(value);
}

} // namespace

class ExploreWalk::Impl {
public:
    Impl(const DrawParams& params, const WalkStyle& style, const ExploreView& view,
        double chordPixels, Canvas& canvas)
        : m_expansion(
            { params.Word, params.RuleF, params.RuleG, params.SubstCount, params.MoreRules, 0 },
            Unfolding::Levelled)
        , m_bounds(m_expansion.rules(), params.Angle, 0.0, params.SubstCount)
        , m_pens(m_expansion.rules(), params.SubstCount)
        , m_angle(params.Angle)
        , m_stepLength(params.StepLength)
        , m_style(style)
        , m_view(view)
        , m_pixelsPerUnit(std::max(std::abs(view.pixelsPerUnitX), std::abs(view.pixelsPerUnitY)))
        , m_canvas(canvas)
        , m_turtle(params.PenWidth)
        , m_lastPen(params.PenWidth)
    {
        if (style.rotation)
            m_rotation = plane::RotationMatrix(*style.rotation);
        // A pen that never widens draws no wider than it starts (or than 1).
        const double penPixels = std::max(1.0, static_cast<double>(params.PenWidth));
        const double marginPixels = penPixels / 2.0 + PixelMargin;
        m_marginX = marginPixels / std::abs(view.pixelsPerUnitX);
        m_marginY = marginPixels / std::abs(view.pixelsPerUnitY);
        m_inside.assign(static_cast<std::size_t>(std::max(params.SubstCount, 0)) + 1, 0);
        m_chordRadius = chordPixels / (std::abs(m_stepLength) * m_pixelsPerUnit);
        for (const char symbol : params.Word)
            m_totalSteps += m_pens.Of(symbol, params.SubstCount).steps;
    }

    bool Advance(std::uint64_t budget)
    {
        if (m_finished)
            return true;
        std::uint64_t symbols = 0;
        m_finished = m_expansion.Explore(budget, symbols, *this);
        m_stats.symbols += symbols;
        return m_finished;
    }

    // The expansion's calls: a symbol of the word, a run of them, and a sub-figure about to be
    // opened, which is expanded unless passed over.
    void operator()(char symbol) { WalkSymbol(symbol, *this); }
    void operator()(const char*& next, const char*) { WalkSymbol(*next++, *this); }
    bool Opens(char symbol, std::int32_t remaining)
    {
        // Symbols of a sub-figure within the view cannot miss it, so they are not tried.
        bool inside = m_inside[static_cast<std::size_t>(remaining)] != 0;
        if (PassedOver(symbol, remaining, inside))
            return false;
        m_inside[static_cast<std::size_t>(remaining - 1)] = inside;
        return true;
    }

    bool finished() const { return m_finished; }
    const ExploreStats& stats() const { return m_stats; }
    double progress() const
    {
        if (m_finished)
            return 1.0;
        return m_totalSteps > 0.0 ? std::min(m_stepsDone / m_totalSteps, 1.0) : 0.0;
    }

    // The turtle's commands, carried out on its state as BranchingTurtle carries them out.
    void Step()
    {
        const Direction& direction = m_direction(m_turtle.heading);
        const double endX = m_turtle.x + m_stepLength * direction.sine;
        const double endY = m_turtle.y + m_stepLength * direction.cosine;
        SegmentTo(Finite(endX), Finite(endY));
        m_narrowingDue = true;
        m_stepsDone += 1.0;
    }
    void EndRun()
    {
        if (m_narrowingDue) {
            m_narrowingDue = false;
            m_turtle.Narrow(m_style.narrowing);
        }
    }
    void Move()
    {
        const Direction& direction = m_direction(m_turtle.heading);
        m_turtle.Move(m_stepLength * direction.sine, m_stepLength * direction.cosine);
    }
    void TurnLeft() { m_turtle.TurnLeft(m_angle); }
    void TurnRight() { m_turtle.TurnRight(m_angle); }
    void OpenBranch() { m_turtle.OpenBranch(); }
    void CloseBranch() { m_turtle.CloseBranch(); }

private:
    // Passes over the sub-figure of `symbol` with `remaining` substitutions to make, or draws it
    // as its chord, where its bound allows; false where it has to be expanded. `inside` tells
    // whether it lies in a sub-figure within the view, and is then told whether it does itself.
    bool PassedOver(char symbol, std::int32_t remaining, bool& inside)
    {
        const SubfigureBound& bound = m_bounds.Of(symbol, remaining);
        const SubfigurePen& pen = m_pens.Of(symbol, remaining);
        if (!bound.selfContained || bound.opens != 0 || !bound.endFixed || !pen.known)
            return false;
        const bool chord = bound.radius <= m_chordRadius;
        if (inside && !chord)
            return false;
        const plane::TVector3 start = Turned(m_turtle.x, m_turtle.y);
        if (!inside) {
            const double radius = bound.radius * std::abs(m_stepLength);
            if (!std::isfinite(radius))
                return false;
            const double reach = radius
                + PositionSlack * (std::abs(start.x) + std::abs(start.y) + radius + bound.endError);
            if (Misses(start.x, start.y, reach)) {
                MoveToEnd(bound, pen);
                ++m_stats.skipped;
                return true;
            }
            inside = Within(start.x, start.y, reach);
        }
        if (!chord)
            return false;
        const std::int32_t width = m_turtle.penWidth;
        MoveToEnd(bound, pen);
        if (pen.draws) {
            m_canvas.DrawSegment(
                start, Turned(m_turtle.x, m_turtle.y), m_style.colour, DrawnWidth(width));
            ++m_stats.primitives;
            ++m_stats.chords;
        }
        return true;
    }

    // Whether the disc about (x, y) lies within the view.
    bool Within(double x, double y, double radius) const
    {
        return x - radius >= m_view.left && x + radius <= m_view.right
            && y - radius >= m_view.bottom && y + radius <= m_view.top;
    }

    // Whether the disc about (x, y) misses the view widened by the pen's margin.
    bool Misses(double x, double y, double radius) const
    {
        const double dx
            = std::max({ m_view.left - m_marginX - x, x - m_view.right - m_marginX, 0.0 });
        const double dy
            = std::max({ m_view.bottom - m_marginY - y, y - m_view.top - m_marginY, 0.0 });
        return dx * dx + dy * dy > radius * radius;
    }

    // The turtle where the sub-figure ends: `along` steps ahead and `left` to the left, its
    // heading turned, its pen narrowed as the sub-figure's runs narrow it.
    void MoveToEnd(const SubfigureBound& bound, const SubfigurePen& pen)
    {
        const Direction& direction = m_direction(m_turtle.heading);
        const double aheadX = bound.along * direction.sine - bound.left * direction.cosine;
        const double aheadY = bound.along * direction.cosine + bound.left * direction.sine;
        m_turtle.Move(m_stepLength * aheadX, m_stepLength * aheadY);
        m_turtle.TurnLeft(Finite(static_cast<double>(bound.leftTurns) * m_angle));
        const SubfigurePen::Effect& effect = pen.effect[m_narrowingDue];
        const std::int32_t startWidth = m_turtle.penWidth;
        m_turtle.penWidth
            = TurtleState::Narrowed(m_turtle.penWidth, m_style.narrowing, effect.narrowings);
        m_narrowingDue = effect.dueAtEnd;
        // The pen a segment with a negative width keeps is the last width the sub-figure drew
        // with that was not negative: the width at its end where that is not, else the
        // narrowest its start narrows to.
        if (pen.draws && startWidth >= 0) {
            m_lastPen = m_turtle.penWidth >= 0 ? m_turtle.penWidth
                : m_style.narrowing > 0        ? startWidth % m_style.narrowing
                                               : startWidth;
        }
        m_stepsDone += pen.steps;
    }

    // The width a segment is drawn with: its own, else (negative) the last that was not, as the
    // plane's pen keeps it, so that the frame does not depend on the pen it finds.
    std::int32_t DrawnWidth(std::int32_t width)
    {
        if (width >= 0)
            m_lastPen = width;
        return m_lastPen >= 0 ? m_lastPen : width;
    }

    void SegmentTo(double endX, double endY)
    {
        m_canvas.DrawSegment(Turned(m_turtle.x, m_turtle.y), Turned(endX, endY), m_style.colour,
            DrawnWidth(m_turtle.penWidth));
        ++m_stats.primitives;
        m_turtle.x = endX;
        m_turtle.y = endY;
    }

    // The point turned by the style's rotation, as plane::MultiplyPoint turns it.
    [[gnu::always_inline]] plane::TVector3 Turned(double x, double y) const
    {
        if (!m_rotation)
            return { x, y, 1.0 };
        const plane::TMatrix3& m = *m_rotation;
        const double turnedX = (x * m.m[0][0] + y * m.m[1][0]) + 0.0;
        const double turnedY = (x * m.m[0][1] + y * m.m[1][1]) + 0.0;
        if (!std::isfinite(turnedX) || !std::isfinite(turnedY)) [[unlikely]]
            return plane::MultiplyPoint({ x, y, 1.0 }, m);
        return { turnedX, turnedY, 1.0 };
    }

    Expansion m_expansion;
    const SubfigureBounds m_bounds;
    const SubfigurePens m_pens;
    const double m_angle;
    const double m_stepLength;
    const WalkStyle m_style;
    const ExploreView m_view;
    const double m_pixelsPerUnit;
    // The largest radius, in steps, of a sub-figure drawn as its chord.
    double m_chordRadius = 0.0;
    Canvas& m_canvas;
    std::optional<plane::TMatrix3> m_rotation;
    double m_marginX = 0.0;
    double m_marginY = 0.0;

    // For each count of substitutions still to make, whether the level being read with it
    // lies in a sub-figure whose disc lies in the view.
    std::vector<char> m_inside;
    bool m_finished = false;
    TurtleState m_turtle;
    // The last width drawn with that was not negative, from the start width on (the whole
    // walk's first step draws with it); negative while there is none.
    std::int32_t m_lastPen;
    bool m_narrowingDue = false;
    RememberedDirection m_direction;
    ExploreStats m_stats;
    double m_totalSteps = 0.0;
    double m_stepsDone = 0.0;
};

bool ExploreWalk::Handles(const DrawParams& params, const WalkStyle& style)
{
    return params.Commands == CommandSet::Panel && params.RandomAmp == 0.0 && style.narrowing >= 0
        && !RuleTable(params.RuleF, params.RuleG, params.MoreRules).weighted();
}

ExploreWalk::ExploreWalk(const DrawParams& params, const WalkStyle& style, const ExploreView& view,
    double chordPixels, Canvas& canvas)
    : m_impl(std::make_unique<Impl>(params, style, view, chordPixels, canvas))
{
}

ExploreWalk::~ExploreWalk() = default;

bool ExploreWalk::Advance(std::uint64_t budget)
{
    return m_impl->Advance(budget);
}

bool ExploreWalk::finished() const
{
    return m_impl->finished();
}

const ExploreStats& ExploreWalk::stats() const
{
    return m_impl->stats();
}

double ExploreWalk::progress() const
{
    return m_impl->progress();
}

} // namespace lsystem
