#include "lsystem/rules/rule_table.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace lsystem {

namespace {

// SplitMix64's finaliser: every bit of the input reaches every bit of the output.
std::uint64_t Mix(std::uint64_t x)
{
    x += 0x9e3779b97f4a7c15u;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9u;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebu;
    return x ^ (x >> 31);
}

bool UsableWeight(double weight)
{
    return std::isfinite(weight) && weight > 0.0;
}

} // namespace

double ChoiceValue(std::uint32_t seed, std::int32_t level, std::uint64_t place)
{
    const std::uint64_t bits = Mix(Mix(Mix(seed) ^ static_cast<std::uint32_t>(level)) ^ place);
    return static_cast<double>(bits >> 11) * 0x1p-53;
}

RuleTable::RuleTable(
    const std::string& ruleF, const std::string& ruleG, const std::vector<Rule>& more)
{
    std::vector<std::vector<double>> weights;
    const auto add = [&](char symbol, double weight, const std::string& replacement) {
        if (!MayHaveRule(symbol))
            return;
        std::uint8_t& index = m_index[static_cast<unsigned char>(symbol)];
        if (index == 0) {
            m_rules.emplace_back();
            weights.emplace_back();
            m_symbols += symbol;
            index = static_cast<std::uint8_t>(m_rules.size());
        } else if (!UsableWeight(weight)) {
            return;
        }
        m_rules[index - 1u].replacements.push_back(replacement);
        weights[index - 1u].push_back(UsableWeight(weight) ? weight : 1.0);
    };
    add('F', 1.0, ruleF);
    add('G', 1.0, ruleG);
    for (const Rule& rule : more)
        add(rule.symbol, rule.weight, rule.replacement);

    for (std::size_t i = 0; i < m_rules.size(); ++i) {
        const double largest = *std::max_element(weights[i].begin(), weights[i].end());
        double sum = 0.0;
        for (const double weight : weights[i]) {
            sum += weight / largest;
            m_rules[i].bounds.push_back(sum);
        }
        m_weighted = m_weighted || m_rules[i].replacements.size() > 1;
    }
}

const std::string& RuleTable::Replacement(
    char symbol, std::uint32_t seed, std::int32_t level, std::uint64_t place) const
{
    const Alternatives& rule = Of(symbol);
    if (rule.replacements.size() == 1)
        return rule.replacements.front();
    const double target = ChoiceValue(seed, level, place) * rule.bounds.back();
    const auto chosen = std::upper_bound(rule.bounds.begin(), rule.bounds.end(), target);
    // A target rounded up to the sum takes the last alternative.
    const std::size_t index = std::min<std::size_t>(
        static_cast<std::size_t>(std::distance(rule.bounds.begin(), chosen)),
        rule.replacements.size() - 1);
    return rule.replacements[index];
}

} // namespace lsystem
