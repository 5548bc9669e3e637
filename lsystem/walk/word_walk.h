#pragma once

#include <cstdint>

namespace lsystem {

// The walk of a rewritten word by the turtle of its command set, as TurtleWalk hands it on: the
// panel's turtle (turtle.cpp) or Fractint's (fractint_walk.h). Virtual only at this level, which
// a driver calls once a slice; each walk's loop over the symbols is compiled for its turtle.
class WordWalk {
public:
    virtual ~WordWalk() = default;

    virtual bool Advance(std::uint64_t budget) = 0;
    virtual bool finished() const = 0;
    virtual std::uint64_t symbolsWalked() const = 0;
    virtual std::uint64_t symbolCount() const = 0;
    virtual std::uint64_t segmentsDrawn() const = 0;
    virtual std::int32_t penWidth() const = 0;
};

} // namespace lsystem
