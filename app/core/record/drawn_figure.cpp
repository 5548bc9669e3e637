#include "app/core/record/drawn_figure.h"

namespace app {

DrawnFigure PrepareFigure(
    const PanelFields& fields, std::uint32_t seed, plane::Rgb colourBefore, int planeSize)
{
    const PreparedDraw draw = PrepareDraw(fields, colourBefore, planeSize);
    return { fields, draw.view.window, draw.walk, seed, colourBefore };
}

DrawnFigure GrowthStep(const DrawnFigure& figure, std::int32_t count)
{
    DrawnFigure step = figure;
    step.walk = WalkAtCount(figure.walk, figure.fields.preset, count, figure.colourBefore);
    step.fields.substCount = step.walk.params.SubstCount;
    step.symbolsWalked = std::numeric_limits<std::uint64_t>::max();
    return step;
}

} // namespace app
