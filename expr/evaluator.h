#pragma once

#include "expr/postfix.h"

#include <string>
#include <string_view>

namespace expr {

// The values of the variables X, Y, T, R, S, Z, K and N.
struct Variables {
    double X = 0.0;
    double Y = 0.0;
    double T = 0.0;
    double R = 0.0;
    double S = 0.0;
    double Z = 0.0;
    double K = 0.0;
    double N = 0.0;
};

// Compiles and evaluates an expression text. On success errorText is empty; otherwise it holds
// the evaluator's message. Arithmetic faults are raised as fpu::FloatingPointError.
double Evaluate(std::string_view text, std::string& errorText, const Variables& variables);

// Runs a compiled program on a stack of doubles; the program is not changed. When errorText
// holds one of the compiler's messages on entry, nothing runs, the text stays and the
// result is 0. Otherwise errorText is made empty, or set to the message of the first domain
// error, or to UnbalancedStackMessage when an operation lacks an operand or the program leaves
// no value; the result is then 0. A program that leaves more than one value also sets
// UnbalancedStackMessage but returns the top value. A program without an end marker ends
// after its last cell. Arithmetic faults are raised as fpu::FloatingPointError.
double EvaluatePostfix(
    const TPostfixProgram& program, std::string& errorText, const Variables& variables);

} // namespace expr
