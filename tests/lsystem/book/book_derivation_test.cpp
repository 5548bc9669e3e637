#include "book_text.h"

#include "lsystem/book/book_derivation.h"
#include "lsystem/rules/rule_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using lsystem::book::BookDerivationError;
using lsystem::book::DeriveWord;
using lsystem::book::ParseBookSystem;

struct DerivationRow {
    const char* name;
    const char* axiom;
    const char* rules;
    std::vector<const char*> words; // after 1, 2, ... steps
};

TEST(BookDerivation, HandWorkedWords)
{
    const DerivationRow rows[] = {
        // The book's printed derivation of its parametric example (fig. 1.34).
        { "fig. 1.34", "B(2)A(4,4)",
            "A(x,y) : y <= 3 -> A(x*2,x+y)\n"
            "A(x,y) : y > 3 -> B(x)A(x/y,0)\n"
            "B(x) : x < 1 -> C\n"
            "B(x) : x >= 1 -> B(x-1)",
            { "B(1)B(4)A(1,0)", "B(0)B(3)A(2,1)", "CB(2)A(4,3)", "CB(1)A(8,7)" } },
        // A signal entering every branch as it climbs (fig. 1.30a).
        { "fig. 1.30a", "Fb[+Fa]Fa[-Fa]Fa[+Fa]Fa", "ignore: +-F\nb < a -> b\nb -> a",
            { "Fa[+Fb]Fb[-Fa]Fa[+Fa]Fa", "Fa[+Fa]Fa[-Fb]Fb[+Fa]Fa", "Fa[+Fa]Fa[-Fa]Fa[+Fb]Fb" } },
        // A signal going down the main axis only (fig. 1.30b).
        { "fig. 1.30b", "Fa[+Fa]Fa[-Fa]Fa[+Fa]Fb", "ignore: +-F\na > b -> b\nb -> a",
            { "Fa[+Fa]Fa[-Fa]Fb[+Fa]Fa", "Fa[+Fa]Fb[-Fa]Fa[+Fa]Fa", "Fb[+Fa]Fa[-Fa]Fa[+Fa]Fa" } },
        // Fig. 1.31a worked by hand: the first 1 has no left context and the last no right.
        { "fig. 1.31a", "F1F1F1",
            "ignore: +-F\n0<0>0 -> 0\n0<0>1 -> 1[+F1F1]\n0<1>0 -> 1\n0<1>1 -> 1\n1<0>0 -> 0\n"
            "1<0>1 -> 1F1\n1<1>0 -> 0\n1<1>1 -> 0\n+ -> -\n- -> +",
            { "F1F0F1", "F1F1F1F1", "F1F0F0F1", "F1F0F1[+F1F1]F1" } },
        { "constants, arrows, logic", "A(0)",
            "define k 2\ndefine m k*3\n"
            "A(x) : x < m and not (x = 3) --> A(x+1)\n"
            "A(x) : x == 3 || x > 100 \xE2\x86\x92 A(x+k)B(-x^2)",
            { "A(1)", "A(2)", "A(3)", "A(5)B(-9)", "A(6)B(-9)" } },
        { "empty successor erases", "ABA", "A ->", { "B" } },
    };
    for (const DerivationRow& row : rows) {
        SCOPED_TRACE(row.name);
        const auto system = book_test::Parsed(row.axiom, row.rules);
        for (std::size_t step = 1; step <= row.words.size(); ++step)
            EXPECT_EQ(
                book_test::Text(DeriveWord(system, static_cast<int>(step), 0)), row.words[step - 1])
                << "step " << step;
    }
}

// Weighted alternatives take the panel's choice: a hash of seed, level and place.
TEST(BookDerivation, WeightedChoiceIsThePanelsHash)
{
    const auto system = book_test::Parsed("AAAAAAAAAAAAAAAA", "A 1 -> B\nA 3 -> C\nB -> A");
    for (const std::uint32_t seed : { 0u, 7u, 123456u }) {
        std::string expected;
        for (std::uint64_t place = 0; place < 16; ++place)
            expected += lsystem::ChoiceValue(seed, 0, place) * 4.0 < 1.0 ? 'B' : 'C';
        EXPECT_EQ(book_test::Text(DeriveWord(system, 1, seed)), expected);
    }
}

TEST(BookDerivation, ParseErrorsNameRowAndColumn)
{
    const struct {
        const char* axiom;
        const char* rules;
        const char* error;
    } rows[] = {
        { "A", "A -> B(1", "Row 1, column 9: Expected \",\" or \")\" after an argument." },
        { "A", "\nA(x) -> B(y)", "Row 2, column 11: Unknown name \"y\"." },
        { "A", "A B", "Row 1, column 4: Expected \"->\" and a successor." },
        { "A", "define z 1/0", "Row 1, column 10: division by zero" },
        { "A", "define z 10^400", "Row 1, column 10: Floating point overflow" },
        { "A", "A(x,x) -> B", "Row 1, column 5: The parameter \"x\" is named twice." },
        { "A", "[ -> A", "Row 1, column 1: A bracket cannot be rewritten." },
        { "A", "A 0 -> B", "Row 1, column 3: The weight \"0\" is not a positive number." },
        { "A", "A(x) : x > -> B", "Row 1, column 12: An expression is missing here." },
        { "A", "A < B < C -> D", "Row 1, column 7: Unexpected \"<\"." },
        { "A(1", "", "Axiom, column 4: Expected \",\" or \")\" after an argument." },
        { "", "A -> B", "Axiom, column 1: The axiom is empty." },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rules);
        const auto parse = ParseBookSystem(row.axiom, row.rules);
        EXPECT_FALSE(parse.system.has_value());
        EXPECT_EQ(parse.error.Text(), row.error);
    }
}

TEST(BookDerivation, FailuresNameTheirPlace)
{
    const auto divides = book_test::Parsed("A(2)", "\nA(x) -> A(x-1)B(1/(x-1))");
    EXPECT_NO_THROW(DeriveWord(divides, 0, 0));
    try {
        DeriveWord(divides, 2, 0);
        ADD_FAILURE() << "no error";
    } catch (const BookDerivationError& error) {
        EXPECT_STREQ(error.what(), "Row 2, column 17: division by zero");
    }
    // Sixteen times as long each step, the word reaches 2^24 modules at the 6th step.
    const auto growing = book_test::Parsed("A", "A -> AAAAAAAAAAAAAAAA");
    try {
        DeriveWord(growing, 7, 0);
        ADD_FAILURE() << "no error";
    } catch (const BookDerivationError& error) {
        EXPECT_STREQ(error.what(), "Step 7: the word grows past 16777216 modules.");
    }
}

} // namespace
