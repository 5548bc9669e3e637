#pragma once

#include "app/core/formats/fractint_collection.h"

#include <string>

namespace app {

// The entry as one line of a collection's listing, without its line end, its columns separated
// by tabs: the name (escaped as a message's text is), the order it is drawn at (ImportedOrder)
// and the segments of that order (ImportedSegments); for an entry that cannot be drawn, "-" for
// both and the reason as a fourth column ("line N: ...").
std::string ListingLine(const FractintEntry& entry);

} // namespace app
