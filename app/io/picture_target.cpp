#include "app/io/picture_target.h"

#include "app/core/pictures/pdf_canvas.h"
#include "app/core/pictures/picture_memory_error.h"
#include "app/core/pictures/picture_plane.h"
#include "app/core/pictures/plane_size.h"
#include "app/core/pictures/scaled_pen_canvas.h"
#include "app/core/pictures/svg_canvas.h"
#include "app/io/checked_file.h"
#include "app/io/painter_canvas.h"

#include <QBuffer>
#include <QByteArray>
#include <QDateTime>
#include <QImageWriter>
#include <QPainter>

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

// A painted PNG's pixels: with alpha for a transparent one (premultiplied, which is what the
// painter blends fastest).
QImage::Format PaintedFormat(PictureStyle style)
{
    return style.transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB888;
}

// The bytes of a size × size image in `format`, whose rows QImage pads to 32 bits.
std::uint64_t ImageBytes(int size, QImage::Format format)
{
    const auto bits
        = static_cast<std::uint64_t>(size) * QImage::toPixelFormat(format).bitsPerPixel();
    return (bits + 31) / 32 * 4 * static_cast<std::uint64_t>(size);
}

// What a PDF says of itself: the program that wrote it and when.
PdfCanvas::Information PdfInformation()
{
    return { "Lindenmayer " LSYS_VERSION,
        QDateTime::currentDateTimeUtc()
            .toString(QStringLiteral("'D:'yyyyMMddHHmmss'Z'"))
            .toStdString() };
}

class PngTarget final : public PictureTarget {
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

// The plane's look with QPainter: anti-aliased edges, or no background.
class PaintedPngTarget final : public PictureTarget {
public:
    PaintedPngTarget(QString path, int size, PictureStyle style)
        : m_path(std::move(path))
        , m_image(size, size, PaintedFormat(style))
        , m_painterCanvas(m_painter)
        , m_canvas(m_painterCanvas, static_cast<double>(size) / PlaneSize)
    {
        if (m_image.isNull())
            throw PictureMemoryError(size, size, ImageBytes(size, PaintedFormat(style)));
        m_image.fill(style.transparent ? Qt::transparent : Qt::white);
        m_painter.begin(&m_image);
        m_painter.setRenderHint(QPainter::Antialiasing, style.smooth);
        // The plane's pixel (x, y) is the square around the painter's point (x + 0.5, y + 0.5).
        m_painter.translate(0.5, 0.5);
        m_painter.scale(1.0 / PainterCanvas::UnitsPerPixel, 1.0 / PainterCanvas::UnitsPerPixel);
    }

    MappedCanvas& canvas() override { return m_canvas; }
    void Write() override
    {
        m_painterCanvas.Finish();
        m_painter.end();
        WritePng(m_path, m_image);
    }

private:
    QString m_path;
    QImage m_image;
    QPainter m_painter;
    PainterCanvas m_painterCanvas;
    ScaledPenCanvas m_canvas;
};

// A vector document streamed into the file as it is drawn: the canvas is given a stream over
// the checked file, and the document's end and the file's commit come once every figure is
// drawn. Destroyed before that, it discards the temporary file and leaves the old one.
template <class Canvas> class StreamedTarget final : public PictureTarget {
public:
    template <class... Options>
    StreamedTarget(const QString& path, const Options&... options)
        : m_file(path)
        , m_buffer(m_file)
        , m_out(&m_buffer)
        , m_canvas((m_out.exceptions(std::ios::badbit), m_out), options...)
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
    Canvas m_canvas;
};

} // namespace

void WritePng(const QString& path, const QImage& image)
{
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

std::unique_ptr<PictureTarget> MakePictureTarget(
    const ImageFile& file, int size, PictureStyle style)
{
    switch (file.format) {
    case ImageFormat::Svg:
        return std::make_unique<StreamedTarget<SvgCanvas>>(file.path,
            SvgCanvas::DefaultPathDataLimit,
            style.transparent ? SvgCanvas::Background::None : SvgCanvas::Background::White);
    case ImageFormat::Pdf:
        return std::make_unique<StreamedTarget<PdfCanvas>>(file.path,
            style.transparent ? PdfCanvas::Background::None : PdfCanvas::Background::White,
            PdfInformation());
    case ImageFormat::Png:
        break;
    }
    if (style.smooth || style.transparent)
        return std::make_unique<PaintedPngTarget>(file.path, size, style);
    return std::make_unique<PngTarget>(file.path, size);
}

} // namespace app
