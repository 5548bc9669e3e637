#pragma once

#include "app/core/jobs/session_job.h"
#include "app/core/pictures/plane_size.h"
#include "app/core/record/drawn_figure.h"
#include "app/core/record/panel_fields.h"
#include "app/core/record/prepared_draw.h"
#include "app/core/record/world_window.h"
#include "app/core/session/session_figures.h"
#include "lsystem/walk/random_generator.h"
#include "plane/plane.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace app {

// What a run of the program draws, without any window: the figures drawn on a plane it is given
// (the plane window's) since the last Clear, each with the record to draw it again, the one
// random generator whose sequence every Draw continues, and the one long task that may be
// running. The windows drive it: they start a task and then advance it a slice at a time
// (RunSlice), the tests at once (RunToEnd). The command line needs no session: it runs a
// picture's or an animation's job alone to its end.
//
// The view commands (Zoom, Pan) move every figure's window to the new one, as numbers, and redraw
// each from its own record; they take no random numbers, so a random figure keeps its shape and
// the next Draw continues the sequence where it would have. Fit measures the figure of the fields
// as they stand (their window aside), sets the window to its bounds with a margin, clears the plane
// and draws it.
//
// In Explore the view commands show each figure with its detail adapted to the window
// (ExploreJob) instead of exactly: a coarse frame at once, then a refinement, the running task,
// that draws the fine frame offscreen and shows it whole when done. A coarse frame that takes
// longer than a few frames of the screen (a figure walked whole) is finished by the refinement's
// first slices. A command ends a refinement under way rather than waiting for it, and what the
// coarse frame drew stays. Draw, Fit, Clear, the animations and pictures draw the figures exactly
// in either mode.
//
// Each task is a job of its own (plane_draw.h, fit_measure.h, plane_redraw.h,
// growth_animation.h, playback.h, explore_refinement.h) that sees of the session only the plane
// and what SessionFigures lets it change.
class DrawingSession final : private SessionFigures {
public:
    using Clock = SessionJob::Clock;

    explicit DrawingSession(plane::Plane& plane);
    ~DrawingSession();
    DrawingSession(const DrawingSession&) = delete;
    DrawingSession& operator=(const DrawingSession&) = delete;

    plane::Plane& plane() { return m_plane; }
    const plane::Plane& plane() const { return m_plane; }
    const std::vector<DrawnFigure>& figures() const { return m_figures; }
    std::uint32_t seed() const { return m_random.seed(); }
    // Sets the random generator's state: the next Draw starts its figure from it.
    void SetSeed(std::uint32_t seed) { m_random = lsystem::RandomGenerator(seed); }
    // The seed at the start of the last figure drawn, when its walk takes random numbers (a
    // random amplitude, weighted alternatives): what a file needs to draw that figure again.
    std::optional<std::uint32_t> lastRandomSeed() const;
    // The world window the plane shows: the last drawn or viewed one; none before the first.
    const std::optional<WorldWindow>& shownWindow() const { return m_window; }

    // Told the window fields' new texts (numbers with a point) whenever Fit sets them.
    void SetWindowListener(std::function<void(const WindowTexts&)> listener);

    // Explore on or off. The shown figures are drawn again in the shown window, the Explore way
    // or exactly, as a view change draws them; while any other task runs only the mode changes,
    // and the plane keeps what it shows until the next view change. A fault of the Explore
    // frames is raised from RunSlice, as a redraw's is.
    void SetExplore(bool on);
    bool exploring() const { return m_exploring; }
    // The count of substitutions the last figure is drawn at in the Explore frame the plane
    // shows; none when it shows none: outside Explore, and once a Draw, a Clear or an exact
    // redraw has drawn since.
    std::optional<std::int32_t> exploreSubstitutions() const { return m_exploreSubstitutions; }
    // Told whenever exploring() or exploreSubstitutions() changes.
    void SetExploreListener(std::function<void()> listener);

