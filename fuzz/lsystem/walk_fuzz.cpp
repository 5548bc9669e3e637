// Input: a count byte, a flag byte, an angle byte, a pen-width byte, then the axiom, the F rule
// and the G rule separated by newlines. With the flag 0x40 the word is walked by Fractint's
// turtle instead, which has no reference here: that walk must only end without crashing. The walk
// that expands the rules as it goes, advanced in slices, must draw exactly what the walk of the
// plainly rewritten word draws and fault where it faults; a walk its driver stops after some
// symbols must draw what the walk of that many symbols of the word draws. It draws onto a small
// plane as well, so that the plane's code runs under the sanitizers too. Explore's walk of the
// figure in a part of the window must end without crashing.

#include "app/core/pictures/plane_canvas.h"
#include "fpu/floating_point_error.h"
#include "lsystem/explore/explore_walk.h"
#include "lsystem/rules/expansion.h"
#include "lsystem/rules/rewriting.h"
#include "lsystem/turtle.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <limits>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

namespace {

// Longer words are not walked, so that one input takes milliseconds.
constexpr std::uint64_t FuzzWordLimit = std::uint64_t { 1 } << 16;

std::string ReferenceStep(
    std::string_view word, std::string_view ruleF, std::string_view ruleG, std::string_view ruleX)
{
    std::string next;
    for (const char symbol : word) {
        if (symbol == 'F')
            next += ruleF;
        else if (symbol == 'G')
            next += ruleG;
        else if (symbol == 'X')
            next += ruleX;
        else
            next += symbol;
    }
    return next;
}

std::string_view NextPiece(std::string_view& rest)
{
    const std::size_t end = std::min(rest.find('\n'), rest.size());
    const std::string_view piece = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    return piece;
}

// Keeps the exact bits of every segment and hands it on to a plane.
class RecordingCanvas : public lsystem::Canvas {
public:
    explicit RecordingCanvas(plane::Plane& plane)
        : m_canvas(plane)
    {
    }
    void DrawSegment(const plane::TVector3& start, const plane::TVector3& end, plane::Rgb colour,
        std::int32_t penWidth) override
    {
        for (const double value : { start.x, start.y, start.w, end.x, end.y, end.w })
            record.push_back(std::bit_cast<std::uint64_t>(value));
        record.push_back(colour.value());
        record.push_back(static_cast<std::uint32_t>(penWidth));
        m_canvas.DrawSegment(start, end, colour, penWidth);
    }

