#include "app/core/text/safe_message_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(SafeMessageText, EscapesWhatCouldActOnATerminalOrPassForOtherText)
{
    const struct {
        const char* name;
        std::string message;
        std::string shown;
    } rows[] = {
        { "plain, with quotes and backslashes", "Could not save \"a\\b.png\": File too large",
            "Could not save \"a\\b.png\": File too large" },
        { "evaluator's message with diacritics", "'1/0' is not a valid expression: Dělení nulou",
            "'1/0' is not a valid expression: Dělení nulou" },
        { "evaluator's message without diacritics", "Chybny vyraz", "Chybny vyraz" },
        { "other scripts", "Zürich ∑ 漢字 😀", "Zürich ∑ 漢字 😀" },
        { "NUL", std::string("'60\0' is not", 12), "'60\\x00' is not" },
        { "escape sequences that retitle and clear a terminal", "'\x1B]0;owned\x07\x1B[2J'",
            "'\\x1B]0;owned\\x07\\x1B[2J'" },
        { "line break, tab, carriage return, DEL", "a\nb\tc\rd\x7F", "a\\nb\\tc\\x0Dd\\x7F" },
        { "byte order marks", "\xEF\xBB\xBF\xEF\xBB\xBFLindenmayer", "\\uFEFF\\uFEFFLindenmayer" },
        { "no-break spaces", "L\xC2\xA0L\xE2\x80\xAFL\xE2\x80\x87L", "L\\u00A0L\\u202FL\\u2007L" },
        { "C1 control (CSI)",
            "\xC2\x9B"
            "2J",
            "\\u009B2J" },
        { "zero-width space and a direction override", "a\xE2\x80\x8B\xE2\x80\xAEz",
            "a\\u200B\\u202Ez" },
        { "tag character beyond the basic plane", "F\xF3\xA0\x81\x81", "F\\U000E0041" },
        { "bytes that are not UTF-8", "\xFF \xE2\x82 \xC0\xAF \xED\xA0\x80",
            "\\xFF \\xE2\\x82 \\xC0\\xAF \\xED\\xA0\\x80" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(app::SafeMessageText(row.message), row.shown);
        // A message already shown once is shown as it is.
        EXPECT_EQ(app::SafeMessageText(row.shown), row.shown);
    }
}

} // namespace
