#pragma once

#include "app/io/checked_file.h"
#include "plane/raster.h"

#include <vector>

struct GifFileType;

namespace app {

// GIF counts a frame's delay in hundredths of a second: the milliseconds rounded to the
// nearest, halves up, within 0 to 65535.
int Centiseconds(int ms);

// An animated GIF written with giflib into a checked file, frame by frame as the frames are
// drawn: each frame is a rectangle of a raster laid over the frame before (disposal "do not
// dispose"), with a palette of its own holding exactly the rectangle's colours, so that each
// decoded frame has the raster's pixels. The animation loops forever. Memory holds one row of
// indices and giflib's tables, whatever the number of frames.
//
// Every failure raises FileError naming the file: the checked file's own reason when a write
// failed, giflib's otherwise.
class GifEncoder {
public:
    // Writes the header of a width × height animation.
    GifEncoder(CheckedFile& file, int width, int height);
    // Releases giflib's state; a GIF not finished stays incomplete in the file, which is then
    // not to be committed.
    ~GifEncoder();
    GifEncoder(const GifEncoder&) = delete;
    GifEncoder& operator=(const GifEncoder&) = delete;

    // The rectangle of the raster (which is width × height) as the next frame, shown for
    // `delayCentiseconds`; an empty rectangle makes a frame that changes nothing. A rectangle
    // of more than 256 colours cannot be a frame and raises FileError.
    void AddFrame(const plane::Raster& raster, plane::PixelRect rect, int delayCentiseconds);

    // Ends the GIF: the file then holds it whole, ready to be committed.
    void Finish();

private:
    [[noreturn]] void Fail(int giflibError) const;
    void Check(int giflibResult) const;

    CheckedFile& m_file;
    GifFileType* m_gif = nullptr;
    std::vector<unsigned char> m_row;
};

} // namespace app