    std::vector<std::uint64_t> record;

private:
    app::PlaneCanvas m_canvas;
};

// Everything a walk leaves behind, and the fault that ended it, if any.
struct Outcome {
    std::vector<std::uint64_t> record;
    std::int32_t penWidth;
    std::uint32_t seed;
    const std::type_info* fault;
    int faultKind;
};

struct Setup {
    lsystem::DrawParams params;
    lsystem::WalkStyle style;
    bool tinyWindow;
    std::uint64_t stopAfter; // symbols after which the driver stops the walk
    std::uint32_t seed;
};

// `walk` walks onto the canvas it is given and returns its pen width at the end.
template <typename Walk> Outcome Run(const Setup& setup, Walk&& walk)
{
    plane::Plane plane;
    plane.SetPlaneSize(64, 48);
    if (setup.tinyWindow)
        plane.SetWorldWindow(-1e-300, 1e-300, 0.0, 1e-300);
    else
        plane.SetWorldWindow(-2.0, 2.0, -1.0, 2.0);
    lsystem::RandomGenerator random(setup.seed);
    RecordingCanvas canvas(plane);
    Outcome outcome { {}, setup.params.PenWidth, 0, nullptr, -1 };
    try {
        outcome.penWidth = walk(random, canvas);
    } catch (const fpu::FloatingPointError& error) {
        outcome.fault = &typeid(error);
        outcome.faultKind = static_cast<int>(error.fault());
    } catch (const lsystem::BranchDepthError& error) {
        outcome.fault = &typeid(error);
    }
    outcome.record = std::move(canvas.record);
    outcome.seed = random.seed();
    return outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    const std::uint8_t flags = data[1];
    std::string_view rest(reinterpret_cast<const char*>(data) + 4, size - 4);

    Setup setup;
    lsystem::RewrittenWord system;
    system.axiom = NextPiece(rest);
    system.ruleF = NextPiece(rest);
    system.ruleG = NextPiece(rest);
    const std::string ruleX(NextPiece(rest));
    system.moreRules = { { 'X', 1.0, ruleX } };
    system.count = data[0] % 11;
    while (system.count > 0 && lsystem::WordLength(system) > FuzzWordLimit)
        --system.count;
    if (lsystem::WordLength(system) > FuzzWordLimit)
        return 0;

    std::string word = system.axiom;
    for (std::int32_t step = 0; step < system.count; ++step)
        word = ReferenceStep(word, system.ruleF, system.ruleG, ruleX);
    if (word.size() != lsystem::WordLength(system))
        std::abort();

    lsystem::DrawParams& params = setup.params;
    params.Angle = static_cast<std::int8_t>(data[2]) * 7.5;
    params.PenWidth = data[3] - 10;
    constexpr double amplitudes[] = { 0.0, 0.05, 1.0, 1e6 };
    params.RandomAmp = amplitudes[(flags >> 3) & 3];
    params.StepLength = 1.0;
    for (std::int32_t step = 0; step < system.count; ++step)
        params.StepLength = params.StepLength * 0.5;
    constexpr double rotations[] = { 0.0, -1.5707963267948966, -0.5235987755982989, 0.7 };
    setup.style.colour = { data[0], data[2], data[3] };
    if ((flags & 3) != 0)
        setup.style.rotation = rotations[flags & 3];
    setup.style.narrowing = (flags & 4) != 0 ? 6 : 3;
    setup.tinyWindow = (flags & 0x80) != 0;
    setup.stopAfter
        = (flags & 0x20) != 0 ? 1 + data[3] * 7 : std::numeric_limits<std::uint64_t>::max();
    setup.seed = static_cast<std::uint32_t>(size);

    const std::uint64_t slice = 1 + (data[3] & 0x3f);
    const auto slicedWalk = [&](lsystem::RandomGenerator& random, lsystem::Canvas& canvas) {
        lsystem::TurtleWalk walk(system, setup.params, setup.style, random, canvas);
        if (walk.symbolCount() != word.size())
            std::abort();
        while (!walk.finished() && walk.symbolsWalked() < setup.stopAfter) {
            const std::uint64_t before = walk.symbolsWalked();
            const std::uint64_t budget = std::min(slice, setup.stopAfter - before);
            try {
                walk.Advance(budget);
            } catch (...) {
                if (!walk.finished())
                    std::abort();
                throw;
            }
            if (walk.symbolsWalked() - before > budget)
                std::abort();
        }
        return walk.penWidth();
    };
    if ((flags & 0x40) != 0) {
        setup.params.Commands = lsystem::CommandSet::Fractint;
        Run(setup, slicedWalk);
        return 0;
    }
    const std::string walkedWord
        = word.substr(0, std::min<std::uint64_t>(setup.stopAfter, word.size()));
    const Outcome expected
        = Run(setup, [&](lsystem::RandomGenerator& random, lsystem::Canvas& canvas) {
              return lsystem::DrawWord(walkedWord, setup.params, setup.style, random, canvas);
          });
    const Outcome sliced = Run(setup, slicedWalk);
    if (sliced.record != expected.record || sliced.penWidth != expected.penWidth
        || sliced.seed != expected.seed || sliced.fault != expected.fault
        || sliced.faultKind != expected.faultKind)
        std::abort();

    // Explore's walk of the same figure in a view of part of the plane's window may pass over
    // and draw as chords what it likes, but must end, in slices, or fault as a walk faults.
    lsystem::DrawParams explored = setup.params;
    explored.Word = system.axiom;
    explored.RuleF = system.ruleF;
    explored.RuleG = system.ruleG;
    explored.MoreRules = system.moreRules;
    explored.SubstCount = system.count;
    if (lsystem::ExploreWalk::Handles(explored, setup.style)) {
        const double zoom = 1.0 + (data[3] & 0xf) * 3.0;
        const lsystem::ExploreView view { -2.0 / zoom, 2.0 / zoom, -1.0 / zoom, 2.0 / zoom,
            16.0 * zoom, 16.0 * zoom };
        const double chordPixels = (data[0] >> 4) * 0.5;
        Run(setup, [&](lsystem::RandomGenerator&, lsystem::Canvas& canvas) {
            lsystem::ExploreWalk walk(explored, setup.style, view, chordPixels, canvas);
            while (!walk.Advance(slice)) { }
            if (walk.progress() != 1.0)
                std::abort();
            return 0;
        });
    }
    return 0;
}
