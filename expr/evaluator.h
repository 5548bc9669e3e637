#pragma once

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

} // namespace expr
