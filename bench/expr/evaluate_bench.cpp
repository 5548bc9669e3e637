#include "expr/arithmetic.h"
#include "expr/evaluator.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace {

// One whole evaluation of a field text, as the Draw command makes six times.
void EvaluateText(benchmark::State& state, const char* text)
{
    std::string errorText;
    const expr::Variables variables { 3.0, 4.0 };
    for (auto _ : state) {
        double value = expr::Evaluate(text, errorText, variables);
        benchmark::DoNotOptimize(value);
    }
    state.SetLabel(errorText.empty() ? "ok" : errorText);
}
BENCHMARK_CAPTURE(EvaluateText, Fraction, "20/46");
BENCHMARK_CAPTURE(EvaluateText, Hypotenuse, "SQRT(X*X+Y*Y)");

// The longest power there is: a base next to 1 whose product never settles, so the loop runs
// to its bound and the library power finishes it.
void DriftingPower(benchmark::State& state)
{
    const double base = 1.0 + 0x1p-52;
    const std::int64_t exponent = std::int64_t { 1 } << 40;
    for (auto _ : state) {
        double value = expr::IntPower(base, exponent);
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(DriftingPower)->Unit(benchmark::kMillisecond);

} // namespace
