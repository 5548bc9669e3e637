#pragma once

#include "lsystem/walk/canvas.h"
#include "lsystem/walk/draw_params.h"
#include "lsystem/walk/walk_style.h"

#include <cstdint>
#include <memory>

namespace lsystem {

// The part of the world a view shows, in the coordinates the canvas receives (after the style's
// turn), and how many pixels one world unit spans along each axis.
struct ExploreView {
    double left = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    double top = 0.0;
    double pixelsPerUnitX = 1.0;
    double pixelsPerUnitY = 1.0;
};

// What an Explore walk did.
struct ExploreStats {
    std::uint64_t primitives = 0; // segments handed to the canvas, chords among them
    std::uint64_t chords = 0; // sub-figures drawn as the segment from their start to their end
    std::uint64_t skipped = 0; // sub-figures whose bound misses the view, passed over unwalked
    std::uint64_t symbols = 0; // symbols taken one at a time: expanded, skipped, drawn or walked
};

// The walk of a figure with its detail adapted to a view: the word of params (its axiom
// rewritten params.SubstCount times) walked depth first by the panel's turtle as TurtleWalk walks
// it, except that a sub-figure (a symbol's expansion) whose bound (SubfigureBounds) misses the
// view, pen included, is passed over by moving the turtle to its end, and one whose bound is at
// most chordPixels pixels across from its start is drawn as one segment from its start to its
// end. Everything it draws lies within chordPixels of what the whole walk draws (up to the
// rounding of positions, which differs where sub-figures are passed over), and nothing it passes
// over would have drawn a pixel of the view. Memory grows with the number of substitutions only.
//
// It walks only figures whose sub-figures end where their bounds say (Handles): the panel's
// commands, no random amplitude, no alternatives, a pen that does not widen. The pen's width
// follows the walk's through every sub-figure passed over. A segment with a negative width is
// handed over with the last width that was not, as the plane's pen would keep it after the whole
// walk, so that a frame does not depend on the pen it finds; where the sub-figure that set it
// was passed over, that width is a close guess.
//
// Floating-point faults are raised from Advance() as fpu::FloatingPointError, a branch nested
// deeper than MaxBranchDepth as BranchDepthError.
class ExploreWalk {
public:
    // Whether the walk can draw this figure.
    static bool Handles(const DrawParams& params, const WalkStyle& style);

    // params must be Handled; chordPixels >= 0 (0 draws every step that is not passed over).
    ExploreWalk(const DrawParams& params, const WalkStyle& style, const ExploreView& view,
        double chordPixels, Canvas& canvas);
    ~ExploreWalk();
    ExploreWalk(const ExploreWalk&) = delete;
    ExploreWalk& operator=(const ExploreWalk&) = delete;

    // Walks on for about `budget` symbols (a replacement of the last level is walked whole);
    // returns true when the walk has finished.
    bool Advance(std::uint64_t budget);
    bool finished() const;
    const ExploreStats& stats() const;
    // The share of the figure's steps walked or passed over, 0 to 1; an estimate where some
    // sub-figure's branches are left open or close one opened before it.
    double progress() const;

private:
    class Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace lsystem
