#pragma once

namespace lsystem {

// Which turtle reads a word. The panel's own (symbols.h): F and G draw, f moves, + and - turn,
// ( and ) branch. Fractint's, for the systems of its .l collections (fractint_turtle.h): F and
// D draw, G and M move, turns by the angle and by degrees, scaling, colours and [ ] branches.
// Both rewrite the word with the same rules (RuleTable).
enum class CommandSet { Panel, Fractint };

} // namespace lsystem
