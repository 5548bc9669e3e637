#pragma once

#include "app/core/record/drawn_figure.h"
#include "app/core/record/world_window.h"
#include "lsystem/explore/explore_walk.h"

#include <cstdint>

namespace app {

// The most substitutions an Explore view uses: past where double precision ends for every
// length factor that shortens the steps.
inline constexpr std::int32_t MaxExploreSubstitutions = 64;

// The largest sub-figure Explore's fine frame draws as its chord, in pixels from its start to
// its farthest point: what a pixel can show of it.
inline constexpr double ExploreChordPixels = 1.0;

// The most segments a view may draw: a figure that fills its area, or more than fills it (a bush
// whose branches overlap), gains substitutions only as far as its view stays within a frame,
// a little short of a step a pixel where need be.
inline constexpr std::uint64_t MaxPrimitivesInView = std::uint64_t { 1 } << 15;

// The longest word of a figure with alternatives that Explore walks whole: each of its views
// costs a count of the word and a walk of it, a few milliseconds each at this length.
inline constexpr std::uint64_t MaxWeightedSymbols = std::uint64_t { 1 } << 19;

// The view of a window on a planeSize × planeSize plane, for Explore's walk.
lsystem::ExploreView ExploreViewOf(const WorldWindow& window, int planeSize);

// The record of a figure as Explore shows it in its window (figure.window) on a planeSize ×
// planeSize plane: the same fields, seed and colour before, at the number of substitutions where
// one step spans about a pixel, never fewer than its own (its fields' where they ask for more
// than Draw makes), with the step length, pen and style
// that count gives it.
//
// A count is taken only where it shows more detail of the same figure: the figure stands where
// it stood at its own count, as large within a few per cent and with its end in the same place;
// a figure that turns as it grows (a dragon curve) is turned back about its start. A figure
// that fills its area stops where its view would draw more segments than a frame can. A figure
// whose steps do not shorten with the count, one read by Fractint's turtle and one with a random
// amplitude keep their own count; one with alternatives stops where its word would outgrow a
// frame's walk. Raises the overflow of the step length.
DrawnFigure ExploreFigure(const DrawnFigure& figure, int planeSize);

} // namespace app
