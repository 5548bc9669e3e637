#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace app {

// The typing mistakes that turn one text into the other: characters left out, added or changed,
// and two neighbours swapped (each swap one mistake). `Text` is any indexable text with size(),
// a std::string (compared by bytes) or a QString (by UTF-16 units).
template <class Text> std::size_t TypingDistance(const Text& a, const Text& b)
{
    const auto rows = static_cast<std::size_t>(a.size());
    const auto columns = static_cast<std::size_t>(b.size());
    std::vector<std::vector<std::size_t>> d(rows + 1, std::vector<std::size_t>(columns + 1));
    for (std::size_t i = 0; i <= rows; ++i)
        d[i][0] = i;
    for (std::size_t j = 0; j <= columns; ++j)
        d[0][j] = j;
    for (std::size_t i = 1; i <= rows; ++i) {
        for (std::size_t j = 1; j <= columns; ++j) {
            const std::size_t changed = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({ d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + changed });
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[rows][columns];
}

} // namespace app
