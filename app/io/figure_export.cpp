#include "app/io/figure_export.h"

#include "app/core/pictures/svg_canvas.h"
#include "app/io/checked_file.h"
#include "app/io/picture_target.h"

#include <QImage>

#include <utility>

namespace app {

std::optional<ImageFormat> ImageFormatOf(const QString& path)
{
    const QString suffix = NameSuffix(path).toLower();
    if (suffix.isEmpty() || suffix == QStringLiteral("png"))
        return ImageFormat::Png;
    if (suffix == QStringLiteral("svg"))
        return ImageFormat::Svg;
    if (suffix == QStringLiteral("pdf"))
        return ImageFormat::Pdf;
    return std::nullopt;
}

ImageFile ImageFileFor(const QString& path)
{
    if (const QString fault = OutputNameFault(path); !fault.isEmpty())
        throw SaveError(path, fault);
    const std::optional<ImageFormat> format = ImageFormatOf(path);
    if (!format)
        throw SaveError(path, QStringLiteral("only .png, .svg and .pdf files can be written"));
    if (NameSuffix(path).isEmpty())
        return { path + QStringLiteral(".png"), *format };
    return { path, *format };
}

void SavePng(const QString& path, const plane::Raster& raster)
{
    WritePng(path,
        QImage(raster.bits(), raster.width(), raster.height(), raster.stride(),
            QImage::Format_RGB888));
}

PictureJob::PictureJob(const ImageFile& file, std::vector<DrawnFigure> figures, int size,
    PictureStyle style, std::function<void(const ReplayReport&)> written)
    : PictureJob(
        file, [&figures] { return std::move(figures); }, size, style, std::move(written))
{
}

PictureJob::PictureJob(const ImageFile& file,
    const std::function<std::vector<DrawnFigure>()>& figures, int size, PictureStyle style,
    std::function<void(const ReplayReport&)> written)
    : m_target(MakePictureTarget(file, size, style))
    , m_written(std::move(written))
{
    m_replay = std::make_unique<ReplayJob>(figures(), PictureSize(file, size), m_target->canvas());
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

int PictureSize(const ImageFile& file, int size)
{
    return file.format == ImageFormat::Png ? size : SvgCanvas::ViewSize;
}

ReplayReport SaveFigures(
    const ImageFile& file, const std::vector<DrawnFigure>& figures, int size, PictureStyle style)
{
    return SaveFigures(
        file, [&figures] { return figures; }, size, style);
}

ReplayReport SaveFigures(const ImageFile& file,
    const std::function<std::vector<DrawnFigure>()>& figures, int size, PictureStyle style)
{
    PictureJob job(file, figures, size, style);
    RunToEnd(job);
    return job.report();
}

} // namespace app
