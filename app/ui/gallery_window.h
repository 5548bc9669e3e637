#pragma once

#include "app/core/formats/gallery_entry.h"
#include "app/core/record/panel_fields.h"

#include <QTimer>
#include <QWidget>

#include <cstddef>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QSortFilterProxyModel;

namespace app {

class GalleryModel;

// The "Gallery" window: the L-systems of a folder or of a ".l" collection as thumbnails with
// their names, a search field that keeps those whose name or comment holds its text, the current
// entry's comment under the view and the collection's faults below it. The thumbnails are drawn
// in slices of a few milliseconds from the event loop, those on screen first, so that the windows
// stay live. Activating an entry (double-click, Return, or Return in the search for the first
// entry shown) asks for its figure. A list above the search switches between the sources shown
// in this run (the examples and every collection opened); a new source clears the search.
class GalleryWindow : public QWidget {
    Q_OBJECT

public:
    explicit GalleryWindow(QWidget& panel);

    // Shows the L-system files of a folder, or a collection; ShowCollection raises FileError
    // where the file cannot be read, changing nothing.
    void ShowFolder(const QString& folder);
    void ShowCollection(const QString& path);

    GalleryModel& model() { return *m_model; }
    QSortFilterProxyModel& shownEntries() { return *m_filter; }
    QListView& view() { return *m_view; }
    QLineEdit& search() { return *m_search; }
    QComboBox& sources() { return *m_sources; }
    bool thumbnailsDone() const;

signals:
    // An entry that can be drawn was activated.
    void entryActivated(const PanelFields& fields);
    void thumbnailsFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Show(const QString& title, GalleryContents contents);
    // Lists a source (a folder or a collection's path) and selects it.
    void ListSource(const QString& title, const QString& path, bool collection);
    void ShowSource(int index);
    void ActivateFirst();
    void DrawThumbnails();
    void ShowCurrentComment();
    void Activate(const QModelIndex& index);
    std::vector<std::size_t> VisibleRows() const;

    GalleryModel* m_model;
    QSortFilterProxyModel* m_filter;
    QComboBox* m_sources; // each item's data: its path; a collection's is flagged
    QLineEdit* m_search;
    QListView* m_view;
    QLabel* m_comment;
    QLabel* m_faults;
    QTimer m_timer;
};

} // namespace app
