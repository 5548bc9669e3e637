#pragma once

#include "plane/plane.h"
#include "plane/raster_view.h"

#include <QFrame>
#include <QWidget>

#include <cstdint>

namespace plane {

// The "2D Graphic Plane" window: the plane's drawing state shown in a top-level window. Panel1
// holds Image1, the view of the raster; the window does not scale with the screen's resolution.
// Closing the window is the program's end: the window announces it with closeRequested() and
// leaves the ending to whoever listens.
class TDraw2D : public QWidget, public Plane {
    Q_OBJECT

public:
    TDraw2D();

    QFrame* Panel1;
    RasterView* Image1;

    // Sizes the raster, Panel1 and Image1 to width x height and shows the window.
    void SetPlaneSize(int width, int height);

    // Fills the raster with one colour and schedules its repaint.
    void ClearPlane(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

    // Schedules a repaint of the raster's area changed since the last of these two calls.
    void UpdateChanged();
    // Repaints the raster's area changed since the last of these two calls before returning.
    void RepaintChanged();

signals:
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QRect TakeChanged();
};

} // namespace plane
