#pragma once

#include "app/core/formats/lsystem_file.h"

#include <string_view>

namespace app {

// Reads an L-system pasted or dropped as text, in the first of these forms it takes:
//   - an L-system file (its first non-blank line a header): as ParseLSystem reads it;
//   - a Fractint entry, "Name { ... }": the first entry of the text, as the gallery draws it
//     (FractintFields), its fault where it cannot be drawn;
//   - rules, one a line: "X=word" or "X -> word" (ParseRuleLine's form, a weight allowed), with
//     "axiom word" and "angle degrees" lines where given ("axiom = word" too). Blank lines and
//     lines starting with "#" or ";" are skipped; the keywords are matched in any case.
// Rules for F and G fill their fields (a symbol without one keeps itself: "F" and "G"), the others
// become the more rules in order; the other fields and the preset are `current`'s, the commands
// the panel's. Errors carry the line (from 1) of the text: a line of none of these forms, a rule
// ReadRuleLine refuses, an axiom or angle given twice, or a text that holds no rule nor axiom.
LSystemParseResult ReadPastedLSystem(std::string_view text, const PanelFields& current);

} // namespace app
