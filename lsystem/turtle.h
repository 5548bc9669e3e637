#pragma once

#include "lsystem/rules/rewriting.h"
#include "lsystem/walk/branch_limit.h"
#include "lsystem/walk/canvas.h"
#include "lsystem/walk/draw_params.h"
#include "lsystem/walk/random_generator.h"
#include "lsystem/walk/walk_style.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace lsystem {

class WordWalk;

// The word that a walk of `params` from a generator in state `seed` walks: its axiom rewritten
// SubstCount times by its rules, the alternatives chosen from the seed.
RewrittenWord WordOf(const DrawParams& params, std::uint32_t seed);

// How many symbols a walk of `params` from a generator in state `seed` walks, saturating at
// UINT64_MAX: WordLength(WordOf(params, seed)) for the panel's and Fractint's commands, which is
// worked out from the rules; for the book's, the modules of its derived word, counted by
// deriving it (as long as a walk that draws nothing), raising the walk's errors.
std::uint64_t WalkLength(const DrawParams& params, std::uint32_t seed);

// The turtle walk of the word that params.SubstCount rewriting steps make of params.Word (the
// axiom) with its rules (WordOf: the alternatives chosen from the generator's state at the
// start), advanced in slices. The symbols come straight from
// the axiom and the rules, depth first, in the order of the rewritten word, which is never
// built: memory grows with the number of substitutions, not with the figure. The walk copies the
// texts, Angle, StepLength, RandomAmp, the starting PenWidth and the style when it is made, and
// owns its pen width from then on; the generator and the canvas must outlive it. A driver stops
// a walk by not advancing it any further.
//
// Floating-point faults (a heading, a perturbed step or a turned end point that overflows or is
// not a number) are raised from Advance() as fpu::FloatingPointError, a branch nested deeper
// than MaxBranchDepth as BranchDepthError; segments drawn before stay, and the walk is then
// finished. A ")" without an open branch leaves the turtle as it is; narrowing stops at the
// smallest 32-bit width instead of wrapping round.
//
// The turtle is the one of params.Commands: the panel's, as above, or Fractint's (FractintTurtle),
// which reads the same rewritten word with its own commands, takes no random numbers and draws
// in its own colours with a thin pen, so that RandomAmp, PenWidth and the style do not apply; or
// the book's (book::BookWalk), which rewrites the axiom of `word` `word.count` times by the rule
// text params.BookRules in its own notation (the rules of `word` do not apply) and raises
// book::BookRulesError from the constructor for a text that breaks it, and
// book::BookDerivationError from Advance() for a derivation that cannot go on.
class TurtleWalk {
public:
    TurtleWalk(
        const DrawParams& params, const WalkStyle& style, RandomGenerator& random, Canvas& canvas);
    // The same walk over `word` in place of the texts, the rules and the count of params.
    TurtleWalk(RewrittenWord word, const DrawParams& params, const WalkStyle& style,
        RandomGenerator& random, Canvas& canvas);
    ~TurtleWalk();
    TurtleWalk(const TurtleWalk&) = delete;
    TurtleWalk& operator=(const TurtleWalk&) = delete;

    // Walks on for at most `budget` symbols of the word, or until it ends; the expansion's own
    // bookkeeping counts against the budget too, so a call returns after bounded work even where
    // rules produce nothing, and may then have walked fewer. Returns true when the walk has
    // finished.
    bool Advance(std::uint64_t budget);

    bool finished() const;
    // Symbols of the word walked so far, and how many it has (saturating at UINT64_MAX).
    std::uint64_t symbolsWalked() const;
    std::uint64_t symbolCount() const;
    // Segments handed to the canvas so far, the one whose drawing raised a fault among them.
    std::uint64_t segmentsDrawn() const;
    // The pen width now: the starting width after the narrowings of the symbols walked so far
    // (a drawn step narrows the pen only once the symbol after it is walked and does not draw).
    std::int32_t penWidth() const;

private:
    std::unique_ptr<WordWalk> m_walk;
};

// Walks `word` as it stands (no rewriting) to its end; returns the pen width at the end.
std::int32_t DrawWord(const std::string& word, const DrawParams& params, const WalkStyle& style,
    RandomGenerator& random, Canvas& canvas);

} // namespace lsystem
