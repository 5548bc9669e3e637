#include "lsystem/turtle.h"

#include "fpu/floating_point_error.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <vector>

namespace lsystem {

namespace {

constexpr double DegreesToRadians = 0.017453292519943295; // pi / 180
constexpr std::size_t ProgressInterval = 4096; // symbols between two calls of Progress()
constexpr std::size_t ReservedDepth = 256; // open branches held without reallocating

double Sine(double angle)
{
    return std::sin(angle);
}
double Cosine(double angle)
{
    return std::cos(angle);
}

// Remembers Function of the last arguments it was asked for, keyed by their exact bits, so a
// hit gives the very double that the call would. The headings of a walk with no random
// amplitude come from a few repeated sums, so their sines and cosines are asked for over and
// over.
template <double (*Function)(double)> class Remembered {
public:
    Remembered() { m_entries.fill({ std::bit_cast<std::uint64_t>(0.0), Function(0.0) }); }

    double operator()(double argument)
    {
        const auto bits = std::bit_cast<std::uint64_t>(argument);
        Entry& entry = m_entries[(bits * 0x9E3779B97F4A7C15u) >> (64 - IndexBits)];
        if (entry.bits != bits)
            entry = { bits, Function(argument) };
        return entry.value;
    }

private:
    static constexpr int IndexBits = 6;
    struct Entry {
        std::uint64_t bits;
        double value;
    };
    std::array<Entry, std::size_t { 1 } << IndexBits> m_entries;
};

struct TurtleState {
    double x;
    double y;
    double heading;
    std::int32_t penWidth;
};

bool IsDrawingSymbol(char symbol)
{
    return symbol == 'F' || symbol == 'G';
}

// One walk over one word: the turtle, its branch stack and the walk's fixed inputs.
class Walk {
public:
    Walk(DrawParams& params, const WalkStyle& style, RandomGenerator& random, Canvas& canvas)
        : m_params(params)
        , m_style(style)
        , m_random(random)
        , m_canvas(canvas)
    {
        if (style.rotation)
            m_rotation = plane::RotationMatrix(*style.rotation);
        m_stack.reserve(ReservedDepth);
    }

    void Run(const std::string& word)
    {
        const std::size_t length = word.size();
        for (std::size_t i = 0; i < length; ++i) {
            if (i % ProgressInterval == 0 && i != 0)
                m_canvas.Progress();
            if (m_params.StopFlag)
                return;
            switch (word[i]) {
            case 'F':
            case 'G':
                DrawStep();
                if (i + 1 < length && !IsDrawingSymbol(word[i + 1]))
                    Narrow();
                break;
            case 'f':
                MoveStep();
                break;
            case '+':
                m_heading = fpu::Checked(m_heading - m_params.Angle);
                break;
            case '-':
                m_heading = fpu::Checked(m_heading + m_params.Angle);
                break;
            case '(':
                OpenBranch();
                break;
            case ')':
                CloseBranch();
                break;
            default:
                break;
            }
        }
    }

private:
    // Six random values in the order r1..r6, each perturbation (r - 0.5) * A; the x and the
    // y of the end point take separate length and angle perturbations.
    void DrawStep()
    {
        const double amplitude = m_params.RandomAmp;
        const double step = m_params.StepLength;
        const double theta = m_heading * DegreesToRadians;
        const double r1 = m_random.Next();
        const double r2 = m_random.Next();
        const double r3 = m_random.Next();
        const double r4 = m_random.Next();
        const double r5 = m_random.Next();
        const double r6 = m_random.Next();
        const double x0 = m_x + (r1 - 0.5) * amplitude;
        const double lengthX = step + (r2 - 0.5) * amplitude;
        const double endX = fpu::Checked(x0 + lengthX * m_sine((r3 - 0.5) * amplitude + theta));
        const double y0 = m_y + (r4 - 0.5) * amplitude;
        const double lengthY = step + (r5 - 0.5) * amplitude;
        const double endY = fpu::Checked(y0 + lengthY * m_cosine((r6 - 0.5) * amplitude + theta));

        plane::TVector3 start { m_x, m_y, 1.0 };
        plane::TVector3 end { endX, endY, 1.0 };
        if (m_style.rotation) {
            start = plane::MultiplyPoint(start, m_rotation);
            end = plane::MultiplyPoint(end, m_rotation);
        }
        m_canvas.DrawSegment(start, end, m_style.colour, m_params.PenWidth);
        m_x = endX;
        m_y = endY;
    }

    void MoveStep()
    {
        const double theta = m_heading * DegreesToRadians;
        m_x = fpu::Checked(m_x + m_params.StepLength * m_sine(theta));
        m_y = fpu::Checked(m_y + m_params.StepLength * m_cosine(theta));
    }

    // The end of a run of drawing symbols. The width stops at the 32-bit bounds instead of
    // wrapping round to a huge pen.
    void Narrow()
    {
        const std::int64_t narrowed
            = std::int64_t { m_params.PenWidth } - std::int64_t { m_style.narrowing };
        m_params.PenWidth = static_cast<std::int32_t>(std::clamp<std::int64_t>(narrowed,
            std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
    }

    void OpenBranch() { m_stack.push_back({ m_x, m_y, m_heading, m_params.PenWidth }); }

    // A ")" without an open branch leaves the turtle as it is.
    void CloseBranch()
    {
        if (m_stack.empty())
            return;
        const TurtleState& saved = m_stack.back();
        m_x = saved.x;
        m_y = saved.y;
        m_heading = saved.heading;
        m_params.PenWidth = saved.penWidth;
        m_stack.pop_back();
    }

    DrawParams& m_params;
    const WalkStyle& m_style;
    RandomGenerator& m_random;
    Canvas& m_canvas;
    plane::TMatrix3 m_rotation;
    double m_x = 0.0; // world position
    double m_y = 0.0;
    double m_heading = 0.0; // degrees, 0 along +y, growing clockwise
    std::vector<TurtleState> m_stack;
    Remembered<Sine> m_sine;
    Remembered<Cosine> m_cosine;
};

} // namespace

void DrawWord(const std::string& word, DrawParams& params, const WalkStyle& style,
    RandomGenerator& random, Canvas& canvas)
{
    Walk walk(params, style, random, canvas);
    walk.Run(word);
}

} // namespace lsystem
