#pragma once

#include "lsystem/draw_params.h"
#include "lsystem/remembered_direction.h"
#include "lsystem/turtle.h"
#include "plane/transforms.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace lsystem {

// The turtle of one walk: its position, heading and pen width, the states saved by open
// branches, and the steps it draws onto the canvas. It copies Angle, StepLength, RandomAmp and
// the starting PenWidth of params when it is made. Arithmetic that overflows or is not a number
// raises fpu::FloatingPointError.
class BranchingTurtle {
public:
    BranchingTurtle(
        const DrawParams& params, const WalkStyle& style, RandomGenerator& random, Canvas& canvas);

    // Six random values r1..r6 perturb the step: the x and the y of the end point take separate
    // length and angle perturbations, each (r - 0.5) * RandomAmp.
    void DrawStep();
    void MoveStep();
    void TurnLeft() { m_heading = Finite(m_heading - m_angle); }
    void TurnRight() { m_heading = Finite(m_heading + m_angle); }
    // The end of a run of drawing symbols. The width stops at the smallest 32-bit value instead
    // of wrapping round to a huge pen.
    void Narrow()
    {
        const std::int64_t narrowed
            = std::int64_t { m_penWidth } - std::int64_t { m_style.narrowing };
        m_penWidth = static_cast<std::int32_t>(std::clamp<std::int64_t>(narrowed,
            std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
    }
    // Raises BranchDepthError, changing nothing, when MaxBranchDepth branches are open.
    void OpenBranch();
    // A ")" without an open branch leaves the turtle as it is.
    void CloseBranch();

    std::int32_t penWidth() const { return m_penWidth; }
    // Segments handed to the canvas, the one whose drawing raised a fault among them.
    std::uint64_t segmentsDrawn() const { return m_segmentsDrawn; }

private:
    // fpu::Checked with the raising kept out of line, so that a check costs a comparison.
    static double Finite(double value)
    {
        return std::isfinite(value) ? value : CheckedOutOfLine(value);
    }
    static double CheckedOutOfLine(double value);
    plane::TVector3 Turned(double x, double y) const;

    struct SavedState {
        double x;
        double y;
        double heading;
        std::int32_t penWidth;
    };

    // Copied from params: the walk owns them, and the steps read them without a detour.
    const double m_angle;
    const double m_stepLength;
    const double m_amplitude;
    const WalkStyle m_style;
    RandomGenerator& m_random;
    Canvas& m_canvas;
    double m_x = 0.0; // world position
    double m_y = 0.0;
    double m_heading = 0.0; // degrees, 0 along +y, growing clockwise
    std::int32_t m_penWidth;
    std::uint64_t m_segmentsDrawn = 0;
    std::vector<SavedState> m_branches;
    RememberedDirection m_direction;
    // A step usually starts where the one before ended, so the turned end point is kept for it.
    plane::TMatrix3 m_rotation;
    plane::TVector3 m_lastEnd { 0.0, 0.0, 1.0 };
    plane::TVector3 m_lastTurnedEnd;
};

} // namespace lsystem
