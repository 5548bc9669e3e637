#pragma once

#include "app/core/session/drawing_session.h"

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
//
// An Explore refinement runs behind the windows: they need not wait for it, since every command
// ends it, so it neither makes them busy nor shows its progress, and a notch of the wheel that
// replaces it keeps the windows as they are.
class SessionDriver : public QObject {
    Q_OBJECT

public:
    // `guard` runs each slice and handles what it throws (the task has then ended).
    SessionDriver(DrawingSession& session, std::function<void(const std::function<void()>&)> guard,
        QObject* parent = nullptr);

    DrawingSession& session() { return m_session; }
    // Whether a task runs that the windows wait for: any but an Explore refinement.
    bool busy() const { return m_busy; }

    // Runs the task a command has just started, if any.
    void Run();
    // Ends the running task at once; what it drew stays.
    void Stop();

signals:
    // A task the windows wait for has started, and has ended (done, stopped or failed).
    void started();
    void ended();
    // The share done of such a task that has run longer than ProgressDelay.
    void progressed(double share);
    // A slice has run (and the task goes on).
    void advanced();

private:
    void Advance();
    void Finish();

    DrawingSession& m_session;
    std::function<void(const std::function<void()>&)> m_guard;
    QTimer m_timer;
    QElapsedTimer m_clock;
    bool m_running = false;
    bool m_busy = false;
};

} // namespace app
