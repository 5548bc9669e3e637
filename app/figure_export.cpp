#include "app/figure_export.h"

#include "app/file_error.h"
#include "app/svg_canvas.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

#include <ostream>
#include <streambuf>

namespace app {

namespace {

std::string CannotSave(const QString& path, const QString& reason)
{
    return QStringLiteral("Could not save \"%1\": %2")
        .arg(QDir::toNativeSeparators(path), reason)
        .toStdString();
}

// Opens a QSaveFile, lets `write` fill it and puts it in place.
template <typename Write> void WriteSafely(const QString& path, Write write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(CannotSave(path, file.errorString()));
    write(file);
    if (!file.commit())
        throw FileError(CannotSave(path, file.errorString()));
}

// A stream buffer writing straight to a device; its writer buffers. A failed write fails the
// stream, and the device remembers the error.
class DeviceBuffer final : public std::streambuf {
public:
    explicit DeviceBuffer(QIODevice& device)
        : m_device(device)
    {
    }

protected:
    std::streamsize xsputn(const char* data, std::streamsize count) override
    {
        return m_device.write(data, count) == count ? count : 0;
    }
    int_type overflow(int_type c) override
    {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        const char byte = traits_type::to_char_type(c);
        return m_device.write(&byte, 1) == 1 ? c : traits_type::eof();
    }

private:
    QIODevice& m_device;
};

} // namespace

ImageFile ImageFileFor(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix.isEmpty())
        return { path + QStringLiteral(".png"), ImageFormat::Png };
    if (suffix == QStringLiteral("png"))
        return { path, ImageFormat::Png };
    if (suffix == QStringLiteral("svg"))
        return { path, ImageFormat::Svg };
    throw FileError(CannotSave(path, QStringLiteral("only .png and .svg files can be written")));
}

void SavePng(const QString& path, const plane::Raster& raster)
{
    const QImage image(
        raster.bits(), raster.width(), raster.height(), raster.stride(), QImage::Format_RGB888);
    WriteSafely(path, [&](QSaveFile& file) {
        QImageWriter writer(&file, "png");
        if (!writer.write(image)) {
            throw FileError(CannotSave(path,
                file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString()));
        }
    });
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
    ReplayReport report;
    WriteSafely(path, [&](QSaveFile& file) {
        DeviceBuffer buffer(file);
        std::ostream out(&buffer);
        plane::Plane plane;
        plane.SetPlaneSize(SvgCanvas::ViewSize, SvgCanvas::ViewSize);
        SvgCanvas canvas(out, plane);
        report = ReplayFigures(figures, plane, canvas);
        canvas.Finish();
    });
    return report;
}

ReplayReport SaveFigures(const ImageFile& file, const std::vector<DrawnFigure>& figures, int size)
{
    if (file.format == ImageFormat::Svg)
        return SaveSvg(file.path, figures);
    return RenderPng(file.path, figures, size);
}

} // namespace app
