#pragma once

#include "app/core/record/drawn_figure.h"

#include <cstdint>
#include <vector>

namespace app {

// How a drawing's symbols are split into steps of symbols / shares each.
enum class DrawingPace {
    // Exactly `shares` steps, the remainder of the division spread over them: step k ends after
    // (k + 1) / shares of the symbols, rounded down. A GIF's frames.
    Frames,
    // Steps of exactly symbols / shares symbols (at least 1), as many as the symbols take, the
    // last one walking what is left. The screen's Play Drawing, each step a frame of its pace.
    Steady,
};

// What an animation shows: a sequence of steps, each a walk of figure records from their start
// up to a number of their symbols, that the plane shows one after the other (Animate Growth,
// Play Drawing) and a GIF writes as its frames.
//
// A growth's step k is the figure at k substitutions (GrowthStep), whole, walked afresh. A
// drawing's steps walk the same records, each further than the one before, so that a step walks
// on from the one before; the last walks every symbol the records walk (a figure that Stop ended
// up to where it ended).
class AnimationSteps {
public:
    // The growth of `figure` from 0 substitutions to lastCount, kept within 0 to 10.
    static AnimationSteps Growth(DrawnFigure figure, std::int32_t lastCount);
    // The drawing of `figures` in `shares` (kept within 1 to 2^32 - 1) at `pace`.
    static AnimationSteps Drawing(
        std::vector<DrawnFigure> figures, std::int64_t shares, DrawingPace pace);

    std::uint64_t count() const { return m_count; }
    // Whether each step after the first walks on from the one before (a drawing) rather than
    // walking records of its own (a growth).
    bool walksOn() const { return !m_growth; }

    // The records that step k walks, from their start.
    std::vector<DrawnFigure> Figures(std::uint64_t k) const;
    // How many of their symbols, all together, step k has walked at its end.
    std::uint64_t Symbols(std::uint64_t k) const;

    // The share of the animation's work done, 0 to 1, once step k has walked `walked` symbols:
    // a growth's counted from its step's start, a drawing's from its first step's, since its
    // steps walk on. The work is the symbols the steps walk, so a growth's large last step is
    // most of it, however many steps come before.
    double Progress(std::uint64_t k, std::uint64_t walked) const;

private:
    AnimationSteps(bool growth, std::vector<DrawnFigure> figures);

    bool m_growth;
    std::vector<DrawnFigure> m_figures;
    std::uint64_t m_count = 1;
    std::uint64_t m_symbols = 0; // a drawing's, all figures together; a growth's, all steps'
    std::vector<std::uint64_t> m_symbolsBefore; // a growth's, walked by the steps before step k
    std::uint64_t m_shares = 1;
    std::uint64_t m_stride = 0; // symbols a step
    bool m_spread = false; // the remainder of symbols / shares spread over the steps
};

} // namespace app
