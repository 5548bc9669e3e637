#pragma once

#include <QString>

#include <optional>

class QCommandLineParser;

namespace app {

// What a command-line run writes.
enum class RunOutput { PngPicture, SvgPicture, PdfPicture, Animation };

// The first option given that does not apply to what the run writes (none when its file's name
// asks for no format it writes) or beside --fit, as the message of a usage error: the option,
// what it does not apply to and why. None when every option given applies: the run refuses an
// option rather than ignore it.
std::optional<QString> InapplicableOption(
    const QCommandLineParser& parser, std::optional<RunOutput> output);

} // namespace app
