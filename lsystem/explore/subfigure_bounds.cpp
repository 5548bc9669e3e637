#include "lsystem/explore/subfigure_bounds.h"

#include "lsystem/rules/saturating.h"
#include "lsystem/walk/remembered_direction.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace lsystem {

namespace {

constexpr double Epsilon = 0x1p-52;
// The relative slack by which every radius, reach and distance is rounded up. Each is made by at
// most a few correctly rounded operations (an addition, a maximum, a hypot within an ulp) on
// values that are themselves upper bounds, so its rounding is a few parts in 2^52; 1e-12 is
// thousands of times that, compounds to less than 1e-10 over a hundred levels and leaves no
// pixel of a figure outside.
constexpr double Slack = 1e-12;

double Up(double bound)
{
    return bound * (1.0 + Slack);
}

SubfigureBound Unbounded()
{
    SubfigureBound bound;
    bound.radius = SubfigureBound::Infinity;
    bound.reach = SubfigureBound::Infinity;
    bound.endFixed = false;
    bound.selfContained = false;
    return bound;
}

// A perturbed step (BranchingTurtle::DrawPerturbedStep) moves the turtle by
// ((r1 - 0.5) a + (L + (r2 - 0.5) a) sin x, (r4 - 0.5) a + (L + (r5 - 0.5) a) cos y) with each r
// in [0, 1) and any angles x and y: the first terms make a vector of length at most a / sqrt 2,
// the second (L + a / 2) (sin x, cos y), of length at most sqrt 2 (L + a / 2). In steps, with a
// the amplitude in steps, that is at most sqrt 2 (1 + a).
double PerturbedStepLength(double amplitude)
{
    return Up(std::sqrt(2.0) * (1.0 + amplitude));
}

SubfigureBound PlainSymbol(const SymbolEffect& effect, double amplitude)
{
    SubfigureBound bound;
    switch (effect.kind) {
    case EffectKind::None:
        break;
    case EffectKind::Step:
        if (amplitude != 0.0) {
            bound.radius = PerturbedStepLength(amplitude);
            bound.reach = bound.radius;
            bound.endFixed = false;
            break;
        }
        [[fallthrough]];
    case EffectKind::Move:
        // Rounded up as well: the walk's step, a product by a sine and a cosine, may come out an
        // ulp longer.
        bound.radius = Up(1.0);
        bound.reach = bound.radius;
        bound.along = 1.0;
        break;
    case EffectKind::Turn:
        bound.leftTurns = effect.turns;
        break;
    case EffectKind::Open:
        bound.opens = 1;
        break;
    case EffectKind::Close:
        return Unbounded();
    }
    return bound;
}

// Where the turtle may be, relative to the start of the replacement being composed: exactly
// (within `error`) when `fixed`, else only within `distance` of the start, heading unknown.
struct Pose {
    bool fixed = true;
    double along = 0.0;
    double left = 0.0;
    double error = 0.0;
    std::int64_t leftTurns = 0;
    double distance = 0.0; // a bound of the position's distance from the start, always
};

Pose Loose(double distance)
{
    Pose pose;
    pose.fixed = false;
    pose.distance = distance;
    return pose;
}

// The bound of one replacement, its symbols' bounds placed one after another as the turtle
// walks them: a symbol placed at a position within distance d of the start reaches no further
// than d + its radius, whatever the heading there.
class Composition {
public:
    Composition(const SymbolEffects& effects, double angle)
        : m_effects(effects)
        , m_angle(angle)
    {
    }

