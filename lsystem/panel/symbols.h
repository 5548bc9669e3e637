#pragma once

namespace lsystem {

// What each symbol of a word means to the panel's turtle (CommandSet::Panel), written once for
// every walker of such a word (the turtle, the lookahead thread); Fractint's turtle has commands
// of its own (fractint_turtle.h). What the rewriting does with a symbol is its rules' business
// (RuleTable); the symbols that name the panel's commands have none (MayHaveRule).

// "F" and "G" draw a step. A run of them ends at any other symbol, which narrows the pen.
[[gnu::always_inline]] constexpr bool DrawsAStep(char symbol)
{
    return symbol == 'F' || symbol == 'G';
}

// Walks one symbol with `walker`, which has Step(), Move(), TurnLeft(), TurnRight(),
// OpenBranch(), CloseBranch() and EndRun(), the last called before every symbol that does not
// draw a step: "f" moves a step without drawing, "+" turns left by the angle and "-" right, "("
// saves the turtle's state and ")" restores it; every other symbol does nothing. Inline, so that
// the dispatch is compiled into the walker's loop over the symbols.
template <class Walker> [[gnu::always_inline]] inline void WalkSymbol(char symbol, Walker& walker)
{
    if (DrawsAStep(symbol)) {
        walker.Step();
        return;
    }
    walker.EndRun();
    switch (symbol) {
    case 'f':
        walker.Move();
        break;
    case '+':
        walker.TurnLeft();
        break;
    case '-':
        walker.TurnRight();
        break;
    case '(':
        walker.OpenBranch();
        break;
    case ')':
        walker.CloseBranch();
        break;
    default:
        break;
    }
}

} // namespace lsystem
