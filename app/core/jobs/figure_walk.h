#pragma once

#include "app/core/pictures/mapped_canvas.h"
#include "app/core/record/drawn_figure.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace app {

// One figure of a replay walked from its record onto the replay's canvas, a bounded number of
// symbols at a time: exactly (ExactFigureWalk) or as Explore shows it.
class FigureWalk {
public:
    virtual ~FigureWalk() = default;

    // Walks on for at most `symbols` symbols; returns true once the figure has ended: at the end
    // of its word or where its record ends (a figure that Stop or a fault ended). A fault of the
    // walk is raised from here, the segments drawn before it staying.
    virtual bool Advance(std::uint64_t symbols) = 0;
    virtual std::uint64_t symbolsWalked() const = 0;
    virtual std::uint64_t segmentsDrawn() const = 0;
    // The share of the figure walked, 0 to 1, as far as it is known.
    virtual double progress() const = 0;
};

// Starts the walk of a figure onto `canvas`, whose mapping it sets to the figure's window on a
// planeSize × planeSize plane. A fault of the mapping is raised here.
using FigureWalker = std::function<std::unique_ptr<FigureWalk>(
    const DrawnFigure& figure, int planeSize, MappedCanvas& canvas)>;

} // namespace app
