#pragma once

#include "lsystem/fractint/fractint_turtle.h"
#include "lsystem/rules/expansion.h"
#include "lsystem/rules/rewriting.h"
#include "lsystem/walk/canvas.h"
#include "lsystem/walk/draw_params.h"
#include "lsystem/walk/word_walk.h"

#include <cstdint>

namespace lsystem {

// The walk of a Fractint system: the expansion hands the rewritten word to Fractint's turtle
// symbol by symbol, as it hands it to the panel's. The canvas must outlive the walk.
class FractintWalk final : public WordWalk {
public:
    FractintWalk(RewrittenWord word, const DrawParams& params, Canvas& canvas);

    bool Advance(std::uint64_t budget) override;
    bool finished() const override { return m_finished; }
    std::uint64_t symbolsWalked() const override { return m_symbolsWalked; }
    std::uint64_t symbolCount() const override { return m_symbolCount; }
    std::uint64_t segmentsDrawn() const override { return m_turtle.segmentsDrawn(); }
    std::int32_t penWidth() const override { return FractintPenWidth; }

private:
    const std::uint64_t m_symbolCount;
    Expansion m_expansion;
    FractintTurtle m_turtle;
    std::uint64_t m_symbolsWalked = 0;
    bool m_finished = false;
};

} // namespace lsystem
