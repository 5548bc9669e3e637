#include "app/ui/field_undo.h"

#include "app/core/record/presets.h"

namespace app {

namespace {

// View changes closer together than this are one gesture.
constexpr qint64 GestureMilliseconds = 1500;

} // namespace

FieldUndo::FieldUndo(TForm1& panel)
    : QObject(&panel)
    , m_panel(panel)
    , m_shownPreset(panel.CheckedPreset())
{
    // Connected after the panel's own handlers, so that these run after theirs; the button
    // left is unchecked after the new one is checked, and is not followed.
    const auto follow = [this] { m_shownPreset = m_panel.CheckedPreset(); };
    for (const Preset preset : AllPresets()) {
        connect(panel.PresetButtonOf(preset), &QRadioButton::toggled, this, [follow](bool checked) {
            if (checked)
                follow();
        });
    }
    connect(&panel, &TForm1::rulesSet, this, follow);
    connect(&panel, &TForm1::fieldsReplacing, this, &FieldUndo::Record);
    panel.AddCommand(QStringLiteral("Undo"), Qt::CTRL | Qt::Key_Z, [this] { Undo(); });
    panel.AddCommand(QStringLiteral("Redo"), Qt::CTRL | Qt::SHIFT | Qt::Key_Z, [this] { Redo(); });
}

void FieldUndo::Record()
{
    if (m_held || m_panel.drawing())
        return;
    m_lastView.invalidate();
    m_history.Record(ShownFields());
}

void FieldUndo::RecordView()
{
    if (m_held || m_panel.drawing())
        return;
    const bool sameGesture = m_lastView.isValid() && m_lastView.elapsed() < GestureMilliseconds;
    if (!sameGesture)
        m_history.Record(ShownFields());
    m_lastView.start();
}

PanelFields FieldUndo::ShownFields() const
{
    PanelFields fields = m_panel.ReadFields();
    fields.preset = m_shownPreset;
    return fields;
}

void FieldUndo::Undo()
{
    if (m_panel.drawing())
        return;
    m_lastView.invalidate();
    if (const auto before = m_history.Undo(m_panel.ReadFields()))
        m_panel.SetFields(*before);
}

void FieldUndo::Redo()
{
    if (m_panel.drawing())
        return;
    m_lastView.invalidate();
    if (const auto after = m_history.Redo(m_panel.ReadFields()))
        m_panel.SetFields(*after);
}

} // namespace app
