#pragma once

#include <cstdint>
#include <string>

namespace lsystem {

// The drawing parameters: filled by the Draw command, read by rewriting and the walk.
struct DrawParams {
    std::string Word; // the axiom, then the result of each rewriting step
    std::string NextWord; // the result of one rewriting step
    std::string RuleF; // what replaces each "F"
    std::string RuleG; // what replaces each "G"
    double Angle = 0.0; // turning angle, degrees
    double StepLength = 0.0; // world length of one step
    double RandomAmp = 0.0; // random amplitude
    double LengthScale = 0.0; // length factor per substitution
    std::int32_t SubstCount = 0; // number of substitutions
    std::int32_t PenWidth = 0; // current pen width, pixels
    bool StopFlag = false; // set by Stop: a running walk ends before its next symbol
};

} // namespace lsystem
