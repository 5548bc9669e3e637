#pragma once

#include <algorithm>
#include <cstdint>

namespace plane {

// The width of the plane's pen: a negative width leaves it as it is, and 0 draws as thin as 1.
// Canvases that draw the plane's figures elsewhere keep their pen by the same rule.
class PenWidth {
public:
    void Set(std::int32_t width)
    {
        if (width >= 0)
            m_width = width;
    }
    std::int32_t value() const { return m_width; }
    // The width a line is drawn with.
    std::int32_t drawn() const { return std::max(m_width, 1); }

private:
    std::int32_t m_width = 1;
};

} // namespace plane
