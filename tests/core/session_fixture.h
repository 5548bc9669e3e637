#pragma once

#include "app/core/record/presets.h"
#include "app/core/session/drawing_session.h"

#include <cstdint>

namespace test_support {

// A preset's fields with the random amplitude `random` and, unless negative, the count `count`.
app::PanelFields PresetFields(app::Preset preset, const char* random = "0", int count = -1);

// A session on a plane of its own, as the program has one, run to the end of each command.
struct Session {
    Session();

    void Draw(const app::PanelFields& fields);
    // `notches` of the mouse wheel about pixel (x, y): each shows 1.25 times the detail.
    void Zoom(double x, double y, double notches);
    void Pan(double fromX, double fromY, double toX, double toY);
    int PixelsOf(plane::Rgb colour) const;

    plane::Plane plane;
    app::DrawingSession session { plane };
    app::WindowTexts shown; // the window texts Fit gave last
};

bool SamePixels(const plane::Raster& a, const plane::Raster& b);

} // namespace test_support
