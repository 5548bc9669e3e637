#pragma once

#include "plane/plane.h"
#include "plane/raster_view.h"

#include <QFrame>
#include <QWidget>

namespace plane {

// The "2D Graphic Plane" window: shows the plane's drawing state, which it owns, in a top-level
// window. Panel1 holds Image1, the view of the raster; the window does not scale with the
// screen's resolution. Whatever changes the raster, through this window or through plane(), is
// repainted when the event loop next runs. Closing the window is the program's end: the window
// announces it with closeRequested() and leaves the ending to whoever listens.
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

signals:
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace plane
