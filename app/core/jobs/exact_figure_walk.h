#pragma once

#include "app/core/jobs/figure_walk.h"
#include "app/core/jobs/sliced_walk.h"
#include "app/core/pictures/mapped_canvas.h"
#include "app/core/record/drawn_figure.h"
#include "lsystem/walk/random_generator.h"

#include <cstdint>

namespace app {

// A figure walked again exactly as its Draw walked it: its record's prepared walk with a
// generator started from the figure's seed (never the session's), up to its symbolsWalked.
class ExactFigureWalk final : public FigureWalk {
public:
    ExactFigureWalk(const DrawnFigure& figure, int planeSize, MappedCanvas& canvas);

    bool Advance(std::uint64_t symbols) override;
    std::uint64_t symbolsWalked() const override { return m_walk.symbolsWalked(); }
    std::uint64_t segmentsDrawn() const override { return m_walk.segmentsDrawn(); }
    double progress() const override { return m_walk.progress(); }

private:
    lsystem::RandomGenerator m_random;
    SlicedWalk m_walk;
};

// Walks every figure exactly: a FigureWalker.
std::unique_ptr<FigureWalk> WalkExactly(
    const DrawnFigure& figure, int planeSize, MappedCanvas& canvas);

} // namespace app
