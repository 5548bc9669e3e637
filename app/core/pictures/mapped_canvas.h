#pragma once

#include "lsystem/walk/canvas.h"
#include "plane/viewport.h"

namespace app {

// A canvas that maps world coordinates onto pixels of its own: each figure drawn on it first
// hands it the mapping of that figure's world window.
class MappedCanvas : public lsystem::Canvas {
public:
    virtual void SetMapping(const plane::Viewport& mapping) = 0;
};

} // namespace app
