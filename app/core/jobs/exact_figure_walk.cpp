#include "app/core/jobs/exact_figure_walk.h"

namespace app {

ExactFigureWalk::ExactFigureWalk(const DrawnFigure& figure, int planeSize, MappedCanvas& canvas)
    : m_random(figure.seed)
    , m_walk(figure.walk.params, figure.walk.style, m_random, canvas, figure.symbolsWalked)
{
    canvas.SetMapping(WindowMapping(figure.window, planeSize));
}

bool ExactFigureWalk::Advance(std::uint64_t symbols)
{
    // A walk that has walked every symbol of its word has ended, whether or not it has looked
    // past the last one yet.
    return m_walk.Advance(symbols) || m_walk.symbolsWalked() >= m_walk.symbolCount();
}

std::unique_ptr<FigureWalk> WalkExactly(
    const DrawnFigure& figure, int planeSize, MappedCanvas& canvas)
{
    return std::make_unique<ExactFigureWalk>(figure, planeSize, canvas);
}

} // namespace app
