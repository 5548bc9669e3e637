#pragma once

#include "app/core/formats/gallery_entry.h"
#include "app/core/jobs/thumbnail_queue.h"

#include <QAbstractListModel>
#include <QPixmap>

#include <chrono>
#include <memory>
#include <vector>

namespace app {

// The gallery's entries as a list for a view: each one's name, its thumbnail once drawn (a blank
// one until then) or, for an entry that cannot be drawn, its reason in place of the thumbnail;
// the comment as tool tip and, with the name, as the text a search looks in.
class GalleryModel : public QAbstractListModel {
    Q_OBJECT

public:
    // The name and the comment, one text, for a filter.
    static constexpr int SearchTextRole = Qt::UserRole;

    explicit GalleryModel(QObject* parent = nullptr);
    ~GalleryModel() override;

    void SetContents(GalleryContents contents);
    const GalleryContents& contents() const { return m_contents; }
    const GalleryEntry& entry(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Draws thumbnails until the deadline, those of `preferredRows` first; returns true once all
    // are drawn.
    bool DrawThumbnails(
        std::chrono::steady_clock::time_point deadline, std::span<const std::size_t> preferredRows);
    bool thumbnailsDone() const { return !m_queue || m_queue->done(); }

private:
    void TakeThumbnail(std::size_t row);

    GalleryContents m_contents;
    std::unique_ptr<ThumbnailQueue> m_queue;
    std::vector<QPixmap> m_thumbnails; // null until drawn
    QPixmap m_blank;
};

} // namespace app
