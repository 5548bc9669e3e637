#pragma once

#include "app/core/record/drawn_figure.h"
#include "app/core/record/panel_fields.h"
#include "lsystem/walk/random_generator.h"

#include <cstdint>

namespace app {

// What the session's jobs may change of it besides the plane: the figures drawn since Clear and
// the generator that every Draw continues. The session gives its jobs this and nothing more.
class SessionFigures {
public:
    // The generator a Draw takes its random numbers from.
    virtual lsystem::RandomGenerator& random() = 0;
    // Draw's steps before its walk: the figure's record is added, the mapping and the line
    // colour become the plane's. Raises the first field's error, having changed nothing before
    // the window is read and only the line colour after.
    virtual const DrawnFigure& BeginFigure(const PanelFields& fields) = 0;
    // Adds a prepared record: its window's mapping and its line colour become the plane's.
    virtual const DrawnFigure& AddFigure(DrawnFigure figure) = 0;
    // Clear without ending the running job: the plane white, no figures.
    virtual void ClearFigures() = 0;
    // The last figure's walk ended after `symbols` symbols, short of its word's end: Stop or a
    // fault ended it.
    virtual void EndLastFigure(std::uint64_t symbols) = 0;

protected:
    ~SessionFigures() = default;
};

} // namespace app
