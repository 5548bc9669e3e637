#pragma once

#include "app/core/record/drawn_figure.h"
#include "app/core/record/panel_fields.h"
#include "app/core/record/world_window.h"

#include <string>
#include <vector>

namespace bench {

// A figure the benchmarks draw, by name.
struct NamedFigure {
    std::string name;
    app::DrawnFigure figure;
};

// The record a Draw of the fields makes on the 700 × 700 plane after Fit to Figure set their
// window, from the fields' seed (else 0).
app::DrawnFigure FittedFigure(const app::PanelFields& fields);

// Every preset at its own count and every example file (examples/*.lsys, read as Open reads
// it), each fitted.
std::vector<NamedFigure> PresetsAndExamples();

// A point of the world plane.
struct WorldPoint {
    double x = 0.0;
    double y = 0.0;
};

// `count` points the figure passes through: the ends of segments of its exact walk, chosen at
// random from a fixed seed, so that every run zooms about the same points.
std::vector<WorldPoint> PointsOnFigure(const app::DrawnFigure& figure, int count);

// The figure shown in another window.
app::DrawnFigure InWindow(app::DrawnFigure figure, const app::WorldWindow& window);

} // namespace bench
