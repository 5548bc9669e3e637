#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

struct z_stream_s;

namespace app {

// Compresses the bytes written to it into a zlib stream (what a PDF's FlateDecode filter reads),
// handing the compressed bytes to `out` a block at a time as they come: however much is written,
// it holds one block of input, one of output and zlib's own state, about half a megabyte.
class DeflateStream {
public:
    static constexpr std::size_t BlockSize = std::size_t { 1 } << 16;

    // Throws std::bad_alloc when zlib cannot have its memory.
    explicit DeflateStream(std::ostream& out);
    ~DeflateStream();
    DeflateStream(const DeflateStream&) = delete;
    DeflateStream& operator=(const DeflateStream&) = delete;

    void Write(std::string_view bytes);
    // Compresses what is left and ends the zlib stream; nothing may be written after it.
    void Finish();

    // The compressed bytes handed to `out` so far.
    std::uint64_t written() const { return m_written; }

private:
    void Deflate(int flush);

    std::ostream& m_out;
    std::unique_ptr<z_stream_s> m_zlib;
    std::string m_input; // written, not compressed yet
    std::string m_output; // one block of compressed bytes
    std::uint64_t m_written = 0;
};

} // namespace app
