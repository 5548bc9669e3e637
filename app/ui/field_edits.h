#pragma once

#include "app/core/record/panel_fields.h"
#include "app/core/record/world_window.h"

#include <QWidget>

#include <string>

namespace app {

// The text fields of a record and the panel's edits, each found by the name FieldTable gives
// it. The edits show the angle with the user's decimal separator, `separator`; a record holds
// it with a point. Each turns a number's separator into the other's; every other text goes as
// it stands, but that an angle that is no number with the user's separator is read so that it
// does not convert either (the panel reports it with the text as typed).
void ReadFieldEdits(const QWidget& panel, const std::string& separator, PanelFields& fields);
void WriteFieldEdits(QWidget& panel, const PanelFields& fields, const std::string& separator);

// Writes the window's edits, with the user's separator: Fit's texts, or a window the view moved
// to as the shortest texts that read back as its bounds.
void WriteWindowEdits(QWidget& panel, const WindowTexts& texts, const std::string& separator);
void WriteWindowEdits(QWidget& panel, const WorldWindow& window, const std::string& separator);

} // namespace app
