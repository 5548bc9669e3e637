#include "app/io/figure_export.h"

#include "app/core/picture_plane.h"
#include "app/core/svg_canvas.h"
#include "app/io/checked_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>

#include <ostream>
#include <streambuf>
#include <utility>

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
    // Encoded in memory first: a write that fails inside the PNG encoder leaves it with memory
    // it never frees and a message of its own on standard error.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        throw SaveError(path, writer.errorString());
    file.Write({ png.constData(), static_cast<std::size_t>(png.size()) });
    file.Commit();
}

class PictureJob::Target {
public:
    virtual ~Target() = default;
    virtual MappedCanvas& canvas() = 0;
    virtual void Write() = 0;
};

class PictureJob::PngTarget final : public Target {
public:
    PngTarget(QString path, int size)
        : m_path(std::move(path))
        , m_plane(size)
    {
    }

    MappedCanvas& canvas() override { return m_plane.canvas(); }
    void Write() override { SavePng(m_path, m_plane.raster()); }

private:
    QString m_path;
    PicturePlane m_plane;
};

class PictureJob::SvgTarget final : public Target {
public:
    explicit SvgTarget(const QString& path)
        : m_file(path)
        , m_buffer(m_file)
        , m_out(&m_buffer)
        , m_canvas((m_out.exceptions(std::ios::badbit), m_out))
    {
    }

    MappedCanvas& canvas() override { return m_canvas; }
    void Write() override
    {
        m_canvas.Finish();
        m_file.Commit();
    }

private:
    CheckedFile m_file;
    CheckedFileBuffer m_buffer;
    std::ostream m_out;
    SvgCanvas m_canvas;
};

PictureJob::PictureJob(const ImageFile& file, std::vector<DrawnFigure> figures, int size,
    std::function<void(const ReplayReport&)> written)
    : m_written(std::move(written))
{
    if (file.format == ImageFormat::Svg) {
        m_target = std::make_unique<SvgTarget>(file.path);
        size = SvgCanvas::ViewSize;
    } else {
        m_target = std::make_unique<PngTarget>(file.path, size);
    }
    m_replay = std::make_unique<ReplayJob>(std::move(figures), size, m_target->canvas());
}

PictureJob::~PictureJob() = default;

bool PictureJob::RunSlice(Clock::time_point deadline)
{
    return m_replay->RunSlice(deadline);
}

double PictureJob::progress() const
{
    return m_replay->progress();
}

void PictureJob::Finish()
{
    m_target->Write();
    if (m_written)
        m_written(report());
}

ReplayReport SaveFigures(const ImageFile& file, const std::vector<DrawnFigure>& figures, int size)
{
    PictureJob job(file, figures, size);
    while (!job.RunSlice(SessionJob::Clock::time_point::max())) { }
    job.Finish();
    return job.report();
}

} // namespace app
