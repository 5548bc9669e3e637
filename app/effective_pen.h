#pragma once

#include <algorithm>
#include <cstdint>

namespace app {

// The width the plane's pen draws a segment with, for canvases that draw elsewhere: a negative
// width keeps the pen's previous width, and 0 draws as thin as 1.
class EffectivePen {
public:
    std::int32_t Take(std::int32_t width)
    {
        if (width >= 0)
            m_width = width;
        return std::max(m_width, 1);
    }

private:
    std::int32_t m_width = 1; // the plane's pen before anything is drawn
};

} // namespace app
