#pragma once

#include "app/core/panel_fields.h"

#include <QWidget>

#include <string>

namespace app {

// The text fields of a record and the panel's edits, each found by the name FieldTable gives
// it. The edits show the angle with the user's decimal separator; a record from a file or the
// command line holds it with a point, which Write turns into the user's separator. Read takes
// the texts as they stand.
void ReadFieldEdits(const QWidget& panel, PanelFields& fields);
void WriteFieldEdits(
    QWidget& panel, const PanelFields& fields, const std::string& decimalSeparator);

} // namespace app
