#pragma once

#include "app/core/record/panel_fields.h"

#include <QString>

#include <exception>
#include <optional>

namespace app {

// An L-system file and the fields as it left them.
struct SourceFile {
    QString path;
    PanelFields fields;
};

// The message, with its full stop, of an error that ended a command-line run before it read any
// field: running out of memory says so, naming the picture whose pixels did not fit, where it
// was one; any other error gives its own message.
QString FailureMessage(const std::exception& error);

// The same for a run of `fields`, which the options changed after `source` gave them. An error
// about a field names where its text came from: the file and its key where the text is the
// file's, since the user did not type it (the field's own message quotes the text, an arithmetic
// fault's does not, so the text follows the name); else for a fault, the option and the text.
QString FailureMessage(const std::exception& error, const PanelFields& fields,
    const std::optional<SourceFile>& source);

} // namespace app
