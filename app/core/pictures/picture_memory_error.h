#pragma once

#include <cstdint>
#include <new>

namespace app {

// A picture's pixels that memory could not hold: a width × height raster of `bytes`. It stays a
// std::bad_alloc with that message, so that whoever shows only messages shows the same; the
// command line names the picture and what it needs.
class PictureMemoryError : public std::bad_alloc {
public:
    PictureMemoryError(int width, int height, std::uint64_t bytes)
        : m_width(width)
        , m_height(height)
        , m_bytes(bytes)
    {
    }

    int width() const { return m_width; }
    int height() const { return m_height; }
    std::uint64_t bytes() const { return m_bytes; }

private:
    int m_width;
    int m_height;
    std::uint64_t m_bytes;
};

} // namespace app
