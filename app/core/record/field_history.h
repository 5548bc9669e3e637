#pragma once

#include "app/core/record/panel_fields.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace app {

// The way back through the commands that replace many of the panel's fields at once (a preset,
// Open, a Gallery entry, Fit, zoom and pan): each such command records the whole state it
// replaces (fields, rules, command set); Undo gives back the state before the last one and Redo
// the one it undid. A new record forgets what could be redone. At most `limit` states are kept,
// the oldest dropped first.
class FieldHistory {
public:
    static constexpr std::size_t DefaultLimit = 100;

    explicit FieldHistory(std::size_t limit = DefaultLimit);

    // Records the state a command is about to replace; a state equal to the last one recorded
    // is not recorded twice.
    void Record(const PanelFields& before);
    // The state to go back to from `current`, which Redo then gives back; none when there is
    // nothing to undo.
    std::optional<PanelFields> Undo(const PanelFields& current);
    // The state Undo left, which Undo then gives back again; none when there is nothing to redo.
    std::optional<PanelFields> Redo(const PanelFields& current);

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }

private:
    std::size_t m_limit;
    std::vector<PanelFields> m_undo; // the last recorded at the back
    std::vector<PanelFields> m_redo; // the last undone at the back
};

} // namespace app
