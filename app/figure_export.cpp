#include "app/figure_export.h"

#include "app/checked_file.h"
#include "app/svg_canvas.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>

#include <ostream>
#include <streambuf>

namespace app {

namespace {

// A stream buffer over a checked file, which buffers. A failed write raises the file's
// FileError through the stream, which must have badbit among its exceptions.
class CheckedFileBuffer final : public std::streambuf {
public:
    explicit CheckedFileBuffer(CheckedFile& file)
        : m_file(file)
    {
    }

protected:
    std::streamsize xsputn(const char* data, std::streamsize count) override
    {
        m_file.Write({ data, static_cast<std::size_t>(count) });
        return count;
    }
    int_type overflow(int_type c) override
    {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        const char byte = traits_type::to_char_type(c);
        m_file.Write({ &byte, 1 });
        return c;
    }

private:
    CheckedFile& m_file;
};

} // namespace

ImageFile ImageFileFor(const QString& path)
{
    if (const QString fault = OutputNameFault(path); !fault.isEmpty())
        throw SaveError(path, fault);
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix.isEmpty())
        return { path + QStringLiteral(".png"), ImageFormat::Png };
    if (suffix == QStringLiteral("png"))
        return { path, ImageFormat::Png };
    if (suffix == QStringLiteral("svg"))
        return { path, ImageFormat::Svg };
    throw SaveError(path, QStringLiteral("only .png and .svg files can be written"));
}

void SavePng(const QString& path, const plane::Raster& raster)
{
    const QImage image(
        raster.bits(), raster.width(), raster.height(), raster.stride(), QImage::Format_RGB888);
    CheckedFile file(path);
    QImageWriter writer(&file, "png");
    if (!writer.write(image))
        throw file.FailureOr(writer.errorString());
    file.Commit();
}

ReplayReport RenderPng(const QString& path, const std::vector<DrawnFigure>& figures, int size)
{
    plane::Plane plane;
    const ReplayReport report = RenderFigures(figures, size, plane);
    SavePng(path, plane.raster());
    return report;
}

ReplayReport SaveSvg(const QString& path, const std::vector<DrawnFigure>& figures)
{
    CheckedFile file(path);
    CheckedFileBuffer buffer(file);
    std::ostream out(&buffer);
    out.exceptions(std::ios::badbit);
    plane::Plane plane;
    plane.SetPlaneSize(SvgCanvas::ViewSize, SvgCanvas::ViewSize);
    SvgCanvas canvas(out, plane);
    const ReplayReport report = ReplayFigures(figures, plane, canvas);
    canvas.Finish();
    file.Commit();
    return report;
}

ReplayReport SaveFigures(const ImageFile& file, const std::vector<DrawnFigure>& figures, int size)
{
    if (file.format == ImageFormat::Svg)
        return SaveSvg(file.path, figures);
    return RenderPng(file.path, figures, size);
}

} // namespace app
