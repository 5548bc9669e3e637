// The plane's view: fitting the world window to the figure, zooming and panning it with the
// mouse, and the context menus and file drops of the two windows.

#include "app/form1.h"
#include "app/running_draw.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QWheelEvent>

#include <cmath>
#include <utility>

namespace app {

namespace {

// How much one notch of the mouse wheel zooms.
constexpr double zoomPerNotch = 1.25;
// A notch of the wheel in QWheelEvent::angleDelta() units.
constexpr double eighthsOfDegreePerNotch = 120.0;

// The one local file that a drag brings, if it brings exactly one.
QString DraggedFile(const QMimeData* data)
{
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().first();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

// The window the plane shows, if a Draw has set one.
std::optional<WorldWindow> ShownWindow(const plane::Plane& plane)
{
    if (plane.ScaleX == 0.0 || plane.ScaleY == 0.0)
        return std::nullopt;
    return WorldWindow { plane.X1, plane.X2, plane.Y1, plane.Y2 };
}

} // namespace

void TForm1::CreateMenus()
{
    const auto addAction = [this](QWidget* window, const QString& text, QKeySequence shortcut,
                               void (TForm1::*command)()) {
        auto* action = new QAction(text, window);
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, Guarded(command));
        window->addAction(action);
        window->setContextMenuPolicy(Qt::ActionsContextMenu);
        m_idleActions.append(action);
    };
    const QKeySequence fitShortcut(Qt::CTRL | Qt::Key_F);
    addAction(
        this, QStringLiteral("Open L-system…"), QKeySequence::Open, &TForm1::OpenLSystemDialog);
    addAction(
        this, QStringLiteral("Save L-system As…"), QKeySequence::Save, &TForm1::SaveLSystemAs);
    addAction(this, QStringLiteral("Fit to Figure"), fitShortcut, &TForm1::FitToFigure);

    plane::TDraw2D& plane = Draw2D();
    addAction(&plane, QStringLiteral("Save Image As…"), QKeySequence::Save, &TForm1::SaveImageAs);
    addAction(&plane, QStringLiteral("Copy Image"), QKeySequence::Copy, &TForm1::CopyImage);
    addAction(&plane, QStringLiteral("Fit to Figure"), fitShortcut, &TForm1::FitToFigure);

    // A file dropped anywhere on either window is opened, even over a text field, which would
    // otherwise take the file's name as text.
    setAcceptDrops(true);
    plane.setAcceptDrops(true);
    for (QWidget* target : findChildren<QLineEdit*>())
        target->installEventFilter(this);
    installEventFilter(this);
    plane.installEventFilter(this);
    m_planeView = plane.Image1;
    m_planeView->installEventFilter(this);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (DraggedFile(drag->mimeData()).isEmpty())
            return false;
        drag->setAccepted(!m_running);
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString file = DraggedFile(drop->mimeData());
        if (file.isEmpty())
            return false;
        drop->acceptProposedAction();
        RunGuarded([this, file] {
            if (!m_running)
                OpenLSystem(file);
        });
        return true;
    }
    default:
        break;
    }
    if (watched != m_planeView)
        return QWidget::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::Wheel: {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        const double notches = wheel->angleDelta().y() / eighthsOfDegreePerNotch;
        RunGuarded([this, wheel, notches] { ZoomPlane(wheel->position(), notches); });
        return true;
    }
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        m_dragFrom = mouse->position();
        return true;
    }
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!m_dragFrom)
            return false;
        // While a Draw runs the drag only gathers; the next move after it applies it all.
        const QPointF to = mouse->position();
        if (!m_running && to != *m_dragFrom) {
            const QPointF from = *std::exchange(m_dragFrom, to);
            RunGuarded([this, from, to] { PanPlane(from, to); });
        }
        if (event->type() == QEvent::MouseButtonRelease)
            m_dragFrom.reset();
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void TForm1::FinishFit(const Measurement& measurement)
{
    if (const auto window = FitWindow(measurement.bounds.bounds())) {
        SetWindowFields(*window);
        Redraw();
    }
}

void TForm1::ZoomPlane(QPointF at, double notches)
{
    const plane::Plane& plane = Draw2D().plane();
    const auto window = ShownWindow(plane);
    if (m_running || !window || notches == 0.0)
        return;
    const double x = (at.x() - plane.OffsetX) / plane.ScaleX;
    const double y = (plane.OffsetY - at.y()) / plane.ScaleY;
    SetWindowFields(ZoomWindow(*window, x, y, std::pow(zoomPerNotch, notches)));
    Redraw();
}

void TForm1::PanPlane(QPointF from, QPointF to)
{
    const plane::Plane& plane = Draw2D().plane();
    const auto window = ShownWindow(plane);
    if (m_running || !window)
        return;
    // Dragging the figure right shows what lies to its left: the window moves against the drag.
    const double dx = (from.x() - to.x()) / plane.ScaleX;
    const double dy = (to.y() - from.y()) / plane.ScaleY;
    SetWindowFields(PanWindow(*window, dx, dy));
    Redraw();
}

void TForm1::SetWindowFields(const WorldWindow& window)
{
    const WindowTexts texts = FormatWindow(window, DecimalSeparator());
    EditX1->setText(QString::fromStdString(texts.x1));
    EditX2->setText(QString::fromStdString(texts.x2));
    EditY1->setText(QString::fromStdString(texts.y1));
    EditY2->setText(QString::fromStdString(texts.y2));
}

void TForm1::Redraw()
{
    Button3Click();
    Button1Click();
}

} // namespace app
