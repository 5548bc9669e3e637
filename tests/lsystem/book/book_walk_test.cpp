#include "lsystem/book/book_derivation.h"
#include "lsystem/book/book_error.h"
#include "lsystem/book/book_walk.h"
#include "lsystem/turtle.h"

#include "../random_text.h"
#include "../recording_canvas.h"
#include "book_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace lsystem {
namespace {

constexpr std::uint64_t Unlimited = std::numeric_limits<std::uint64_t>::max();
constexpr WalkStyle PlainStyle { { 10, 20, 30 }, std::nullopt, 0 };

DrawParams BookParams(const std::string& axiom, const std::string& rules, double angle = 90.0)
{
    DrawParams params;
    params.Word = axiom;
    params.BookRules = rules;
    params.Angle = angle;
    params.StepLength = 1.0;
    params.PenWidth = 1;
    params.Commands = CommandSet::Book;
    return params;
}

// Walks the system to its end in slices of `slice` symbols; the walk's counts at the end.
struct Walked {
    std::vector<RecordedSegment> segments;
    std::uint64_t symbols;
    std::uint64_t segmentsDrawn;
};
Walked Walk(const DrawParams& params, std::int32_t count, std::uint64_t slice = Unlimited)
{
    RandomGenerator random;
    RecordingCanvas canvas;
    DrawParams counted = params;
    counted.SubstCount = count;
    TurtleWalk walk(counted, PlainStyle, random, canvas);
    while (!walk.Advance(slice)) { }
    return { canvas.segments, walk.symbolsWalked(), walk.segmentsDrawn() };
}

// A random word over F f + - X Y with balanced branches, written with the panel's brackets.
std::string RandomBranchedWord(std::mt19937& random, int maxLength)
{
    std::string word = RandomText(random, maxLength, "FFFf+-+-XY((");
    int open = 0;
    for (char& symbol : word) {
        if (symbol == '(' && random() % 2 == 0 && open > 0) {
            symbol = ')';
            --open;
        } else if (symbol == '(') {
            ++open;
        }
    }
    return word + std::string(static_cast<std::size_t>(open), ')');
}

std::string InBookBrackets(std::string word)
{
    std::ranges::replace(word, '(', '[');
    std::ranges::replace(word, ')', ']');
    return word;
}

// The book's F f + - [ ] at the figure's step and angle walk as the panel's F f + - ( ) do: the
// same segments, bit for bit, the same symbols and counts, in one go or in slices.
TEST(BookWalk, DrawsAsThePanelDrawsTheSameBracketedWord)
{
    std::mt19937 random(20261208);
    for (int trial = 0; trial < 200; ++trial) {
        const std::string axiom = "F" + RandomBranchedWord(random, 6);
        const std::string ruleF = RandomBranchedWord(random, 8);
        const std::string ruleX = RandomBranchedWord(random, 8);
        const std::int32_t count = static_cast<std::int32_t>(random() % 5);
        const double angle = 5.0 + static_cast<double>(random() % 3400) / 20.0;
        const double step = 1.0 / static_cast<double>(1 + random() % 7);
        SCOPED_TRACE(axiom + " F->" + ruleF + " X->" + ruleX + " n=" + std::to_string(count));

        DrawParams panel;
        panel.Word = axiom;
        panel.RuleF = ruleF;
        panel.RuleG = "G";
        panel.MoreRules = { { 'X', 1.0, ruleX } };
        panel.Angle = angle;
        panel.StepLength = step;
        panel.PenWidth = 1;
        DrawParams book = BookParams(InBookBrackets(axiom),
            "F -> " + InBookBrackets(ruleF) + "\nX -> " + InBookBrackets(ruleX) + "\n", angle);
        book.StepLength = step;

        const Walked expected = Walk(panel, count);
        const std::uint64_t slice = 1 + random() % 5;
        for (const std::uint64_t budget : { Unlimited, slice }) {
            const Walked walked = Walk(book, count, budget);
            ASSERT_EQ(walked.segments.size(), expected.segments.size());
            for (std::size_t i = 0; i < walked.segments.size(); ++i) {
                const RecordedSegment& a = walked.segments[i];
                const RecordedSegment& b = expected.segments[i];
                ASSERT_TRUE(a.start.x == b.start.x && a.start.y == b.start.y && a.end.x == b.end.x
                    && a.end.y == b.end.y && a.colour == b.colour && a.penWidth == b.penWidth)
                    << "segment " << i;
            }
            EXPECT_EQ(walked.symbols, expected.symbols);
            EXPECT_EQ(walked.segmentsDrawn, expected.segmentsDrawn);
        }
    }
}

// The commands that take arguments, and those the panel has not, on a unit step and a right
// angle: where each segment ends, its colour and pen.
TEST(BookWalk, ArgumentsSetLengthsTurnsPenAndColour)
{
    const Walked walked
        = Walk(BookParams("F(2)+F-(180)f(1)|F|;F;(3)!(4.6)F[;!(70)F]F!(-1)F", ""), 0);
    const plane::Rgb figure = PlainStyle.colour;
    const auto& palette = lsystem::book::BookPalette;
    const struct {
        double x, y;
        plane::Rgb colour;
        std::int32_t pen;
    } rows[] = {
        { 0.0, 2.0, figure, 1 }, // F(2): up
        { -1.0, 2.0, figure, 1 }, // +: left
        { -1.0, 2.0, figure, 1 }, // -(180) faces right, f(1) moves, | faces left
        { 0.0, 2.0, palette[0], 1 }, // | faces right, ; takes the next colour
        { 1.0, 2.0, palette[2], 5 }, // ;(3) and !(4.6)
        { 2.0, 2.0, palette[3], lsystem::book::MaxBookPenWidth }, // in a branch
        { 2.0, 2.0, palette[2], 5 }, // ] restores colour, pen and place
        { 3.0, 2.0, palette[2], 1 }, // !(-1): the narrowest pen
    };
    ASSERT_EQ(walked.segments.size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(walked.segments[i].end.x, rows[i].x, 1e-12);
        EXPECT_NEAR(walked.segments[i].end.y, rows[i].y, 1e-12);
        EXPECT_EQ(walked.segments[i].colour, rows[i].colour);
        EXPECT_EQ(walked.segments[i].penWidth, rows[i].pen);
    }
}

// The parametric figures: Koch curves like a row of trees (figure 1.37a), each edge rewritten
// as four, draw 4^n segments; Honda's monopodial tree (figure 2.6a), each apex A, B or C
// drawing one F and becoming two apices, 2^n - 1, its turns in space (& /) and levelling ($)
// drawing nothing in the plane.
TEST(BookWalk, ParametricFiguresDrawAStepForEveryEdgeOrApex)
{
    const std::string row = "define p 0.3\ndefine h (p*(1-p))^0.5\n"
                            "F(x) -> F(x*p)+F(x*h)--F(x*h)+F(x*(1-p))\n";
    const std::string tree = "define r1 0.9\ndefine r2 0.6\ndefine wr 0.707\n"
                             "A(l,w) -> !(w)F(l)[&(45)B(l*r2,w*wr)]/(137.5)A(l*r1,w*wr)\n"
                             "B(l,w) -> !(w)F(l)[-(45)$C(l*r2,w*wr)]C(l*r1,w*wr)\n"
                             "C(l,w) -> !(w)F(l)[+(45)$B(l*r2,w*wr)]B(l*r1,w*wr)\n";
    for (const std::int32_t count : { 1, 5, 8 }) {
        SCOPED_TRACE(count);
        const Walked trees = Walk(BookParams("F(1)", row, 86.0), count);
        EXPECT_EQ(trees.segmentsDrawn, std::uint64_t { 1 } << (2 * count));
        EXPECT_NEAR(trees.segments.back().end.x, 0.0, 1e-12); // it ends on its base line
        DrawParams counted = BookParams("F(1)", row, 86.0);
        counted.SubstCount = count;
        EXPECT_EQ(WalkLength(counted, 0), trees.symbols);
        const Walked monopodial = Walk(BookParams("A(1,10)", tree, 45.0), count);
        EXPECT_EQ(monopodial.segmentsDrawn, (std::uint64_t { 1 } << count) - 1);
        EXPECT_EQ(monopodial.segments.front().penWidth, 10);
        EXPECT_DOUBLE_EQ(monopodial.segments.front().end.y, 1.0);
    }
}

// Figure 1.31a, context-sensitive: derived in memory a step a slice, then walked; every F of
// the derived word draws, in slices as at once.
TEST(BookWalk, AContextSensitivePlantDrawsEveryStepOfItsDerivedWord)
{
    const std::string rules = "ignore: +-F\n0<0>0 -> 0\n0<0>1 -> 1[+F1F1]\n0<1>0 -> 1\n"
                              "0<1>1 -> 1\n1<0>0 -> 0\n1<0>1 -> 1F1\n1<1>0 -> 0\n1<1>1 -> 0\n"
                              "+ -> -\n- -> +\n";
    const DrawParams params = BookParams("F1F1F1", rules, 22.5);
    const lsystem::book::BookWord word
        = lsystem::book::DeriveWord(book_test::Parsed(params.Word, rules), 30, 0);
    const auto steps = static_cast<std::uint64_t>(std::ranges::count(word.symbols, 'F'));
    const Walked whole = Walk(params, 30);
    EXPECT_GT(steps, 1000u);
    EXPECT_EQ(whole.segmentsDrawn, steps);
    EXPECT_EQ(whole.symbols, word.size());
    DrawParams counted = params;
    counted.SubstCount = 30;
    EXPECT_EQ(WalkLength(counted, 0), word.size());
    const Walked sliced = Walk(params, 30, 7);
    EXPECT_EQ(sliced.segments.size(), whole.segments.size());
    EXPECT_EQ(sliced.segments.back().end.x, whole.segments.back().end.x);
}

// Rules that rewrite everything to nothing: every slice returns after bounded work, the word
// of 2^40 modules that vanish at the last step is never gone through in one.
TEST(BookWalk, SlicesStayShortWhereRulesProduceNothing)
{
    RandomGenerator random;
    RecordingCanvas canvas;
    DrawParams params = BookParams("A(39)", "A(n) : n > 0 -> A(n-1)A(n-1)\nA(n) -> \n");
    params.SubstCount = 40;
    TurtleWalk walk(params, PlainStyle, random, canvas);
    for (int slice = 0; slice < 1000; ++slice)
        EXPECT_FALSE(walk.Advance(100));
    EXPECT_EQ(walk.symbolsWalked(), 0u);
}

// A text that breaks the notation fails when the walk is made; a derivation that cannot go on
// fails the slice that meets it, and the walk is then finished.
TEST(BookWalk, FaultsOfTheTextAndOfTheDerivation)
{
    RandomGenerator random;
    RecordingCanvas canvas;
    const DrawParams broken = BookParams("F", "F -> F(");
    EXPECT_THROW(TurtleWalk({ "F", {}, {}, 1, {}, 0 }, broken, PlainStyle, random, canvas),
        lsystem::book::BookRulesError);

    for (const char* rules : { "A(x) : x < 3 -> A(sqrt(x - 9))\nA(x) -> F A(x - 1)",
             "A < B -> B\nA(x) -> F(x) A(sqrt(x - 3))" }) {
        SCOPED_TRACE(rules);
        const DrawParams params = BookParams("A(5)B", rules);
        TurtleWalk walk({ params.Word, {}, {}, 5, {}, 0 }, params, PlainStyle, random, canvas);
        EXPECT_ANY_THROW(while (!walk.Advance(3)) {});
        EXPECT_TRUE(walk.finished());
    }
}

} // namespace
} // namespace lsystem
