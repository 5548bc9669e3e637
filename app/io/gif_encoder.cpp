#include "app/io/gif_encoder.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace app {

namespace {

// giflib's output function: the bytes go to the checked file, whose failed write makes giflib
// fail the call with E_GIF_ERR_WRITE_FAILED. The file's error is raised by the caller, not
// from here, since giflib is C and would be left in a state it cannot free.
int WriteToFile(GifFileType* gif, const GifByteType* bytes, int length)
{
    auto* file = static_cast<CheckedFile*>(gif->UserData);
    return file->write(reinterpret_cast<const char*>(bytes), length) == length ? length : 0;
}

// The colours of a frame in the order they first appear, and each pixel's index among them.
class FramePalette {
public:
    static constexpr int MaxColours = 256;

    // Adds the colour if it is new; false when the palette is full.
    bool Add(std::uint32_t colour)
    {
        if (IndexOf(colour) >= 0)
            return true;
        if (m_count == MaxColours)
            return false;
        m_colours[m_count] = colour;
        m_last = m_count++;
        return true;
    }

    // The colour's index; -1 for a colour not in the palette.
    int IndexOf(std::uint32_t colour)
    {
        // Lines are long runs of one colour, so the last colour found is the likely one.
        if (m_count > 0 && m_colours[m_last] == colour)
            return m_last;
        const auto end = m_colours.begin() + m_count;
        const auto found = std::find(m_colours.begin(), end, colour);
        if (found == end)
            return -1;
        m_last = static_cast<int>(found - m_colours.begin());
        return m_last;
    }

    // As giflib takes it: a power of two entries, at least two, the spare ones black.
    ColorMapObject ColourMap(std::array<GifColorType, MaxColours>& entries) const
    {
        int size = 2;
        while (size < m_count)
            size *= 2;
        for (int i = 0; i < size; ++i) {
            const std::uint32_t colour = i < m_count ? m_colours[i] : 0;
            entries[i] = { static_cast<GifByteType>(colour >> 16),
                static_cast<GifByteType>(colour >> 8), static_cast<GifByteType>(colour) };
        }
        return { size, GifBitSize(size), false, entries.data() };
    }

private:
    std::array<std::uint32_t, MaxColours> m_colours {};
    int m_count = 0;
    int m_last = 0;
};

std::uint32_t ColourAt(const std::uint8_t* pixel)
{
    return (std::uint32_t { pixel[0] } << 16) | (std::uint32_t { pixel[1] } << 8) | pixel[2];
}

const std::uint8_t* PixelAddress(const plane::Raster& raster, int x, int y)
{
    return raster.bits() + static_cast<std::ptrdiff_t>(y) * raster.stride() + x * 3;
}

} // namespace

int Centiseconds(int ms)
{
    return std::clamp((ms + 5) / 10, 0, 65535);
}

GifEncoder::GifEncoder(CheckedFile& file, int width, int height)
    : m_file(file)
{
    int error = 0;
    m_gif = EGifOpen(&m_file, WriteToFile, &error);
    if (!m_gif)
        Fail(error);
    // The frames are written as they are drawn, so giflib's streaming calls are the ones used;
    // its whole-file writer (EGifSpew) would hold every frame in memory.
    EGifSetGifVersion(m_gif, true);
    // No global palette: each frame brings its own.
    Check(EGifPutScreenDesc(m_gif, width, height, 8, 0, nullptr));
    // NETSCAPE2.0: loop the animation, 0 times meaning forever.
    Check(EGifPutExtensionLeader(m_gif, APPLICATION_EXT_FUNC_CODE));
    Check(EGifPutExtensionBlock(m_gif, 11, "NETSCAPE2.0"));
    const GifByteType loop[] = { 1, 0, 0 };
    Check(EGifPutExtensionBlock(m_gif, sizeof loop, loop));
    Check(EGifPutExtensionTrailer(m_gif));
}

GifEncoder::~GifEncoder()
{
    if (m_gif)
        EGifCloseFile(m_gif, nullptr); // its trailer goes into a file never committed
}

void GifEncoder::Fail(int giflibError) const
{
    const char* reason = GifErrorString(giflibError);
    throw m_file.FailureOr(reason ? QString::fromUtf8(reason) : QStringLiteral("GIF error"));
}

void GifEncoder::Check(int giflibResult) const
{
    if (giflibResult == GIF_ERROR)
        Fail(m_gif->Error);
}

void GifEncoder::AddFrame(const plane::Raster& raster, plane::PixelRect rect, int delayCentiseconds)
{
    // A frame has at least one pixel: one that stays as it is, for a frame that changes
    // nothing.
    if (rect.empty())
        rect = { 0, 0, 1, 1 };
    const int width = rect.right - rect.left;

    FramePalette palette;
    for (int y = rect.top; y < rect.bottom; ++y) {
        const std::uint8_t* pixel = PixelAddress(raster, rect.left, y);
        for (int x = 0; x < width; ++x, pixel += 3) {
            if (!palette.Add(ColourAt(pixel)))
                throw m_file.FailureOr(QStringLiteral("a frame has more than 256 colours"));
        }
    }

    GraphicsControlBlock control {};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = delayCentiseconds;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    Check(EGifPutExtension(m_gif, GRAPHICS_EXT_FUNC_CODE, sizeof extension, extension));

    std::array<GifColorType, FramePalette::MaxColours> entries {};
    const ColorMapObject colourMap = palette.ColourMap(entries);
    Check(EGifPutImageDesc(
        m_gif, rect.left, rect.top, width, rect.bottom - rect.top, false, &colourMap));
    m_row.resize(static_cast<std::size_t>(width));
    for (int y = rect.top; y < rect.bottom; ++y) {
        const std::uint8_t* pixel = PixelAddress(raster, rect.left, y);
        for (int x = 0; x < width; ++x, pixel += 3)
            m_row[x] = static_cast<unsigned char>(palette.IndexOf(ColourAt(pixel)));
        Check(EGifPutLine(m_gif, m_row.data(), width));
    }
}

void GifEncoder::Finish()
{
    int error = 0;
    GifFileType* gif = std::exchange(m_gif, nullptr);
    if (EGifCloseFile(gif, &error) == GIF_ERROR)
        Fail(error);
}

} // namespace app
