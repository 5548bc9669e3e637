// Input: a count byte, a flag byte, an angle byte, a pen-width byte, then the axiom, the F rule
// and the G rule separated by newlines. Rewriting is checked against a plain reference and its
// predicted length; the walk runs onto a small plane and may end only by a floating-point fault
// or by Stop.

#include "fpu/floating_point_error.h"
#include "app/plane_canvas.h"
#include "lsystem/rewriting.h"
#include "lsystem/turtle.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Longer words are not built, so that one input takes milliseconds.
constexpr std::uint64_t FuzzWordLimit = std::uint64_t { 1 } << 16;

std::string ReferenceStep(std::string_view word, std::string_view ruleF, std::string_view ruleG)
{
    std::string next;
    for (const char symbol : word) {
        if (symbol == 'F')
            next += ruleF;
        else if (symbol == 'G')
            next += ruleG;
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

// Forwards to the plane's canvas, counting segments; Progress may press Stop.
class CountingCanvas : public lsystem::Canvas {
public:
    CountingCanvas(plane::Plane& plane, bool& stopFlag, bool stopAtProgress)
        : m_canvas(plane)
        , m_stopFlag(stopFlag)
        , m_stopAtProgress(stopAtProgress)
    {
    }
    void DrawSegment(const plane::TVector3& start, const plane::TVector3& end, plane::Rgb colour,
        std::int32_t penWidth) override
    {
        ++segments;
        m_canvas.DrawSegment(start, end, colour, penWidth);
    }
    void Progress() override
    {
        m_canvas.Progress();
        if (m_stopAtProgress)
            m_stopFlag = true;
    }

    std::size_t segments = 0;

private:
    app::PlaneCanvas m_canvas;
    bool& m_stopFlag;
    bool m_stopAtProgress;
};

// Rewrites as the Draw command does; false when the word would be too long to walk here.
bool RewriteChecked(lsystem::DrawParams& params)
{
    std::uint64_t longest = 0;
    for (std::int32_t step = 1; step <= params.SubstCount; ++step)
        longest = std::max(
            longest, lsystem::RewrittenLength(params.Word, params.RuleF, params.RuleG, step));
    if (longest > lsystem::MaxWordLength) {
        const std::string axiom = params.Word;
        try {
            lsystem::Rewrite(params);
        } catch (const lsystem::WordTooLargeError&) {
            if (params.Word != axiom)
                std::abort();
            return false;
        }
        std::abort();
    }
    if (longest > FuzzWordLimit)
        return false;

    std::string expected = params.Word;
    for (std::int32_t step = 0; step < params.SubstCount; ++step)
        expected = ReferenceStep(expected, params.RuleF, params.RuleG);
    const std::uint64_t predicted
        = lsystem::RewrittenLength(params.Word, params.RuleF, params.RuleG, params.SubstCount);
    lsystem::Rewrite(params);
    if (params.Word != expected || params.Word.size() != predicted)
        std::abort();
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    const std::uint8_t flags = data[1];
    std::string_view rest(reinterpret_cast<const char*>(data) + 4, size - 4);

    lsystem::DrawParams params;
    params.Word = NextPiece(rest);
    params.RuleF = NextPiece(rest);
    params.RuleG = NextPiece(rest);
    params.SubstCount = data[0] % 5;
    params.Angle = static_cast<std::int8_t>(data[2]) * 7.5;
    params.PenWidth = data[3] - 10;
    constexpr double amplitudes[] = { 0.0, 0.05, 1.0, 1e6 };
    params.RandomAmp = amplitudes[(flags >> 3) & 3];
    params.StepLength = 1.0;
    for (std::int32_t step = 0; step < params.SubstCount; ++step)
        params.StepLength = params.StepLength * 0.5;
    if (!RewriteChecked(params))
        return 0;

    constexpr double rotations[] = { 0.0, -1.5707963267948966, -0.5235987755982989, 0.7 };
    lsystem::WalkStyle style;
    style.colour = { data[0], data[2], data[3] };
    if ((flags & 3) != 0)
        style.rotation = rotations[flags & 3];
    style.narrowing = (flags & 4) != 0 ? 6 : 3;

    plane::Plane plane;
    plane.SetPlaneSize(64, 48);
    if ((flags & 0x80) != 0)
        plane.SetWorldWindow(-1e-300, 1e-300, 0.0, 1e-300);
    else
        plane.SetWorldWindow(-2.0, 2.0, -1.0, 2.0);
    lsystem::RandomGenerator random(static_cast<std::uint32_t>(size));
    CountingCanvas canvas(plane, params.StopFlag, (flags & 0x20) != 0);
    try {
        lsystem::DrawWord(params.Word, params, style, random, canvas);
    } catch (const fpu::FloatingPointError&) {
        return 0;
    }
    if (!params.StopFlag) {
        const auto drawing = std::count_if(params.Word.begin(), params.Word.end(),
            [](char symbol) { return symbol == 'F' || symbol == 'G'; });
        if (canvas.segments != static_cast<std::size_t>(drawing))
            std::abort();
    }
    return 0;
}
