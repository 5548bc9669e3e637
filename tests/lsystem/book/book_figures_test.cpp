#include "book_text.h"

#include "lsystem/book/book_derivation.h"
#include "lsystem/book/book_expansion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// A figure file: "axiom:", "count:" and "angle:" lines, the rest the rule text.
struct Figure {
    std::string axiom;
    int count = 0;
    double angle = 0.0;
    std::string rules;
};

Figure ReadFigure(const std::string& name)
{
    std::ifstream file(std::string(BOOK_FIGURES_DIR) + "/" + name);
    EXPECT_TRUE(file.good()) << name;
    Figure figure;
    std::string line;
    while (std::getline(file, line)) {
        if (line.rfind("axiom:", 0) == 0)
            figure.axiom = line.substr(6);
        else if (line.rfind("count:", 0) == 0)
            figure.count = std::stoi(line.substr(6));
        else if (line.rfind("angle:", 0) == 0)
            figure.angle = std::stod(line.substr(6));
        else
            figure.rules += line + '\n';
    }
    return figure;
}

std::uint64_t StreamedCount(const lsystem::book::BookSystem& system, int count)
{
    std::uint64_t modules = 0;
    auto counter = [&modules](char, const double*, std::size_t) { ++modules; };
    std::uint64_t budget = UINT64_MAX;
    lsystem::book::BookExpansion(system, count, 0).Advance(budget, counter);
    return modules;
}

// 0 where no count was worked out: the figure is then only derived to its count.
std::uint64_t Honda(int n, bool sympodial)
{
    // Monopodial (1.37): B and C become 6 modules and two apices, B(k) = 7 * 2^k - 6;
    // A becomes 6 modules, an A and a B. Sympodial (1.39): B(k) = 11 * 2^k - 10, A(n) = 9 + 2
    // B(n-1).
    if (sympodial)
        return 9 + 2 * (11 * (std::uint64_t { 1 } << (n - 1)) - 10);
    std::uint64_t a = 1;
    for (int k = 1; k <= n; ++k)
        a = 6 + (7 * (std::uint64_t { 1 } << (k - 1)) - 6) + a;
    return a;
}

// The axiom F-F-F-F after n steps of a rule for F with f F and o other symbols: 4 f^n F, and
// the 3 turns of the axiom plus o (f^n - 1) / (f - 1) turns for each of its four F.
std::uint64_t KochCount(int n, std::uint64_t f, std::uint64_t o)
{
    std::uint64_t power = 1;
    for (int k = 0; k < n; ++k)
        power *= f;
    return 4 * power + 3 + 4 * o * (power - 1) / (f - 1);
}

TEST(BookFigures, ParseAndCount)
{
    const std::uint64_t p5 = 3125; // 5^5
    const struct {
        const char* file;
        std::uint64_t modules; // after the figure's count of steps
    } rows[] = {
        { "fig_1_24a.txt", p5 + 6 * (p5 - 1) / 4 }, // 5 F and 6 others per F
        { "fig_1_24b.txt", p5 + 8 * (p5 - 1) / 4 }, // 5 F and 8 others per F
        { "fig_1_24c.txt", 11116 }, // F: 8 F and 12 others; 8^4 + 12 * (8^4 - 1) / 7
        { "fig_1_24d.txt", 13956 },
        { "fig_1_24e.txt", 12863 },
        { "fig_1_24f.txt", 6263 },
        { "fig_1_25.txt", 77399 },
        { "fig_1_7a.txt", KochCount(2, 18, 12) },
        { "fig_1_9a.txt", KochCount(4, 8, 6) },
        { "fig_1_9b.txt", KochCount(4, 7, 4) },
        { "fig_1_9c.txt", KochCount(3, 7, 4) },
        { "fig_1_9d.txt", KochCount(4, 5, 4) },
        { "fig_1_9e.txt", KochCount(5, 5, 4) },
        { "fig_1_9f.txt", KochCount(4, 5, 4) },
        { "fig_1_11b.txt", 1094 }, // 25^2 edges
        { "fig_1_35.txt", 1024 + 4 * 1023 / 3 }, // 4^5 F, each rewriting adding 4 turns
        { "fig_1_37a.txt", Honda(10, false) },
        { "fig_1_37b.txt", Honda(10, false) },
        { "fig_1_39.txt", Honda(10, true) },
        { "fig_1_30a.txt", 23 }, // a signal changes no lengths
        { "fig_1_30b.txt", 23 },
        { "fig_1_31a.txt", 0 },
        { "fig_1_31b.txt", 0 },
        { "fig_1_31c.txt", 0 },
        { "fig_1_31d.txt", 0 },
        { "fig_1_31e.txt", 0 },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        const Figure figure = ReadFigure(row.file);
        EXPECT_GT(figure.count, 0);
        EXPECT_GT(figure.angle, 0.0);
        const auto system = book_test::Parsed(figure.axiom, figure.rules);
        const auto word = lsystem::book::DeriveWord(system, figure.count, 0);
        if (row.modules != 0) {
            EXPECT_EQ(word.size(), row.modules);
        }
        if (!system.contextSensitive) {
            EXPECT_EQ(StreamedCount(system, figure.count), word.size());
        }
    }
}

} // namespace
