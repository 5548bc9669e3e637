#pragma once

#include <chrono>
#include <optional>

namespace app {

// Where the turtle of an animation stands, in plane pixels (fractions included), and which way
// it heads: the angle of its last step from the +x axis of the raster, y pointing down.
struct TurtleMarker {
    double x = 0.0;
    double y = 0.0;
    double heading = 0.0; // radians
};

// A long task of the drawing session: advanced a slice at a time by whoever drives the session,
// so that a window stays live and Stop acts between slices. Stopping a job is destroying it.
class SessionJob {
public:
    using Clock = std::chrono::steady_clock;

    virtual ~SessionJob() = default;

    // Works on until the deadline has passed or the task is done; returns true when it is done.
    // A fault is raised from here and ends the job.
    virtual bool RunSlice(Clock::time_point deadline) = 0;

    // The share of the task done, 0 to 1.
    virtual double progress() const = 0;

    // The time before which a slice has nothing to do: an animation waits between its frames.
    virtual Clock::time_point idleUntil() const { return {}; }

    // The turtle an animation shows over the plane, if any; never part of the raster.
    virtual std::optional<TurtleMarker> marker() const { return std::nullopt; }

    // Called once after RunSlice returned true, with the job already out of the session, so
    // that it may start the next one.
    virtual void Finish() { }

    // Called when the job ends before it is done: by Stop, by a fault or by the session's end.
    virtual void Abandon() { }

    // Whether a command of the session ends this job rather than waiting for it: a refinement
    // of the view, which the next view replaces.
    virtual bool givesWay() const { return false; }
};

// Runs every slice of the job at once, then its Finish. A fault is raised as RunSlice raises it,
// with no Finish.
void RunToEnd(SessionJob& job);

} // namespace app
