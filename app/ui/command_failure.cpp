#include "app/ui/command_failure.h"

#include "app/core/record/prepared_draw.h"
#include "app/core/record/rule_text.h"

#include <exception>

namespace app {

CommandFailure CurrentFailure(const std::string& typedAngle)
{
    try {
        throw;
    } catch (const ExpressionError& error) {
        return { error.what(), error.field(), std::nullopt };
    } catch (const RuleError& error) {
        return { error.what(), std::nullopt, error.row() };
    } catch (const AngleError&) {
        return { AngleError(typedAngle).what(), std::nullopt, std::nullopt };
    } catch (const std::exception& error) {
        return { error.what(), std::nullopt, std::nullopt };
    } catch (...) {
        return { "Unknown error", std::nullopt, std::nullopt };
    }
}

} // namespace app
