// libFuzzer over arbitrary bytes read as an L-system file: reading never fails but by its error
// result, and whatever it accepts is written and read back as the same record.

#include "app/core/formats/lsystem_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const app::LSystemParseResult result = app::ParseLSystem(text, app::PanelFields {});
    const auto* fields = std::get_if<app::PanelFields>(&result);
    if (fields == nullptr)
        return 0;
    const app::LSystemParseResult again
        = app::ParseLSystem(app::FormatLSystem(*fields), app::PanelFields {});
    const auto* back = std::get_if<app::PanelFields>(&again);
    if (back == nullptr || !(*back == *fields))
        std::abort();
    return 0;
}
