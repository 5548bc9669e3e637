#pragma once

#include <QObject>

#include <functional>
#include <string>

namespace plane {
class TDraw2D;
}

namespace app {

class SessionDriver;

// The plane window's view requests turned into the session's: the wheel zooms the world window
// about the point under the pointer, 1.25 times a notch, and a drag moves it; the session
// redraws its figures in the new window, as a task the driver runs. Each request runs through
// `guard`, which handles what it throws.
class ViewCommands : public QObject {
    Q_OBJECT

public:
    ViewCommands(plane::TDraw2D& plane, SessionDriver& driver,
        std::function<void(const std::function<void()>&)> guard,
        std::function<std::string()> decimalSeparator, QObject* parent);

private:
    void Zoom(double x, double y, double notches);
    void Pan(double fromX, double fromY, double toX, double toY);

    SessionDriver& m_driver;
    std::function<void(const std::function<void()>&)> m_guard;
    std::function<std::string()> m_decimalSeparator;
};

} // namespace app
