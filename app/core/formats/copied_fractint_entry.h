#pragma once

#include "app/core/record/panel_fields.h"

#include <optional>
#include <string>
#include <string_view>

namespace app {

// The fields as an entry of a Fractint collection, "Name {", "Angle n", "Axiom word", a line
// "c=word" per rule (F's and G's where they are not the symbol itself, then the more rules, in
// order) and "}", for a program that reads such collections; none where the fields do not use
// Fractint's commands or the entry would not read back as their system: an angle that is not
// 360/n as FractintFields writes it (n from 3 to 49), a weight other than 1, a symbol with two
// rules, or a word ReadFractintCollection reads otherwise (lower case, blanks, a rule it refuses).
// The order, the window, the length and the seed are not part of an entry.
std::optional<std::string> FormatFractintEntry(const PanelFields& fields, std::string_view name);

} // namespace app
