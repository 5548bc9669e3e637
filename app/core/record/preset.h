#pragma once

namespace app {

// The preset figures of the control panel's radio group, in the order of its buttons.
enum class Preset {
    KochCurve,
    KochIsland,
    Sierpinski1,
    Sierpinski2,
    Plant1,
    Plant2,
    Plant3,
    Plant4
};

} // namespace app
