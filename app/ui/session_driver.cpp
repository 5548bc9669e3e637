#include "app/ui/session_driver.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace app {

namespace {

// The share of a frame (16 ms) that a task takes each turn of the event loop; the rest is the
// screen's and the user's.
constexpr std::chrono::milliseconds SliceDuration { 8 };
// A task that runs longer than this shows its progress.
constexpr qint64 ProgressDelayMilliseconds = 500;

} // namespace

SessionDriver::SessionDriver(DrawingSession& session,
    std::function<void(const std::function<void()>&)> guard, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_guard(std::move(guard))
{
    connect(&m_timer, &QTimer::timeout, this, [this] { m_guard([this] { Advance(); }); });
}

void SessionDriver::Run()
{
    if (!m_session.busy())
        return;
    if (!m_running) {
        m_running = true;
        m_timer.start(0);
    }
    // A command may have ended a refinement under way for a task of its own.
    if (!m_busy && !m_session.refining()) {
        m_busy = true;
        m_clock.start();
        emit started();
    }
    Advance();
}

void SessionDriver::Advance()
{
    if (!m_running)
        return;
    bool done = true;
    try {
        done = m_session.RunSlice(DrawingSession::Clock::now() + SliceDuration);
    } catch (...) {
        Finish();
        throw;
    }
    if (done) {
        Finish();
        return;
    }
    const auto idle = m_session.idleUntil() - DrawingSession::Clock::now();
    m_timer.setInterval(
        std::max<qint64>(0, std::chrono::ceil<std::chrono::milliseconds>(idle).count()));
    emit advanced();
    if (m_busy && m_clock.elapsed() >= ProgressDelayMilliseconds)
        emit progressed(m_session.progress());
}

void SessionDriver::Stop()
{
    m_session.Stop();
    Finish();
}

void SessionDriver::Finish()
{
    if (!m_running)
        return;
    m_running = false;
    m_timer.stop();
    if (std::exchange(m_busy, false))
        emit ended();
}

} // namespace app
