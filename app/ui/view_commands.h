#pragma once

#include "app/core/record/panel_fields.h"
#include "app/core/record/world_window.h"

#include <QObject>

#include <functional>

namespace plane {
class TDraw2D;
}

namespace app {

class SessionDriver;

// The plane window's view requests turned into the session's: the wheel zooms the world window
// about the point under the pointer, 1.25 times a notch, and a drag moves it; `showWindow` is
// told the new window, and the session redraws its figures in it, as a task the driver runs.
// Animate Growth animates the panel's fields, Play Drawing the figures on the plane, showing the
// turtle over the plane while it plays. Explore turns the session's mode on or off, and the driver
// runs the redraw or refinement that starts. Each request runs through `guard`, which handles what
// it throws.
class ViewCommands : public QObject {
    Q_OBJECT

public:
    ViewCommands(plane::TDraw2D& plane, SessionDriver& driver,
        std::function<void(const std::function<void()>&)> guard,
        std::function<PanelFields()> fields, std::function<void(const WorldWindow&)> showWindow,
        QObject* parent);

private:
    void Zoom(double x, double y, double notches);
    void Pan(double fromX, double fromY, double toX, double toY);
    void ShowAndRedraw();

    void ShowMarker();

    plane::TDraw2D& m_plane;
    SessionDriver& m_driver;
    std::function<PanelFields()> m_fields;
    std::function<void(const std::function<void()>&)> m_guard;
    std::function<void(const WorldWindow&)> m_showWindow;
};

} // namespace app
