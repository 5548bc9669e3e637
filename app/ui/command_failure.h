#pragma once

#include "app/core/record/panel_fields.h"

#include <cstddef>
#include <optional>
#include <string>

namespace app {

// What a failed command tells the user, and where the fault lies when a field or a rule holds
// it.
struct CommandFailure {
    std::string message;
    std::optional<ExpressionField> field; // an expression field the evaluator rejected
    std::optional<std::size_t> rule; // the row of a rule that cannot be drawn, from 1
};

// The failure the exception being handled stands for; to be called only inside a catch
// block. An angle that is no number is told as `typedAngle`, the text the user typed, rather
// than as the record holds it.
CommandFailure CurrentFailure(const std::string& typedAngle);

} // namespace app
