#pragma once

#include "app/core/explore/explore_job.h"
#include "app/core/record/drawn_figure.h"
#include "app/io/figure_export.h"

#include <functional>
#include <vector>

namespace app {

// The figures as Explore shows them in their windows (ExploreJob, fine detail), written at once
// in the file's format as SaveFigures writes their whole walks: a size × size PNG, SVG or PDF,
// on the same canvases, through a checked file. The figures are asked for once the file is made,
// so that a figure prepared from fields reports their errors after the file's. Raises what
// SaveFigures raises; nothing is written then.
ExploreReport SaveExploreView(const ImageFile& file,
    const std::function<std::vector<DrawnFigure>()>& figures, int size, PictureStyle style = {});

} // namespace app