    // The commands. While a task runs each but Clear and Stop does nothing, unless the task is an
    // Explore refinement, which it ends first; a field error is raised before anything else
    // changes.
    void Draw(const PanelFields& fields);
    void Fit(const PanelFields& fields);
    // Whitens the plane and forgets the figures; a running task ends first.
    void Clear();
    // Zooms the shown window by `factor` (above 1 shows more detail) about the plane point
    // (x, y) in pixels, or moves it by the drag from pixel `from` to pixel `to`; returns false
    // when there is no window to change, or for an Explore zoom in to a window that ExploreShows
    // refuses (app/core/explore_depth.h). The new window is shownWindow(); the figures' texts
    // stay as they were drawn.
    bool Zoom(double x, double y, double factor);
    bool Pan(double fromX, double fromY, double toX, double toY);
    // "Home": shows the window the last figure was drawn in (its window fields), as the view
    // commands show one; false when there is no figure or a task runs.
    bool ShowHome();
    // Animate Growth: the figure of the fields at 0, 1, … their count of substitutions in turn,
    // each on a cleared plane as Draw draws it, a step about every `step` (a step that takes
    // longer is drawn live). Each step starts from the generator's state and line colour at the
    // start, so the end leaves the plane, the figure's record and the generator as Clear and Draw
    // would have; Stop leaves what is shown as a stopped Draw of that step would.
    void AnimateGrowth(
        const PanelFields& fields, Clock::duration step = std::chrono::milliseconds(700));
    // Play Drawing: the figures on the plane drawn again from their records in slow motion,
    // the whole in about `whole` (at least one segment a frame of `frame`), with the turtle's
    // marker; nothing is taken from the generator. Stop, like the end, leaves the figures whole.
    void PlayDrawing(Clock::duration whole = std::chrono::seconds(5),
        Clock::duration frame = std::chrono::milliseconds(16));
    // Any other task, such as writing a picture of the figures.
    void Start(std::unique_ptr<SessionJob> job);

    bool busy() const { return m_job != nullptr; }
    // Whether the running task is an Explore refinement, which commands end instead of waiting.
    bool refining() const { return m_job && m_job->givesWay(); }
    // When the running task next has work to do, and the marker it shows.
    Clock::time_point idleUntil() const;
    std::optional<TurtleMarker> marker() const;
    // Advances the running task until the deadline; returns true once no task runs. A fault
    // ends the task (what it drew stays) and is raised.
    bool RunSlice(Clock::time_point deadline);
    void RunToEnd();
    double progress() const;
    // Ends the running task; what it drew stays.
    void Stop();

private:
    // SessionFigures, for the jobs.
    lsystem::RandomGenerator& random() override { return m_random; }
    const DrawnFigure& BeginFigure(const PanelFields& fields) override;
    const DrawnFigure& AddFigure(DrawnFigure figure) override;
    void ClearFigures() override;
    void EndLastFigure(std::uint64_t symbols) override { m_figures.back().symbolsWalked = symbols; }
    SessionFigures& Figures() { return *this; }

    // Whether a task runs that commands wait for: any but an Explore refinement.
    bool Occupied() const { return m_job && !m_job->givesWay(); }
    // Whether a command may start its task: when none is occupying the session; a refinement
    // under way ends here, its coarse frame staying.
    bool MayStart();

    // The figures in a new window: exactly (Redraw) or the Explore way (Explore).
    void ShowView(const WorldWindow& window);
    // The mapping, the shown window and every figure's window become the new window's.
    void MoveView(const WorldWindow& window);
    void Redraw(const WorldWindow& window);
    void Explore(const WorldWindow& window);
    void SetExploreSubstitutions(std::optional<std::int32_t> count);
    void FinishFit(PanelFields fields, const WorldWindow& bounds);

    plane::Plane& m_plane;
    std::vector<DrawnFigure> m_figures;
    lsystem::RandomGenerator m_random;
    std::optional<WorldWindow> m_window;
    std::function<void(const WindowTexts&)> m_windowListener;
    bool m_exploring = false;
    std::optional<std::int32_t> m_exploreSubstitutions;
    std::function<void()> m_exploreListener;
    std::unique_ptr<SessionJob> m_job;
};

} // namespace app
