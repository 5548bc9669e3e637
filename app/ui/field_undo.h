#pragma once

#include "app/core/record/field_history.h"
#include "app/ui/form1.h"

#include <QElapsedTimer>
#include <QObject>

namespace app {

// Undo and Redo of the panel's whole state (fields, rules, command set) across the commands that
// replace many fields at once: a preset, Open, Paste, a Gallery entry, Fit, zoom and pan. Each
// records the state it replaces; Undo (Ctrl+Z) and Redo (Ctrl+Shift+Z) join the panel's context
// menu. A text field with the focus keeps those keys for its own typing.
class FieldUndo : public QObject {
    Q_OBJECT

public:
    explicit FieldUndo(TForm1& panel);

    // Records the panel's state before a command replaces it, unless a command that records its
    // own runs (Hold). A view change, a notch of the wheel or a step of a drag, records only when
    // it does not follow another within a moment, so that one gesture is one step back.
    void Record();
    void RecordView();
    // While held, the commands a recorded command runs record nothing of their own.
    void Hold(bool held) { m_held = held; }

    void Undo();
    void Redo();

private:
    PanelFields ShownFields() const;

    TForm1& m_panel;
    FieldHistory m_history;
    bool m_held = false;
    // The preset the panel shows, as it was before a preset's button became checked: the
    // button's handler, which records, runs once it is checked.
    Preset m_shownPreset;
    QElapsedTimer m_lastView; // since the last recorded view change, while it follows one
};

} // namespace app
