#pragma once

#include "lsystem/rules/rule.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace lsystem {

// The value in [0, 1) that chooses among a symbol's alternatives for its occurrence at `place`
// (counted from 0) of the word that `level` rewriting steps made, in a figure whose walk starts
// from the generator state `seed`. A generator of its own, apart from the walk's
// RandomGenerator, whose sequence stays as it is; a hash of the three, so that any occurrence's
// value is had without those before it and a word's rewriting does not depend on how many more
// steps follow.
double ChoiceValue(std::uint32_t seed, std::int32_t level, std::uint64_t place);

// The rules of an L-system by symbol. The F and G rules come first for their symbols, weighing
// 1; the more rules follow, in order, each a rule for its symbol or an alternative to the ones
// before. Rules for the turtle's commands are left out, as are alternatives whose weight is not a
// positive finite number (a symbol keeps its first rule, whatever its weight).
class RuleTable {
public:
    RuleTable() = default; // rewrites nothing
    RuleTable(const std::string& ruleF, const std::string& ruleG, const std::vector<Rule>& more);

    [[gnu::always_inline]] bool rewrites(char symbol) const
    {
        return m_index[static_cast<unsigned char>(symbol)] != 0;
    }
    // Whether some symbol has alternatives, so that a word's rewriting depends on the seed.
    bool weighted() const { return m_weighted; }
    // The symbols that have rules, in the order of their first rules.
    const std::string& symbols() const { return m_symbols; }

    // What replaces `symbol`, which has a rule, at `place` of the word at `level`: its one
    // replacement, or the alternative that ChoiceValue picks, each taking a share of [0, 1) in
    // proportion to its weight.
    const std::string& Replacement(
        char symbol, std::uint32_t seed, std::int32_t level, std::uint64_t place) const;
    // The replacement of a symbol that has one, and the first alternative of one that has more.
    const std::string& First(char symbol) const { return Of(symbol).replacements.front(); }
    // Every alternative of a symbol that has a rule, in order.
    const std::vector<std::string>& Replacements(char symbol) const
    {
        return Of(symbol).replacements;
    }

private:
    struct Alternatives {
        std::vector<std::string> replacements;
        // Where each alternative's share of the weights ends, the weights scaled by the largest
        // so that their sum cannot overflow.
        std::vector<double> bounds;
    };
    const Alternatives& Of(char symbol) const
    {
        return m_rules[m_index[static_cast<unsigned char>(symbol)] - 1u];
    }

    std::array<std::uint8_t, 256> m_index {}; // 1 + the symbol's place in m_rules; 0 for none
    std::vector<Alternatives> m_rules;
    std::string m_symbols;
    bool m_weighted = false;
};

} // namespace lsystem
