// The session's animations: growth from one substitution to the next, and the drawing played
// again slowly with the turtle's marker.

#include "app/core/jobs/animation_steps.h"
#include "app/core/jobs/draw_job.h"
#include "app/core/jobs/replay_job.h"
#include "app/core/pictures/plane_canvas.h"
#include "app/core/session/drawing_session.h"

#include <algorithm>
#include <cmath>

namespace app {

class DrawingSession::GrowthAnimation final : public SessionJob {
public:
    GrowthAnimation(DrawingSession& session, const PanelFields& fields, Clock::duration step)
        : m_session(session)
        , m_step(step)
        , m_seed(session.m_random.seed())
        , m_colour(session.m_plane.lineColour())
        , m_canvas(session.m_plane)
        , m_steps(StartFirstStep(fields))
    {
    }

    bool RunSlice(Clock::time_point deadline) override
    {
        for (;;) {
            if (!m_walk) {
                if (Clock::now() < m_nextStep)
                    return false;
                StartStep([this] { return m_session.AddFigure(m_steps.Figures(m_count).front()); });
            }
            if (!m_walk->RunSlice(deadline))
                return false;
            m_walk.reset();
            if (m_count + 1 == m_steps.count())
                return true;
            ++m_count;
            m_nextStep = m_stepStarted + m_step;
        }
    }

    // Between steps m_count is already the next one, of which nothing is walked yet.
    double progress() const override
    {
        return m_steps.Progress(m_count, m_walk ? m_walk->symbolsWalked() : 0);
    }

    Clock::time_point idleUntil() const override
    {
        return m_walk ? Clock::time_point {} : m_nextStep;
    }

    void Abandon() override
    {
        if (m_walk)
            m_session.m_figures.back().symbolsWalked = m_walk->symbolsWalked();
    }

private:
    // A step is a Clear and a Draw, of the whole step's record, from the state the animation
    // started in; `begin` adds the step's figure.
    template <typename Begin> void StartStep(Begin begin)
    {
        m_stepStarted = Clock::now();
        m_session.ClearFigures();
        m_session.m_plane.SetLineColour(m_colour);
        m_session.m_random = lsystem::RandomGenerator(m_seed);
        const PreparedWalk& walk = begin();
        m_walk.emplace(walk.params, walk.style, m_session.m_random, m_canvas);
    }

    // The first step reads the fields at 0 substitutions, so that their errors show before
    // anything runs; its record is the growth's first step, and the later ones take its numbers
    // at their own count.
    AnimationSteps StartFirstStep(const PanelFields& fields)
    {
        StartStep([&] {
            PanelFields first = fields;
            first.substCount = MinSubstitutions;
            return m_session.BeginFigure(first);
        });
        return AnimationSteps::Growth(m_session.m_figures.back(), fields.substCount);
    }

    DrawingSession& m_session;
    Clock::duration m_step;
    std::uint32_t m_seed;
    plane::Rgb m_colour;
    PlaneCanvas m_canvas;
    std::optional<DrawJob> m_walk;
    Clock::time_point m_stepStarted;
    Clock::time_point m_nextStep;
    AnimationSteps m_steps; // after the members its first step uses
    std::uint64_t m_count = 0; // the step drawn or waited for
};

// Passes segments on to the plane, remembering the last one for the marker.
class TurtleCanvas final : public MappedCanvas {
public:
    explicit TurtleCanvas(plane::Plane& plane)
        : m_plane(plane)
        , m_canvas(plane)
    {
    }

    void SetMapping(const plane::Viewport& mapping) override { m_canvas.SetMapping(mapping); }
    void DrawSegment(const plane::TVector3& start, const plane::TVector3& end, plane::Rgb colour,
        std::int32_t penWidth) override
    {
        m_canvas.DrawSegment(start, end, colour, penWidth);
        const double x0 = m_plane.Column(start.x);
        const double y0 = m_plane.Row(start.y);
        const double x1 = m_plane.Column(end.x);
        const double y1 = m_plane.Row(end.y);
        if (x1 != x0 || y1 != y0)
            m_heading = std::atan2(y1 - y0, x1 - x0);
        m_marker = TurtleMarker { x1, y1, m_heading };
        ++segments;
    }

    const std::optional<TurtleMarker>& marker() const { return m_marker; }
    std::uint64_t segments = 0;

private:
    plane::Plane& m_plane;
    PlaneCanvas m_canvas;
    double m_heading = -M_PI / 2; // up, as the turtle starts
    std::optional<TurtleMarker> m_marker;
};

class DrawingSession::Playback final : public SessionJob {
public:
    Playback(DrawingSession& session, Clock::duration whole, Clock::duration frame)
        : m_session(session)
        , m_whole(session.m_plane.raster())
        , m_mapping(session.m_plane)
        , m_frame(frame)
        , m_steps(AnimationSteps::Drawing(session.m_figures,
              whole / std::max<Clock::duration>(frame, std::chrono::milliseconds(1)),
              DrawingPace::Steady))
        , m_canvas(session.m_plane)
        , m_replay(m_steps.Figures(0), session.m_plane.raster().width(), m_canvas)
    {
        session.m_plane.ClearPlane(255, 255, 255);
    }

    // A frame shows the next step; at least one segment a frame, however few the segments
    // among a step's symbols, so a frame takes as many steps as that needs.
    bool RunSlice(Clock::time_point) override
    {
        const auto now = Clock::now();
        if (now < m_nextFrame)
            return false;
        m_nextFrame = now + m_frame;
        const std::uint64_t before = m_canvas.segments;
        for (;;) {
            m_replay.SetSymbolLimit(m_steps.Symbols(m_next++));
            m_replay.RunSlice(Clock::time_point::max());
            if (m_next == m_steps.count())
                return true;
            if (m_canvas.segments != before)
                return false;
        }
    }

    double progress() const override { return m_replay.progress(); }
    Clock::time_point idleUntil() const override { return m_nextFrame; }
    std::optional<TurtleMarker> marker() const override { return m_canvas.marker(); }

    // The figures are left whole, as they were before.
    void Abandon() override
    {
        m_session.m_plane.raster().CopyPixels(m_whole);
        static_cast<plane::Viewport&>(m_session.m_plane) = m_mapping;
    }

private:
    DrawingSession& m_session;
    plane::Raster m_whole;
    plane::Viewport m_mapping;
    Clock::duration m_frame;
    AnimationSteps m_steps;
    std::uint64_t m_next = 0; // the step to walk next
    TurtleCanvas m_canvas;
    ReplayJob m_replay;
    Clock::time_point m_nextFrame;
};

void DrawingSession::AnimateGrowth(const PanelFields& fields, Clock::duration step)
{
    if (MayStart())
        m_job = std::make_unique<GrowthAnimation>(*this, fields, step);
}

void DrawingSession::PlayDrawing(Clock::duration whole, Clock::duration frame)
{
    if (MayStart())
        m_job = std::make_unique<Playback>(*this, whole, frame);
}

} // namespace app
