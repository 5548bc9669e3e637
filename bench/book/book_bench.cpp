// The book notation's engine: the depth-first unfolding of a context-free parametric system and
// the in-memory steps of context-sensitive ones, each reported per module.

#include "lsystem/book/book_derivation.h"
#include "lsystem/book/book_expansion.h"
#include "lsystem/book/book_parser.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <stdexcept>
#include <string>

namespace {

using namespace lsystem::book;

BookSystem Parse(const std::string& axiom, const std::string& rules)
{
    BookParse parse = ParseBookSystem(axiom, rules);
    if (!parse.system)
        throw std::runtime_error(parse.error.Text());
    return std::move(*parse.system);
}

// Figure 1.37a's monopodial tree at 18 steps: about 1.8 million modules.
const char* const MonopodialRules = "define r1 0.9\ndefine r2 0.6\ndefine a0 45\ndefine a2 45\n"
                                    "define d 137.5\ndefine wr 0.707\n"
                                    "A(l,w) -> !(w)F(l)[&(a0)B(l*r2,w*wr)]/(d)A(l*r1,w*wr)\n"
                                    "B(l,w) -> !(w)F(l)[-(a2)$C(l*r2,w*wr)]C(l*r1,w*wr)\n"
                                    "C(l,w) -> !(w)F(l)[+(a2)$B(l*r2,w*wr)]B(l*r1,w*wr)\n";

void UnfoldMonopodialTree(benchmark::State& state)
{
    const BookSystem system = Parse("A(1,10)", MonopodialRules);
    std::uint64_t total = 0;
    for (auto _ : state) {
        double sum = 0.0;
        std::uint64_t modules = 0;
        auto sink = [&](char, const double* arguments, std::size_t count) {
            ++modules;
            if (count > 0)
                sum += arguments[0];
        };
        BookExpansion expansion(system, 18, 0);
        std::uint64_t budget = UINT64_MAX;
        expansion.Advance(budget, sink);
        benchmark::DoNotOptimize(sum);
        total += modules;
    }
    state.counters["modules"]
        = static_cast<double>(total) / static_cast<double>(state.iterations());
    state.counters["ns/module"] = benchmark::Counter(
        static_cast<double>(total), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(UnfoldMonopodialTree)->Unit(benchmark::kMillisecond);

// Steps of a context-sensitive system, reported per module of the words rewritten.
void Derive(benchmark::State& state, const BookSystem& system, int count)
{
    std::uint64_t total = 0;
    for (auto _ : state) {
        BookWord word = AxiomWord(system);
        BookWord next;
        for (int level = 0; level < count; ++level) {
            total += word.size();
            RewriteStep(system, word, next, level, 0);
            std::swap(word, next);
        }
        benchmark::DoNotOptimize(word.symbols.data());
    }
    state.counters["modules"]
        = static_cast<double>(total) / static_cast<double>(state.iterations());
    state.counters["ns/module/step"] = benchmark::Counter(
        static_cast<double>(total), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// A(x) < B(y) > C(z) -> B(x+y+z) on a word of 300000 modules, 10 steps.
void DeriveSumOfNeighbours(benchmark::State& state)
{
    std::string axiom;
    for (int i = 0; i < 100000; ++i)
        axiom += "A(1)B(2)C(3)";
    Derive(state, Parse(axiom, "A(x) < B(y) > C(z) -> B(x+y+z)\n"), 10);
}
BENCHMARK(DeriveSumOfNeighbours)->Unit(benchmark::kMillisecond);

// Figure 1.31a at its count of 30 steps.
void DeriveFigure131a(benchmark::State& state)
{
    Derive(state,
        Parse("F1F1F1",
            "ignore: +-F\n0<0>0 -> 0\n0<0>1 -> 1[+F1F1]\n0<1>0 -> 1\n0<1>1 -> 1\n"
            "1<0>0 -> 0\n1<0>1 -> 1F1\n1<1>0 -> 0\n1<1>1 -> 0\n+ -> -\n- -> +\n"),
        30);
}
BENCHMARK(DeriveFigure131a)->Unit(benchmark::kMillisecond);

} // namespace
