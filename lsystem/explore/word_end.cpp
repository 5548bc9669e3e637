#include "lsystem/explore/word_end.h"

#include "lsystem/walk/remembered_direction.h"

#include <cmath>
#include <vector>

namespace lsystem {

std::optional<StepPoint> WordEnd(const std::string& word, const RuleTable& rules,
    const SubfigureBounds& bounds, double angle, std::int32_t count, const SymbolEffects& effects)
{
    struct Pose {
        double x = 0.0;
        double y = 0.0;
        double heading = 0.0;
    };
    Pose pose;
    std::vector<Pose> saved;
    const auto ahead = [&](double along, double left) {
        const double radians = pose.heading * RememberedDirection::DegreesToRadians;
        const double sine = std::sin(radians);
        const double cosine = std::cos(radians);
        pose.x += along * sine - left * cosine;
        pose.y += along * cosine + left * sine;
    };
    for (const char symbol : word) {
        if (rules.rewrites(symbol) && count > 0) {
            const SubfigureBound& bound = bounds.Of(symbol, count);
            if (!bound.endFixed || !bound.selfContained || bound.opens != 0)
                return std::nullopt;
            ahead(bound.along, bound.left);
            pose.heading -= static_cast<double>(bound.leftTurns) * angle;
            continue;
        }
        const SymbolEffect& effect = effects[static_cast<unsigned char>(symbol)];
        switch (effect.kind) {
        case EffectKind::None:
            break;
        case EffectKind::Step:
        case EffectKind::Move:
            ahead(1.0, 0.0);
            break;
        case EffectKind::Turn:
            // Exact: turns is 1 or -1 for the panel's turns, and x - (-a) is x + a.
            pose.heading -= static_cast<double>(effect.turns) * angle;
            break;
        case EffectKind::Open:
            saved.push_back(pose);
            break;
        case EffectKind::Close:
            if (!saved.empty()) {
                pose = saved.back();
                saved.pop_back();
            }
            break;
        }
    }
    return StepPoint { pose.x, pose.y };
}

} // namespace lsystem
