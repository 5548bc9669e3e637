#pragma once

#include "app/core/pictures/mapped_canvas.h"
#include "app/io/figure_export.h"

#include <QImage>
#include <QString>

#include <memory>

namespace app {

// The image as a PNG, through a CheckedFile.
void WritePng(const QString& path, const QImage& image);

// Where a picture's figures are drawn and how the file is written once they are: a PNG's raster
// (the plane's own, or painted with QPainter when smooth or transparent), or a vector document
// streamed into a CheckedFile as it is drawn. Destroyed before Write, it writes nothing and
// leaves the old file as it was.
class PictureTarget {
public:
    virtual ~PictureTarget() = default;
    // The canvas that maps each figure's window onto the picture's plane.
    virtual MappedCanvas& canvas() = 0;
    // Writes the PNG, or ends the vector document, and puts the file in place.
    virtual void Write() = 0;
};

// The target of the file's format: a size × size PNG, or an SVG or PDF, whose temporary file is
// made here (FileError when it cannot be). PictureMemoryError when memory cannot hold a PNG's
// pixels.
std::unique_ptr<PictureTarget> MakePictureTarget(
    const ImageFile& file, int size, PictureStyle style);

} // namespace app
