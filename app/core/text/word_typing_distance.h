#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace app {

// TypingDistance from one text to many, both at most WordTypingDistance::MaxLength bytes long,
// by bit-vector arithmetic: the column of the distance table down the first text is one 64-bit
// word, advanced by a few operations for each byte of the other, where the table takes a row of
// cells. It gives what TypingDistance(first, other) gives for std::strings.
class WordTypingDistance {
public:
    static constexpr std::size_t MaxLength = 64;

    // `first` at most MaxLength bytes.
    explicit WordTypingDistance(std::string_view first);

    // `other` at most MaxLength bytes.
    std::size_t To(std::string_view other) const;

private:
    std::array<std::uint64_t, 256> m_positions {}; // of each byte in the first text, as bits
    std::size_t m_length;
};

} // namespace app
