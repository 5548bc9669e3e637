#include "app/core/pictures/deflate_stream.h"

#include <zlib.h>

#include <algorithm>
#include <new>

namespace app {

namespace {

// The path text of a large figure shrinks to about a fifth at some 90 MB a second. zlib's default
// (6) makes it 5 to 15 % smaller at a fifth of the speed, which would make compressing take
// several times as long as drawing.
constexpr int CompressionLevel = 4;

} // namespace

DeflateStream::DeflateStream(std::ostream& out)
    : m_out(out)
    , m_zlib(std::make_unique<z_stream_s>())
{
    // With these arguments zlib fails only for want of memory.
    if (deflateInit(m_zlib.get(), CompressionLevel) != Z_OK)
        throw std::bad_alloc();
    m_input.reserve(BlockSize);
    m_output.resize(BlockSize);
}

DeflateStream::~DeflateStream()
{
    deflateEnd(m_zlib.get());
}

void DeflateStream::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const std::size_t taken = std::min(bytes.size(), BlockSize - m_input.size());
        m_input.append(bytes.substr(0, taken));
        bytes.remove_prefix(taken);
        if (m_input.size() == BlockSize)
            Deflate(Z_NO_FLUSH);
    }
}

void DeflateStream::Finish()
{
    Deflate(Z_FINISH);
}

// Compresses the input held, writing every block of output that fills; with Z_FINISH, until
// zlib has ended the stream.
void DeflateStream::Deflate(int flush)
{
    z_stream_s& zlib = *m_zlib;
    zlib.next_in = reinterpret_cast<Bytef*>(m_input.data());
    zlib.avail_in = static_cast<uInt>(m_input.size());
    int status = Z_OK;
    do {
        zlib.next_out = reinterpret_cast<Bytef*>(m_output.data());
        zlib.avail_out = static_cast<uInt>(m_output.size());
        // A stream that deflateInit made and that is given room never fails; Z_BUF_ERROR only
        // says that there was nothing to do.
        status = deflate(&zlib, flush);
        const std::size_t produced = m_output.size() - zlib.avail_out;
        m_out.write(m_output.data(), static_cast<std::streamsize>(produced));
        m_written += produced;
    } while (zlib.avail_out == 0 || (flush == Z_FINISH && status != Z_STREAM_END));
    m_input.clear();
}

} // namespace app
