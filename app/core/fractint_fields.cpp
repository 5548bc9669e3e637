#include "app/core/fractint_fields.h"

#include "app/core/float_text.h"
#include "lsystem/rewriting.h"
#include "lsystem/rule_table.h"

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

} // namespace

std::int32_t ImportedOrder(const FractintSystem& system)
{
    const SplitRules split = Split(system);
    std::vector<lsystem::Rule> more;
    for (const FractintRule& rule : split.others)
        more.push_back({ rule.symbol, 1.0, rule.replacement });
    const lsystem::RuleTable rules(split.ruleF, split.ruleG, more);
    lsystem::SymbolSet steps;
    steps.set(static_cast<unsigned char>('F')).set(static_cast<unsigned char>('D'));
    for (std::int32_t order = MaxSubstitutions; order > MinSubstitutions; --order) {
        if (lsystem::RewrittenCount(system.axiom, rules, order, steps) <= MaxImportedSegments
            && lsystem::RewrittenLength(system.axiom, rules, order) <= MaxImportedSymbols)
            return order;
    }
    return MinSubstitutions;
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
