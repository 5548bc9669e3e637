#include "app/ui/gallery_model.h"

#include <QColor>
#include <QImage>
#include <QPainter>

namespace app {

namespace {

// The symbols walked between two looks at the clock: well under a millisecond of work.
constexpr std::uint64_t symbolsPerStep = 20000;

QPixmap BlankThumbnail(const QColor& colour)
{
    QPixmap pixmap(ThumbnailSize, ThumbnailSize);
    pixmap.fill(colour);
    return pixmap;
}

// An entry that cannot be drawn shows why where its thumbnail would be.
QPixmap FaultThumbnail(const QString& reason)
{
    QPixmap pixmap = BlankThumbnail(QColor(255, 235, 235));
    QPainter painter(&pixmap);
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    painter.setPen(Qt::darkRed);
    painter.drawText(pixmap.rect().adjusted(3, 3, -3, -3), Qt::TextWordWrap, reason);
    return pixmap;
}

QPixmap RasterPixmap(const plane::Raster& raster)
{
    const QImage image(
        raster.bits(), raster.width(), raster.height(), raster.stride(), QImage::Format_RGB888);
    return QPixmap::fromImage(image);
}

} // namespace

GalleryModel::GalleryModel(QObject* parent)
    : QAbstractListModel(parent)
    , m_blank(BlankThumbnail(QColor(245, 245, 245)))
{
}

GalleryModel::~GalleryModel() = default;

void GalleryModel::SetContents(GalleryContents contents)
{
    beginResetModel();
    m_contents = std::move(contents);
    std::vector<std::optional<PanelFields>> figures;
    m_thumbnails.assign(m_contents.entries.size(), QPixmap());
    for (std::size_t row = 0; row < m_contents.entries.size(); ++row) {
        const GalleryEntry& entry = m_contents.entries[row];
        figures.push_back(entry.fields);
        if (!entry.fields)
            m_thumbnails[row] = FaultThumbnail(QString::fromStdString(entry.fault));
    }
    m_queue = std::make_unique<ThumbnailQueue>(std::move(figures));
    endResetModel();
}

const GalleryEntry& GalleryModel::entry(int row) const
{
    return m_contents.entries[static_cast<std::size_t>(row)];
}

int GalleryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_contents.entries.size());
}

QVariant GalleryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const GalleryEntry& shown = entry(index.row());
    const QPixmap& thumbnail = m_thumbnails[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(shown.name);
    case Qt::DecorationRole:
        return thumbnail.isNull() ? m_blank : thumbnail;
    case Qt::ToolTipRole:
        // The name whole, which the view may cut short, above the comment or the fault.
        return QString::fromStdString(
            shown.name + '\n' + (shown.fields ? shown.comment : shown.fault));
    case SearchTextRole:
        return QString::fromStdString(shown.name + '\n' + shown.comment);
    default:
        return {};
    }
}

bool GalleryModel::DrawThumbnails(
    std::chrono::steady_clock::time_point deadline, std::span<const std::size_t> preferredRows)
{
    while (!thumbnailsDone() && std::chrono::steady_clock::now() < deadline) {
        if (const auto row = m_queue->Advance(symbolsPerStep, preferredRows))
            TakeThumbnail(*row);
    }
    return thumbnailsDone();
}

void GalleryModel::TakeThumbnail(std::size_t row)
{
    if (const plane::Raster* raster = m_queue->raster(row))
        m_thumbnails[row] = RasterPixmap(*raster);
    else
        m_thumbnails[row] = FaultThumbnail(QString::fromStdString(m_queue->fault(row)));
    const QModelIndex changed = index(static_cast<int>(row));
    emit dataChanged(changed, changed, { Qt::DecorationRole });
}

} // namespace app
