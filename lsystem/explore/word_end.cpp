#include "lsystem/explore/word_end.h"

#include "lsystem/commands/panel_commands.h"
#include "lsystem/walk/remembered_direction.h"

#include <cmath>
#include <vector>

namespace lsystem {

std::optional<StepPoint> WordEnd(const std::string& word, const RuleTable& rules,
    const SubfigureBounds& bounds, double angle, std::int32_t count)
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
        switch (PanelCommandOf(symbol)) {
        case PanelCommand::None:
            break;
        case PanelCommand::Step:
        case PanelCommand::Move:
            ahead(1.0, 0.0);
            break;
        case PanelCommand::TurnLeft:
            pose.heading -= angle;
            break;
        case PanelCommand::TurnRight:
            pose.heading += angle;
            break;
        case PanelCommand::OpenBranch:
            saved.push_back(pose);
            break;
        case PanelCommand::CloseBranch:
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
