#pragma once

#include <QString>

#include <optional>

namespace app {

// A known option that an unknown one was probably meant to be, as it is given ("--render",
// "-h"): the one whose name is the same but for case or dashes, else the only one whose name it
// begins (at least three characters), else the nearest long name within a small number of
// typing mistakes (a character left out, added, changed or two swapped). None when nothing is
// that close.
std::optional<QString> SuggestedOption(const QString& unknown);

} // namespace app
