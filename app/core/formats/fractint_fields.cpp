#include "app/core/formats/fractint_fields.h"

#include "app/core/text/float_text.h"
#include "lsystem/rules/rewriting.h"
#include "lsystem/rules/rule_table.h"

#include <string>
#include <vector>

namespace app {

namespace {

// The system's rules as the panel holds them: F's and G's in their fields, the rest apart.
struct SplitRules {
    std::string ruleF = "F";
    std::string ruleG = "G";
    std::vector<FractintRule> others;
};

SplitRules Split(const FractintSystem& system)
{
    SplitRules split;
    for (const FractintRule& rule : system.rules) {
        if (rule.symbol == 'F')
            split.ruleF = rule.replacement;
        else if (rule.symbol == 'G')
            split.ruleG = rule.replacement;
        else
            split.others.push_back(rule);
    }
    return split;
}

// The system's rules for counting its rewritten word, and the symbols that draw a step.
struct Counting {
    lsystem::RuleTable rules;
    lsystem::SymbolSet steps;
};

Counting CountingOf(const FractintSystem& system)
{
    const SplitRules split = Split(system);
    std::vector<lsystem::Rule> more;
    for (const FractintRule& rule : split.others)
        more.push_back({ rule.symbol, 1.0, rule.replacement });
    Counting counting { lsystem::RuleTable(split.ruleF, split.ruleG, more), {} };
    counting.steps.set(static_cast<unsigned char>('F')).set(static_cast<unsigned char>('D'));
    return counting;
}

} // namespace

std::int32_t ImportedOrder(const FractintSystem& system)
{
    const Counting counting = CountingOf(system);
    for (std::int32_t order = MaxSubstitutions; order > MinSubstitutions; --order) {
        if (lsystem::RewrittenCount(system.axiom, counting.rules, order, counting.steps)
                <= MaxImportedSegments
            && lsystem::RewrittenLength(system.axiom, counting.rules, order) <= MaxImportedSymbols)
            return order;
    }
    return MinSubstitutions;
}

std::uint64_t ImportedSegments(const FractintSystem& system, std::int32_t order)
{
    const Counting counting = CountingOf(system);
    return lsystem::RewrittenCount(system.axiom, counting.rules, order, counting.steps);
}

PanelFields FractintFields(const FractintSystem& system)
{
    const SplitRules split = Split(system);
    PanelFields fields;
    fields.axiom = system.axiom;
    fields.ruleF = split.ruleF;
    fields.ruleG = split.ruleG;
    for (const FractintRule& rule : split.others)
        fields.moreRules.push_back({ std::string(1, rule.symbol), "1", rule.replacement });
    fields.angle = FloatToText(360.0 / system.angleDivisions);
    fields.length = "1";
    fields.substCount = ImportedOrder(system);
    fields.random = "0";
    fields.preset = Preset::KochIsland;
    fields.commands = lsystem::CommandSet::Fractint;
    return fields;
}

} // namespace app
