#pragma once

#include "lsystem/rules/command_set.h"

#include <QString>

#include <cstddef>

namespace app {

class DrawingSession;

// The control panel's title: "Control Panel", followed by what the panel holds but does not
// show: whether the word is read with Fractint's commands or the book's notation, how many more
// rules there are, and whether the plane explores, with the count of substitutions its view uses
// once the plane shows a frame of it ("Control Panel — Fractint commands, 2 more rules, Explore: 14
// substitutions"). Without a session yet, nothing of Explore.
QString PanelTitle(
    std::size_t moreRules, lsystem::CommandSet commands, const DrawingSession* session);

} // namespace app