    SubfigureBound Of(const std::string& replacement, const SubfigureBound* const (&below)[256])
    {
        m_pose = Pose {};
        m_radius = 0.0;
        m_saved.clear();
        for (const char symbol : replacement) {
            const SymbolEffect& effect = m_effects[static_cast<unsigned char>(symbol)];
            switch (effect.kind) {
            case EffectKind::Turn:
                Turn(effect.turns);
                break;
            case EffectKind::Open:
                m_saved.push_back({ m_pose, 1 });
                break;
            case EffectKind::Close:
                // A ")" that closes a branch opened before the replacement.
                if (m_saved.empty())
                    return Unbounded();
                m_pose = m_saved.back().pose;
                if (--m_saved.back().count == 0)
                    m_saved.pop_back();
                break;
            case EffectKind::None:
            case EffectKind::Step:
            case EffectKind::Move:
                // As the symbol's sub-figure one level down, which its rule may have made.
                if (!Place(*below[static_cast<unsigned char>(symbol)]))
                    return Unbounded();
                break;
            }
        }
        SubfigureBound bound;
        bound.radius = Up(std::max(m_radius, m_pose.distance));
        bound.reach = m_pose.distance;
        bound.endFixed = m_pose.fixed;
        if (m_pose.fixed) {
            bound.along = m_pose.along;
            bound.left = m_pose.left;
            bound.endError = m_pose.error;
            bound.leftTurns = m_pose.leftTurns;
        }
        for (const Saved& saved : m_saved)
            bound.opens = AddSaturating(bound.opens, saved.count);
        return bound;
    }

private:
    struct Saved {
        Pose pose;
        std::uint64_t count; // how many branches saved this same pose
    };

    void Turn(std::int64_t turns)
    {
        if (m_pose.fixed && __builtin_add_overflow(m_pose.leftTurns, turns, &m_pose.leftTurns))
            m_pose = Loose(m_pose.distance);
    }

    bool Place(const SubfigureBound& child)
    {
        if (!child.selfContained)
            return false;
        m_radius = std::max(m_radius, Up(m_pose.distance + child.radius));
        // Branches left open in the child saved states somewhere within its radius.
        if (child.opens != 0)
            m_saved.push_back({ Loose(Up(m_pose.distance + child.radius)), child.opens });
        if (m_pose.fixed && child.endFixed)
            Advance(child);
        else
            m_pose = Loose(Up(m_pose.distance + child.reach));
        return true;
    }

    // Moves the fixed pose by the child's fixed end, turned by the pose's heading: rotating
    // (along, left) by the angle phi = leftTurns * Angle to the left. The error bound adds the
    // child's own, the rotation's (the angle is reduced to within 180 degrees exactly, after a
    // product that is off by half an ulp of |leftTurns * Angle|; the conversion to radians, sin
    // and cos each add an ulp or so) and the rounding of the sums, each term twice what it
    // covers, so that the rounding of the bound itself is covered too.
    void Advance(const SubfigureBound& child)
    {
        const double turned = static_cast<double>(m_pose.leftTurns) * m_angle;
        const double phi = std::remainder(turned, 360.0) * RememberedDirection::DegreesToRadians;
        const double c = std::cos(phi);
        const double s = std::sin(phi);
        const double angleError
            = (std::abs(turned) * RememberedDirection::DegreesToRadians + 8.0) * 2.0 * Epsilon;
        const double along = m_pose.along + (c * child.along - s * child.left);
        const double left = m_pose.left + (s * child.along + c * child.left);
        const double error = m_pose.error + child.endError
            + child.reach * (angleError + 8.0 * Epsilon)
            + (std::abs(m_pose.along) + std::abs(m_pose.left)) * 4.0 * Epsilon;
        std::int64_t turns;
        if (!std::isfinite(along) || !std::isfinite(left) || !std::isfinite(error)
            || __builtin_add_overflow(m_pose.leftTurns, child.leftTurns, &turns)) {
            m_pose = Loose(Up(m_pose.distance + child.reach));
            return;
        }
        m_pose.along = along;
        m_pose.left = left;
        m_pose.error = Up(error);
        m_pose.leftTurns = turns;
        m_pose.distance = Up(Up(std::hypot(along, left)) + m_pose.error);
    }

