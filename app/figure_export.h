#pragma once

#include "app/drawn_figure.h"
#include "app/figure_replay.h"
#include "plane/raster.h"

#include <QString>

#include <vector>

namespace app {

enum class ImageFormat { Png, Svg };

// A file to write a picture to, and the format its name asks for.
struct ImageFile {
    QString path;
    ImageFormat format = ImageFormat::Png;
};

// The format by the name's extension, ".png" or ".svg" in any case; a name without an extension
// is a PNG and gets ".png" added. Any other extension, and a name OutputNameFault refuses,
// raises FileError.
ImageFile ImageFileFor(const QString& path);

// Each of the writers below writes through a CheckedFile: a file that exists is replaced only
// once the new one is completely written, and nothing is left behind otherwise; only a regular
// file is replaced. A file that cannot be written raises FileError, whose message names the file
// and the system's reason. A figure
// whose fields or arithmetic fail raises the error Draw raises (ExpressionError, AngleError,
// fpu::FloatingPointError, lsystem::BranchDepthError) and nothing is written.

// The raster's pixels exactly, as a 24-bit PNG.
void SavePng(const QString& path, const plane::Raster& raster);

// The figures drawn again on a white size × size raster (RenderFigures), as a PNG. The report's
// time is the drawing alone.
ReplayReport RenderPng(const QString& path, const std::vector<DrawnFigure>& figures, int size);

// The figures drawn again as an SVG document (SvgCanvas). Being streamed, the report's time
// includes writing the document, but not putting the file in place.
ReplayReport SaveSvg(const QString& path, const std::vector<DrawnFigure>& figures);

// The figures in the file's format: a size × size PNG, or SVG.
ReplayReport SaveFigures(const ImageFile& file, const std::vector<DrawnFigure>& figures, int size);

} // namespace app
