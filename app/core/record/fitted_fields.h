#pragma once

#include "app/core/record/panel_fields.h"
#include "app/core/record/world_window.h"

#include <cstdint>
#include <optional>

namespace app {

// Writes the four texts into the window fields.
inline void SetWindow(PanelFields& fields, const WindowTexts& texts)
{
    fields.x1 = texts.x1;
    fields.x2 = texts.x2;
    fields.y1 = texts.y1;
    fields.y2 = texts.y2;
}

// Sets the window fields to the window that shows `bounds` (FitWindow) and returns their new
// texts; none, and the fields as they were, for bounds without extent. What Fit does once it
// has measured the figure.
std::optional<WindowTexts> FitFields(PanelFields& fields, const WorldWindow& bounds);

// The fields with their window fitted to the figure that a Draw of them, with the generator in
// state `seed`, would draw (their window aside): the whole figure walked at once onto a
// measuring canvas. Raises the fields' errors and the walk's faults.
PanelFields FittedFields(PanelFields fields, std::uint32_t seed);

} // namespace app
