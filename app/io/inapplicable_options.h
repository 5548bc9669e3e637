#pragma once

#include "app/io/given_options.h"

#include <QString>

#include <optional>

namespace app {

// What a command-line run writes.
enum class RunOutput { PngPicture, SvgPicture, PdfPicture, Animation };

// What a command-line run reads its fields from.
enum class RunSource { NoFile, LSystemFile, Collection };

// What the run reads from: a collection of Fractint L-systems by its extension (".l"), any other
// file as an L-system file.
RunSource SourceOf(const GivenOptions& given);

// The first option given that does not apply to what the run writes (none when its file's name
// asks for no format it writes, or it writes nothing), to what it reads, or beside --fit, as the
// message of a usage error: the option,
// what it does not apply to and why. None when every option given applies: the run refuses an
// option rather than ignore it.
std::optional<QString> InapplicableOption(
    const GivenOptions& given, std::optional<RunOutput> output, RunSource source);

} // namespace app
