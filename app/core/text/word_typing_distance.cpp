#include "app/core/text/word_typing_distance.h"

namespace app {

WordTypingDistance::WordTypingDistance(std::string_view first)
    : m_length(first.size())
{
    for (std::size_t i = 0; i < first.size(); ++i)
        m_positions[static_cast<unsigned char>(first[i])] |= std::uint64_t { 1 } << i;
}

// Hyyrö's bit-vector form of the table with swaps of neighbours: bit i of the vertical vectors
// says whether the cell of row i + 1 is one more (positive) or one less (negative) than the cell
// above it in the current column; the last row's cell is the distance so far.
std::size_t WordTypingDistance::To(std::string_view other) const
{
    if (m_length == 0)
        return other.size();
    const std::uint64_t last = std::uint64_t { 1 } << (m_length - 1);
    std::uint64_t positive = ~std::uint64_t { 0 };
    std::uint64_t negative = 0;
    std::uint64_t diagonalZero = 0; // the cells equal to the one up and left of them
    std::uint64_t matchedBefore = 0;
    std::size_t distance = m_length;
    for (const char c : other) {
        const std::uint64_t matched = m_positions[static_cast<unsigned char>(c)];
        // Where the two bytes before are the first text's two before, swapped.
        const std::uint64_t swapped = ((~diagonalZero & matched) << 1) & matchedBefore;
        diagonalZero
            = (((matched & positive) + positive) ^ positive) | matched | negative | swapped;
        const std::uint64_t horizontalPositive = negative | ~(diagonalZero | positive);
        const std::uint64_t horizontalNegative = diagonalZero & positive;
        if (horizontalPositive & last)
            ++distance;
        else if (horizontalNegative & last)
            --distance;
        const std::uint64_t shifted = (horizontalPositive << 1) | 1;
        negative = shifted & diagonalZero;
        positive = (horizontalNegative << 1) | ~(shifted | diagonalZero);
        matchedBefore = matched;
    }
    return distance;
}

} // namespace app
