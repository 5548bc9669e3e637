#pragma once

#include "plane/plane.h"
#include "plane/raster_view.h"

#include <QFrame>
#include <QKeySequence>
#include <QMimeData>
#include <QPointF>
#include <QWidget>

#include <optional>

namespace plane {

// The "2D Graphic Plane" window: shows the plane's drawing state, which it owns, in a top-level
// window. Panel1 holds Image1, the view of the raster; the window does not scale with the
// screen's resolution. Whatever changes the raster, through this window or through plane(), is
// repainted when the event loop next runs. Closing the window is the program's end: the window
// announces it with closeRequested() and leaves the ending to whoever listens.
//
// The window turns its input into requests and acts on none of them itself: the mouse wheel
// over the image asks to zoom and a drag with the left button to pan (both from the image), a
// file dropped on the window to open it, and the context menu's entries for their commands.
// While it is not interactive (a long task runs) it asks for nothing. Whether the view explores is
// shown when told (ShowExplore): the Explore entry's check and a suffix of the title.
class TDraw2D : public QWidget {
    Q_OBJECT

    Plane m_plane; // first, so that the view below can be given its raster

public:
    TDraw2D();

    QFrame* Panel1;
    RasterView* Image1;

    Plane& plane() { return m_plane; }
    const Plane& plane() const { return m_plane; }

    // Sizes the raster, Panel1 and Image1 to width x height and shows the window.
    void SetPlaneSize(int width, int height);

    // Repaints the raster's area changed since the last call, when the event loop next runs.
    void UpdateChanged();

    // The turtle's marker over the image (RasterView::SetMarker).
    void SetMarker(std::optional<QPointF> at, double heading = 0.0)
    {
        Image1->SetMarker(at, heading);
    }

    void SetInteractive(bool interactive);

    // Checks the Explore entry, or not, and says so in the title.
    void ShowExplore(bool on);

signals:
    void closeRequested();
    // Zoom about the image pixel `at`; positive notches show more detail.
    void zoomRequested(QPointF at, double notches);
    // Move the view by the drag from image pixel `from` to `to`.
    void panRequested(QPointF from, QPointF to);
    void fileDropped(const QString& path);
    // The context menu's commands.
    void saveImageRequested();
    void copyImageRequested();
    void fitRequested();
    void growthRequested();
    void playbackRequested();
    void saveAnimationRequested();
    // The Explore entry was checked (on) or unchecked.
    void exploreRequested(bool on);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void AddCommand(const QString& text, const QKeySequence& shortcut, void (TDraw2D::*request)());

    bool m_interactive = true;
    QAction* m_explore = nullptr; // the Explore entry, checkable
};

// The one local file that a drag brings, if it brings exactly one; else an empty text.
QString DraggedFile(const QMimeData* data);

} // namespace plane
