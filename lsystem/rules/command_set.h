#pragma once

namespace lsystem {

// Which turtle reads a word. The panel's own (symbols.h): F and G draw, f moves, + and - turn,
// ( and ) branch. Fractint's, for the systems of its .l collections (fractint_turtle.h): F and
// D draw, G and M move, turns by the angle and by degrees, scaling, colours and [ ] branches.
// Both rewrite the word with the same rules (RuleTable). The book's ("The Algorithmic Beauty of
// Plants", lsystem/book/): bracketed, context-sensitive and parametric systems in its own
// notation, rewritten by its own engine and walked by its turtle (book_turtle.h).
enum class CommandSet { Panel, Fractint, Book };

} // namespace lsystem
