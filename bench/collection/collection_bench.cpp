// Opening a collection of Fractint L-systems and listing it, as --list does: the text read, then
// for every entry the order it is drawn at and its segments, counted from the rules. The target
// is under 100 ms for a collection of 550 entries.

#include "app/core/formats/collection_listing.h"
#include "app/core/formats/fractint_collection.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <string>

namespace {

// Varied entries: growth by a single rule, by two that call each other, branches, the scaling
// and colour commands, a deleted symbol, and one that cannot be drawn. "%" is the entry's number.
constexpr std::array<const char*, 6> entryTexts = {
    "Flake% {   ; a snowflake\n  Angle 6\n  Axiom F--F--F\n  F=F+F--F+F\n}\n",
    "Curve% {\n angle 4\n axiom X\n X=-YF+XFX+FY-\n Y=+XF-YFY-FX+\n}\n",
    "Bush% {\n Angle 16\n Axiom ++++F\n F=FF-[-F+F+F]+[+F-F-F]\n}\n",
    "Painted% {\n angle 12\n axiom C1A\n A=D\\30M/45D<2[@.7A]!|+A>1@I1.5@Q2G\n B=\n X=XB\n}\n",
    "Tiles% {\n  Angle 4\n  Axiom F+F+F+F\n  F=FF+F+F+F+FF\n  F=-F\n}\n",
    "Broken% {\n axiom F\n F=FF\n}\n",
};

std::string Collection(std::size_t entries)
{
    std::string text = "; generated for the benchmark\n";
    for (std::size_t i = 0; i < entries; ++i) {
        std::string entry = entryTexts[i % entryTexts.size()];
        entry.replace(entry.find('%'), 1, std::to_string(i));
        text += entry;
    }
    return text;
}

void BM_ListCollection(benchmark::State& state)
{
    const std::string text = Collection(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        const app::FractintCollection collection = app::ReadFractintCollection(text);
        std::size_t bytes = 0;
        for (const app::FractintEntry& entry : collection.entries)
            bytes += app::ListingLine(entry).size();
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_ListCollection)->Arg(550)->Unit(benchmark::kMillisecond);

} // namespace
