#pragma once

#include "app/core/drawing_session.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

namespace app {

// Drives the drawing session from the event loop: once a command has started a task, its first
// slice runs at once (a small figure is done before the event loop runs again) and then one
// slice of about half a frame each turn of the loop (an animation's, when its next frame is
// due), so that the windows stay live and Stop and Exit act at once. Nothing here calls
// processEvents.
class SessionDriver : public QObject {
    Q_OBJECT

public:
    // `guard` runs each slice and handles what it throws (the task has then ended).
    SessionDriver(DrawingSession& session, std::function<void(const std::function<void()>&)> guard,
        QObject* parent = nullptr);

    DrawingSession& session() { return m_session; }
    bool running() const { return m_running; }

    // Runs the task a command has just started, if any.
    void Run();
    // Ends the running task at once; what it drew stays.
    void Stop();

signals:
    void started();
    // The share done of a task that has run longer than ProgressDelay.
    void progressed(double share);
    // A slice has run (and the task goes on).
    void advanced();
    // The task has ended, done, stopped or failed.
    void ended();

private:
    void Advance();
    void Finish();

    DrawingSession& m_session;
    std::function<void(const std::function<void()>&)> m_guard;
    QTimer m_timer;
    QElapsedTimer m_clock;
    bool m_running = false;
};

} // namespace app
