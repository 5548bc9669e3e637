#pragma once

#include "app/core/jobs/replay_job.h"
#include "app/core/jobs/session_job.h"
#include "app/core/record/drawn_figure.h"
#include "plane/raster.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace app {

class PictureTarget;

enum class ImageFormat { Png, Svg, Pdf };

// A file to write a picture to, and the format its name asks for.
struct ImageFile {
    QString path;
    ImageFormat format = ImageFormat::Png;
};

// The format the name's extension asks for, ".png", ".svg" or ".pdf" in any case, a name
// without an extension being a PNG; none for any other extension.
std::optional<ImageFormat> ImageFormatOf(const QString& path);

// The file of ImageFormatOf's format: a name without an extension gets ".png" added. Any other
// extension, and a name OutputNameFault refuses, raises FileError.
ImageFile ImageFileFor(const QString& path);

// How a picture is drawn besides its figures. Neither changes a vector's paths, and a PNG with
// neither is drawn exactly as the plane draws.
struct PictureStyle {
    // A PNG's edges anti-aliased; viewers draw vectors smooth anyway.
    bool smooth = false;
    // No background: a PNG's pixels off the figures have alpha 0, an SVG or PDF has no white
    // square behind them.
    bool transparent = false;
};

// The writers below write through a CheckedFile: a file that exists is replaced only once the
// new one is completely written, and nothing is left behind otherwise; only a regular file is
// replaced. A file that cannot be written raises FileError, whose message names the file and
// the system's reason.

// The raster's pixels exactly, as a 24-bit PNG.
void SavePng(const QString& path, const plane::Raster& raster);

// Writing a picture of figures, as a task of the drawing session: the figures are drawn again
// from their records a slice at a time, onto a white size × size raster (pens scaled by
// size / PlaneSize, so that they look as on the plane; a smooth or transparent one is painted
// with QPainter), or as an SVG document or a PDF of one square page with the SVG's paths, either
// streamed into the file as it is drawn; the file is put in place once every figure is drawn. A job
// that is stopped writes nothing and leaves the old file as it was. A figure whose arithmetic fails
// raises the fault Draw raises, memory that cannot hold a PNG's pixels PictureMemoryError, and
// nothing is written.
class PictureJob final : public SessionJob {
public:
    // A vector file's temporary file is made here; FileError when it cannot be. `size` is a
    // PNG's. `written` is told what drawing the figures took once the file is in place.
    PictureJob(const ImageFile& file, std::vector<DrawnFigure> figures, int size,
        PictureStyle style = {}, std::function<void(const ReplayReport&)> written = {});
    // The same with the figures given by `figures` once the file is made, so that a figure
    // prepared from fields reports their errors after the file's.
    PictureJob(const ImageFile& file, const std::function<std::vector<DrawnFigure>()>& figures,
        int size, PictureStyle style = {}, std::function<void(const ReplayReport&)> written = {});
    ~PictureJob() override;

    bool RunSlice(Clock::time_point deadline) override;
    double progress() const override;
    // Writes the PNG, or ends the vector document, and puts the file in place.
    void Finish() override;

    // The drawing's time (for SVG and PDF with writing the document), without putting the file
    // in place.
    const ReplayReport& report() const { return m_replay->report(); }

private:
    std::unique_ptr<PictureTarget> m_target;
    std::unique_ptr<ReplayJob> m_replay;
    std::function<void(const ReplayReport&)> m_written;
};

// The width and height of the plane a picture's figures are drawn onto: a PNG's `size`, the fixed
// view of an SVG or PDF.
int PictureSize(const ImageFile& file, int size);

// The figures in the file's format at once: a size × size PNG, SVG or PDF.
ReplayReport SaveFigures(const ImageFile& file, const std::vector<DrawnFigure>& figures, int size,
    PictureStyle style = {});
ReplayReport SaveFigures(const ImageFile& file,
    const std::function<std::vector<DrawnFigure>()>& figures, int size, PictureStyle style = {});

} // namespace app
