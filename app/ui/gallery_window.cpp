#include "app/ui/gallery_window.h"

#include "app/core/formats/gallery_entry.h"
#include "app/io/collection_io.h"
#include "app/io/gallery_sources.h"
#include "app/ui/gallery_model.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSortFilterProxyModel>
#include <QVBoxLayout>

#include <chrono>

namespace app {

namespace {

// A slice of thumbnail drawing each turn of the event loop: the windows answer in between.
constexpr std::chrono::milliseconds sliceLength { 6 };

constexpr int CollectionRole = Qt::UserRole + 1; // a source's item: whether it is a collection

} // namespace

GalleryWindow::GalleryWindow(QWidget& panel)
    : QWidget(&panel, Qt::Window)
    , m_model(new GalleryModel(this))
    , m_filter(new QSortFilterProxyModel(this))
    , m_sources(new QComboBox(this))
    , m_search(new QLineEdit(this))
    , m_view(new QListView(this))
    , m_comment(new QLabel(this))
    , m_faults(new QLabel(this))
{
    setObjectName(QStringLiteral("Gallery"));
    resize(740, 540);

    m_filter->setSourceModel(m_model);
    m_filter->setFilterRole(GalleryModel::SearchTextRole);
    m_filter->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_search->setObjectName(QStringLiteral("GallerySearch"));
    m_search->setPlaceholderText(QStringLiteral("Search names and comments"));
    m_search->setClearButtonEnabled(true);

    m_view->setObjectName(QStringLiteral("GalleryView"));
    m_view->setModel(m_filter);
    m_view->setViewMode(QListView::IconMode);
    m_view->setIconSize(QSize(ThumbnailSize, ThumbnailSize));
    m_view->setGridSize(QSize(ThumbnailSize + 44, ThumbnailSize + 36));
    m_view->setResizeMode(QListView::Adjust);
    m_view->setMovement(QListView::Static);
    m_view->setUniformItemSizes(true);
    m_view->setWordWrap(true);
    m_view->setTextElideMode(Qt::ElideRight);

    for (QLabel* line : { m_comment, m_faults }) {
        line->setTextFormat(Qt::PlainText);
        line->setWordWrap(true);
    }
    m_comment->setObjectName(QStringLiteral("GalleryComment"));
    m_faults->setObjectName(QStringLiteral("GalleryFaults"));
    QPalette warning = m_faults->palette();
    warning.setColor(QPalette::WindowText, Qt::darkRed);
    m_faults->setPalette(warning);

    m_sources->setObjectName(QStringLiteral("GallerySources"));
    m_sources->setToolTip(QStringLiteral("The examples and the collections opened"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_sources);
    layout->addWidget(m_search);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_comment);
    layout->addWidget(m_faults);

    connect(
        m_search, &QLineEdit::textChanged, m_filter, &QSortFilterProxyModel::setFilterFixedString);
    connect(m_search, &QLineEdit::textChanged, this, [this] {
        m_view->setCurrentIndex(m_filter->index(0, 0));
        ShowCurrentComment();
    });
    connect(m_search, &QLineEdit::returnPressed, this, &GalleryWindow::ActivateFirst);
    connect(m_sources, &QComboBox::activated, this, &GalleryWindow::ShowSource);
    connect(m_view, &QListView::activated, this, &GalleryWindow::Activate);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
        &GalleryWindow::ShowCurrentComment);
    connect(&m_timer, &QTimer::timeout, this, &GalleryWindow::DrawThumbnails);
}

void GalleryWindow::ShowFolder(const QString& folder)
{
    Show(QDir(folder).dirName(), FolderContents(folder));
    ListSource(QDir(folder).dirName(), folder, false);
}

void GalleryWindow::ShowCollection(const QString& path)
{
    Show(QFileInfo(path).fileName(), CollectionContents(OpenCollectionFile(path)));
    ListSource(QFileInfo(path).fileName(), path, true);
}

void GalleryWindow::ListSource(const QString& title, const QString& path, bool collection)
{
    int index = m_sources->findData(path);
    if (index < 0) {
        m_sources->addItem(title, path);
        index = m_sources->count() - 1;
        m_sources->setItemData(index, collection, CollectionRole);
        m_sources->setItemData(index, QDir::toNativeSeparators(path), Qt::ToolTipRole);
    }
    m_sources->setCurrentIndex(index);
}

void GalleryWindow::ShowSource(int index)
{
    const QString path = m_sources->itemData(index).toString();
    // A collection read again may have changed or gone: its fault is told under the view.
    try {
        if (m_sources->itemData(index, CollectionRole).toBool())
            ShowCollection(path);
        else
            ShowFolder(path);
    } catch (const std::exception& fault) {
        m_faults->setText(QString::fromStdString(fault.what()));
        m_faults->show();
    }
}

void GalleryWindow::ActivateFirst()
{
    if (m_filter->rowCount() > 0)
        Activate(m_filter->index(0, 0));
}

void GalleryWindow::Show(const QString& title, GalleryContents contents)
{
    setWindowTitle(QStringLiteral("Gallery — ") + title);
    QStringList faults;
    for (const std::string& fault : contents.faults)
        faults << QString::fromStdString(fault);
    m_faults->setText(faults.join(QLatin1Char('\n')));
    m_faults->setVisible(!faults.isEmpty());
    // A search typed over another source would hide this one's entries.
    m_search->clear();
    m_model->SetContents(std::move(contents));
    m_view->setCurrentIndex(m_filter->index(0, 0));
    ShowCurrentComment();
    if (isVisible())
        m_timer.start();
}

bool GalleryWindow::thumbnailsDone() const
{
    return m_model->thumbnailsDone();
}

void GalleryWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!thumbnailsDone())
        m_timer.start();
}

void GalleryWindow::hideEvent(QHideEvent* event)
{
    m_timer.stop();
    QWidget::hideEvent(event);
}

std::vector<std::size_t> GalleryWindow::VisibleRows() const
{
    std::vector<std::size_t> rows;
    const QRect shown = m_view->viewport()->rect();
    for (int row = 0; row < m_filter->rowCount(); ++row) {
        const QModelIndex index = m_filter->index(row, 0);
        if (m_view->visualRect(index).intersects(shown))
            rows.push_back(static_cast<std::size_t>(m_filter->mapToSource(index).row()));
    }
    return rows;
}

void GalleryWindow::DrawThumbnails()
{
    const auto deadline = std::chrono::steady_clock::now() + sliceLength;
    if (!m_model->DrawThumbnails(deadline, VisibleRows()))
        return;
    m_timer.stop();
    emit thumbnailsFinished();
}

void GalleryWindow::ShowCurrentComment()
{
    const QModelIndex current = m_filter->mapToSource(m_view->currentIndex());
    if (!current.isValid()) {
        const bool noMatch = m_filter->rowCount() == 0 && m_model->rowCount() > 0;
        m_comment->setText(noMatch ? QStringLiteral("No entry matches") : QString());
        return;
    }
    const GalleryEntry& entry = m_model->entry(current.row());
    m_comment->setText(QString::fromStdString(entry.fields ? entry.comment : entry.fault));
}

void GalleryWindow::Activate(const QModelIndex& index)
{
    const GalleryEntry& entry = m_model->entry(m_filter->mapToSource(index).row());
    if (entry.fields)
        emit entryActivated(*entry.fields);
}

} // namespace app
