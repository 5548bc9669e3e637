#include "plane/draw2d.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFont>
#include <QPalette>
#include <QUrl>

namespace plane {

namespace {

QString PlaneTitle(bool exploring)
{
    const QString title = QStringLiteral("2D Graphic Plane");
    return exploring ? title + QStringLiteral(" — Explore") : title;
}

} // namespace

QString DraggedFile(const QMimeData* data)
{
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().first();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

TDraw2D::TDraw2D()
    : Panel1(new QFrame(this))
    , Image1(new RasterView(m_plane.raster(), Panel1))
{
    m_plane.raster().SetChangeListener(
        [this] { QMetaObject::invokeMethod(this, &TDraw2D::UpdateChanged, Qt::QueuedConnection); });
    setObjectName(QStringLiteral("Draw2D"));
    setWindowTitle(PlaneTitle(false));
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::white);
    setPalette(background);
    setAutoFillBackground(true);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(10);
    setFont(font);
    // The client area of the layout; start-up makes it 700 x 700.
    move(415, 1);
    resize(500, 500);

    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(1);
    Panel1->setGeometry(0, 0, 500, 500);

    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(1, 1, 498, 498);
    connect(Image1, &RasterView::zoomRequested, this, &TDraw2D::zoomRequested);
    connect(Image1, &RasterView::panRequested, this, &TDraw2D::panRequested);
    setAcceptDrops(true);

    setContextMenuPolicy(Qt::ActionsContextMenu);
    AddCommand(QStringLiteral("Save Image As…"), QKeySequence::Save, &TDraw2D::saveImageRequested);
    AddCommand(QStringLiteral("Copy Image"), QKeySequence::Copy, &TDraw2D::copyImageRequested);
    AddCommand(QStringLiteral("Fit to Figure"), QKeySequence(Qt::CTRL | Qt::Key_F),
        &TDraw2D::fitRequested);
    AddCommand(QStringLiteral("Animate Growth"), QKeySequence(Qt::CTRL | Qt::Key_G),
        &TDraw2D::growthRequested);
    AddCommand(QStringLiteral("Play Drawing"), QKeySequence(Qt::CTRL | Qt::Key_D),
        &TDraw2D::playbackRequested);
    AddCommand(QStringLiteral("Save Animation As…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
        &TDraw2D::saveAnimationRequested);
    m_explore = new QAction(QStringLiteral("Explore"), this);
    m_explore->setCheckable(true);
    m_explore->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(m_explore, &QAction::triggered, this, &TDraw2D::exploreRequested);
    addAction(m_explore);
}

void TDraw2D::ShowExplore(bool on)
{
    m_explore->setChecked(on);
    setWindowTitle(PlaneTitle(on));
}

void TDraw2D::AddCommand(
    const QString& text, const QKeySequence& shortcut, void (TDraw2D::*request)())
{
    auto* action = new QAction(text, this);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, request);
    addAction(action);
}

void TDraw2D::SetPlaneSize(int width, int height)
{
    m_plane.SetPlaneSize(width, height);
    Panel1->resize(width, height);
    // Image1 keeps its place at (1, 1), so it overhangs the panel by a pixel to the right and
    // at the bottom and the raster's last column and row stay out of view.
    Image1->resize(width, height);
    show();
}

void TDraw2D::UpdateChanged()
{
    const PixelRect changed = m_plane.raster().TakeDirty();
    if (!changed.empty())
        Image1->update(QRect(
            QPoint(changed.left, changed.top), QPoint(changed.right - 1, changed.bottom - 1)));
}

void TDraw2D::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closeRequested();
}

void TDraw2D::SetInteractive(bool interactive)
{
    m_interactive = interactive;
    Image1->SetInteractive(interactive);
    for (QAction* action : actions())
        action->setEnabled(interactive);
}

void TDraw2D::dragEnterEvent(QDragEnterEvent* event)
{
    dragMoveEvent(event);
}

void TDraw2D::dragMoveEvent(QDragMoveEvent* event)
{
    event->setAccepted(m_interactive && !DraggedFile(event->mimeData()).isEmpty());
}

void TDraw2D::dropEvent(QDropEvent* event)
{
    const QString file = DraggedFile(event->mimeData());
    if (!m_interactive || file.isEmpty())
        return;
    event->acceptProposedAction();
    emit fileDropped(file);
}

} // namespace plane
