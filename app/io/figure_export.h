#pragma once

#include "app/core/drawn_figure.h"
#include "app/core/replay_job.h"
#include "app/core/session_job.h"
#include "plane/raster.h"

#include <QString>

#include <functional>
#include <memory>
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

// The writers below write through a CheckedFile: a file that exists is replaced only once the
// new one is completely written, and nothing is left behind otherwise; only a regular file is
// replaced. A file that cannot be written raises FileError, whose message names the file and
// the system's reason.

// The raster's pixels exactly, as a 24-bit PNG.
void SavePng(const QString& path, const plane::Raster& raster);

// Writing a picture of figures, as a task of the drawing session: the figures are drawn again
// from their records a slice at a time, onto a white size × size raster (pens scaled by
// size / PlaneSize, so that they look as on the plane) or as an SVG document streamed into the
// file, and the file is put in place once every figure is drawn. A job that is stopped writes
// nothing and leaves the old file as it was. A figure whose fields or arithmetic fail raises the
// error Draw raises and nothing is written.
class PictureJob final : public SessionJob {
public:
    // An SVG file's temporary file is made here; FileError when it cannot be. `written` is told
    // what drawing the figures took once the file is in place.
    PictureJob(const ImageFile& file, std::vector<DrawnFigure> figures, int size,
        std::function<void(const ReplayReport&)> written = {});
    ~PictureJob() override;

    bool RunSlice(Clock::time_point deadline) override;
    double progress() const override;
    // Writes the PNG, or ends the SVG document, and puts the file in place.
    void Finish() override;

    // The drawing's time (for SVG with writing the document), without putting the file in place.
    const ReplayReport& report() const { return m_replay->report(); }

private:
    class Target;
    class PngTarget;
    class SvgTarget;

    std::unique_ptr<Target> m_target;
    std::unique_ptr<ReplayJob> m_replay;
    std::function<void(const ReplayReport&)> m_written;
};

// The figures in the file's format at once: a size × size PNG, or SVG.
ReplayReport SaveFigures(const ImageFile& file, const std::vector<DrawnFigure>& figures, int size);

} // namespace app
