#pragma once

#include "app/draw_job.h"
#include "app/form1.h"
#include "app/world_window.h"
#include "plane/plane.h"

#include <QElapsedTimer>
#include <QPointer>

#include <memory>
#include <optional>

namespace app {

// What a walk that only measures the figure works on: copies of everything a Draw changes,
// so that measuring moves nothing of the program's, not even the random sequence.
struct Measurement {
    plane::Plane plane;
    lsystem::DrawParams params;
    lsystem::RandomGenerator random;
    BoundsCanvas bounds;
};

// A walk under way and the panel's state while it runs: everything but Stop and Exit is
// disabled and the cursor shows that the program is busy, until the object goes, whichever way
// the walk ends.
class TForm1::RunningDraw {
public:
    explicit RunningDraw(TForm1& form);
    ~RunningDraw();
    RunningDraw(const RunningDraw&) = delete;
    RunningDraw& operator=(const RunningDraw&) = delete;

    std::unique_ptr<lsystem::Canvas> canvas; // what a Draw draws on
    std::unique_ptr<Measurement> measurement; // what a measuring walk works on, else none
    std::optional<DrawJob> job;

    qint64 elapsed() const { return m_clock.elapsed(); }

private:
    void SetInputEnabled(bool enabled);

    TForm1& m_form;
    QPointer<QWidget> m_focused;
    QElapsedTimer m_clock;
};

} // namespace app