    const SymbolEffects& m_effects;
    const double m_angle;
    Pose m_pose;
    double m_radius = 0.0;
    std::vector<Saved> m_saved;
};

// What holds for every alternative: the largest radius and reach, a fixed end only where all
// alternatives end alike.
SubfigureBound Merged(const SubfigureBound& a, const SubfigureBound& b)
{
    if (!a.selfContained || !b.selfContained || a.opens != b.opens)
        return Unbounded();
    SubfigureBound bound = a;
    bound.radius = std::max(a.radius, b.radius);
    bound.reach = std::max(a.reach, b.reach);
    bound.endFixed = a.endFixed && b.endFixed && a.along == b.along && a.left == b.left
        && a.leftTurns == b.leftTurns;
    bound.endError = bound.endFixed ? std::max(a.endError, b.endError) : 0.0;
    if (!bound.endFixed) {
        bound.along = 0.0;
        bound.left = 0.0;
        bound.leftTurns = 0;
    }
    return bound;
}

double AmplitudeInSteps(const DrawParams& params)
{
    if (params.RandomAmp == 0.0)
        return 0.0;
    const double amplitude = std::abs(params.RandomAmp) / std::abs(params.StepLength);
    return std::isfinite(amplitude) ? amplitude : SubfigureBound::Infinity;
}

} // namespace

SubfigureBounds::SubfigureBounds(const RuleTable& rules, double angle, double amplitude,
    std::int32_t maxRemaining, const SymbolEffects& effects)
    : m_maxRemaining(std::max(maxRemaining, 0))
{
    m_slot.fill(-1);
    for (int symbol = 0; symbol < 256; ++symbol)
        m_plain[static_cast<std::size_t>(symbol)]
            = PlainSymbol(effects[static_cast<std::size_t>(symbol)], amplitude);
    const std::string& symbols = rules.symbols();
    m_symbols = symbols.size();
    for (std::size_t slot = 0; slot < m_symbols; ++slot)
        m_slot[static_cast<unsigned char>(symbols[slot])] = static_cast<std::int16_t>(slot);

    // Reserved in full: each level's look-ups point into the levels below while it grows.
    m_levels.reserve(m_symbols * static_cast<std::size_t>(m_maxRemaining + 1));
    for (std::size_t slot = 0; slot < m_symbols; ++slot)
        m_levels.push_back(m_plain[static_cast<unsigned char>(symbols[slot])]);
    Composition composition(effects, angle);
    const SubfigureBound* below[256];
    for (std::int32_t level = 1; level <= m_maxRemaining; ++level) {
        for (int symbol = 0; symbol < 256; ++symbol)
            below[symbol] = &Of(static_cast<char>(symbol), level - 1);
        for (const char symbol : symbols) {
            const std::vector<std::string>& alternatives = rules.Replacements(symbol);
            SubfigureBound bound = composition.Of(alternatives.front(), below);
            for (std::size_t i = 1; i < alternatives.size(); ++i)
                bound = Merged(bound, composition.Of(alternatives[i], below));
            m_levels.push_back(bound);
        }
    }
}

SubfigureBounds::SubfigureBounds(const DrawParams& params, std::int32_t maxRemaining)
    : SubfigureBounds(RuleTable(params.RuleF, params.RuleG, params.MoreRules), params.Angle,
        AmplitudeInSteps(params), maxRemaining)
{
    m_known = params.Commands == CommandSet::Panel;
}

const SubfigureBound& SubfigureBounds::Of(char symbol, std::int32_t remaining) const
{
    static const SubfigureBound unknown = Unbounded();
    if (!m_known)
        return unknown;
    const std::int16_t slot = m_slot[static_cast<unsigned char>(symbol)];
    if (slot < 0)
        return m_plain[static_cast<unsigned char>(symbol)];
    return m_levels[static_cast<std::size_t>(remaining) * m_symbols
        + static_cast<std::size_t>(slot)];
}

} // namespace lsystem
