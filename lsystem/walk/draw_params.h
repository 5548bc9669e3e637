#pragma once

#include "lsystem/rules/command_set.h"
#include "lsystem/rules/rule.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lsystem {

// The drawing parameters: filled by the Draw command; a walk copies what it needs when it is made.
struct DrawParams {
    std::string Word; // the axiom; the walk expands the rules as it goes, never building the word
    std::string RuleF; // what replaces each "F"
    std::string RuleG; // what replaces each "G"
    // Rules for other symbols, and alternatives to RuleF and RuleG (see Rule)
    std::vector<Rule> MoreRules;
    double Angle = 0.0; // turning angle, degrees
    double StepLength = 0.0; // world length of one step
    double RandomAmp = 0.0; // random amplitude
    double LengthScale = 0.0; // length factor per substitution
    std::int32_t SubstCount = 0; // number of substitutions
    std::int32_t PenWidth = 0; // pen width at the start of a walk, pixels
    CommandSet Commands = CommandSet::Panel; // which turtle reads the word
    // The book's commands only: the rule text, lines of its notation (lsystem/book/book_parser.h);
    // Word is then the axiom and RuleF, RuleG and MoreRules do not apply.
    std::string BookRules;
};

} // namespace lsystem
