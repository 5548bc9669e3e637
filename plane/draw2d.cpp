#include "plane/draw2d.h"

#include <QCloseEvent>
#include <QFont>
#include <QPalette>

namespace plane {

TDraw2D::TDraw2D()
    : Panel1(new QFrame(this))
    , Image1(new RasterView(m_plane.raster(), Panel1))
{
    m_plane.raster().SetChangeListener(
        [this] { QMetaObject::invokeMethod(this, &TDraw2D::UpdateChanged, Qt::QueuedConnection); });
    setObjectName(QStringLiteral("Draw2D"));
    setWindowTitle(QStringLiteral("2D Graphic Plane"));
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

} // namespace plane
