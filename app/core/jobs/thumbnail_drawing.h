#pragma once

#include "app/core/pictures/picture_plane.h"
#include "app/core/record/panel_fields.h"
#include "app/core/record/prepared_draw.h"
#include "app/core/record/world_window.h"
#include "lsystem/turtle.h"
#include "lsystem/walk/random_generator.h"

#include <cstdint>
#include <memory>

namespace app {

// The side of a thumbnail, pixels, and the most symbols of a figure it walks, so that a huge one
// costs no more than a fair share of the time.
inline constexpr int ThumbnailSize = 96;
inline constexpr std::uint64_t ThumbnailSymbolBudget = 300000;

// The number of substitutions a thumbnail draws the figure of `params` at: the largest up to the
// figure's own whose word, counted from the rules without rewriting it, draws at most one step per
// pixel of a size × size thumbnail (more would only fill it solid) and holds at most
// `symbolBudget` symbols; 0 where none does. Where a symbol has alternatives, the count is the
// first alternatives' word's.
std::int32_t ThumbnailCount(
    const lsystem::DrawParams& params, int size, std::uint64_t symbolBudget);

// A small picture of a whole figure, made in bounded steps: the figure at ThumbnailCount's
// number of substitutions is walked once to measure it, its window fitted as Fit fits it, and
// then walked again onto a white size × size plane, pens scaled as a picture's are at that count.
// Only a word that holds more symbols than its count said (one whose alternatives are longer than
// the first) has its walks cut off at `symbolBudget` symbols. It draws with a generator of its
// own at the fields' seed (0 without one), so that it touches no drawing session.
class ThumbnailDrawing {
public:
    // Raises the fields' errors as Draw does.
    explicit ThumbnailDrawing(const PanelFields& fields, int size = ThumbnailSize,
        std::uint64_t symbolBudget = ThumbnailSymbolBudget);
    ~ThumbnailDrawing();
    ThumbnailDrawing(const ThumbnailDrawing&) = delete;
    ThumbnailDrawing& operator=(const ThumbnailDrawing&) = delete;

    // Walks on for at most `symbols` symbols (and the rewriting's bookkeeping, bounded alike);
    // returns true once the thumbnail is done. Raises the walk's faults.
    bool Advance(std::uint64_t symbols);
    bool finished() const { return m_phase == Phase::Done; }
    // Whether the budget ended the walks before the figure's end.
    bool cutOff() const { return m_cutOff; }
    // The number of substitutions drawn.
    std::int32_t count() const { return m_prepared.params.SubstCount; }
    const plane::Raster& raster() const { return m_plane.raster(); }

private:
    enum class Phase { Measure, Draw, Done };

    void StartWalk(lsystem::Canvas& canvas);
    void EndWalk();

    PreparedWalk m_prepared;
    std::uint32_t m_seed;
    int m_size;
    std::uint64_t m_symbolBudget;
    Phase m_phase = Phase::Measure;
    bool m_cutOff = false;
    BoundsCanvas m_bounds;
    PicturePlane m_plane;
    lsystem::RandomGenerator m_random;
    std::unique_ptr<lsystem::TurtleWalk> m_walk;
};

} // namespace app
