#include "app/core/formats/copied_fractint_entry.h"

#include "app/core/formats/fractint_collection.h"
#include "app/core/text/float_text.h"

#include <cstdint>
#include <variant>

namespace app {

namespace {

// The n whose angle 360/n FractintFields writes as this text.
std::optional<std::int32_t> AngleDivisions(const std::string& angle)
{
    for (std::int32_t n = MinAngleDivisions; n <= MaxAngleDivisions; ++n) {
        if (FloatToText(360.0 / n) == angle)
            return n;
    }
    return std::nullopt;
}

// The system the fields stand for, before the check that its text reads back as it.
std::optional<FractintSystem> SystemOf(const PanelFields& fields)
{
    const auto divisions = AngleDivisions(fields.angle);
    if (!divisions)
        return std::nullopt;
    FractintSystem system { *divisions, fields.axiom, {} };
    if (fields.ruleF != "F")
        system.rules.push_back({ 'F', fields.ruleF });
    if (fields.ruleG != "G")
        system.rules.push_back({ 'G', fields.ruleG });
    for (const RuleText& rule : fields.moreRules) {
        if (rule.weight != "1" || rule.symbol.size() != 1)
            return std::nullopt;
        system.rules.push_back({ rule.symbol[0], rule.replacement });
    }
    return system;
}

} // namespace

std::optional<std::string> FormatFractintEntry(const PanelFields& fields, std::string_view name)
{
    if (fields.commands != lsystem::CommandSet::Fractint)
        return std::nullopt;
    const auto system = SystemOf(fields);
    if (!system)
        return std::nullopt;
    std::string text = std::string(name) + " {\n";
    text += "  Angle " + std::to_string(system->angleDivisions) + '\n';
    text += "  Axiom " + system->axiom + '\n';
    for (const FractintRule& rule : system->rules)
        text += "  " + std::string(1, rule.symbol) + '=' + rule.replacement + '\n';
    text += "}\n";
    // The reader is the judge of what the entry means: a text it reads otherwise is not given.
    const FractintCollection read = ReadFractintCollection(text);
    if (read.entries.size() != 1 || !read.faults.empty())
        return std::nullopt;
    const auto* readSystem = std::get_if<FractintSystem>(&read.entries.front().content);
    if (readSystem == nullptr || *readSystem != *system)
        return std::nullopt;
    return text;
}

} // namespace app
