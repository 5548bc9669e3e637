#include "app/core/float_text.h"

#include "fpu/floating_point_error.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct FloatTextCase {
    const char* name;
    std::string text;
    std::string separator;
    std::optional<double> expected;
};

TEST(TextToFloat, ReadsNumbersWrittenWithTheLocaleSeparator)
{
    const FloatTextCase cases[] = {
        { "comma locale, comma", "22,5", ",", 22.5 },
        { "point locale, comma", "22,5", ".", std::nullopt },
        { "point locale, point", "22.5", ".", 22.5 },
        { "comma locale, point", "22.5", ",", std::nullopt },
        { "blanks around", " 60 ", ".", 60.0 },
        { "signs", "-7", ".", -7.0 },
        { "plus sign", "+7", ".", 7.0 },
        { "exponent", "1.5e2", ".", 150.0 },
        { "upper exponent with sign", "15E-1", ".", 1.5 },
        { "no digits before separator", ",5", ",", 0.5 },
        { "no digits after separator", "5,", ",", 5.0 },
        { "an expression", "45/2", ".", std::nullopt },
        { "two separators", "1.5.2", ".", std::nullopt },
        { "empty", "", ".", std::nullopt },
        { "only blanks", "   ", ".", std::nullopt },
        { "only separator", ".", ".", std::nullopt },
        { "exponent without digits", "1e", ".", std::nullopt },
        { "blank inside", "6 0", ".", std::nullopt },
        { "tab is no blank", "\t60", ".", std::nullopt },
        { "sign after blanks only once", "--1", ".", std::nullopt },
        { "too small becomes zero", "1e-400", ".", 0.0 },
        { "multi-byte separator",
            "22\xd9\xab"
            "5",
            "\xd9\xab", 22.5 },
    };
    for (const FloatTextCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<double> value = app::TextToFloat(c.text, c.separator);
        ASSERT_EQ(value.has_value(), c.expected.has_value());
        if (c.expected)
            EXPECT_EQ(*value, *c.expected);
    }
}

TEST(TextToFloat, IsCorrectlyRounded)
{
    EXPECT_EQ(app::TextToFloat("0.1", "."), 0.1);
    EXPECT_EQ(app::TextToFloat("1.7976931348623157e308", "."), 1.7976931348623157e308);
}

TEST(TextToFloat, NumbersBeyondTheDoubleRangeOverflow)
{
    for (const char* text : { "1e400", "-2e308", "123456789e99999999999999999999" }) {
        SCOPED_TRACE(text);
        try {
            app::TextToFloat(text, ".");
            FAIL() << "no fault raised";
        } catch (const fpu::FloatingPointError& error) {
            EXPECT_EQ(error.fault(), fpu::Fault::Overflow);
        }
    }
    EXPECT_EQ(app::TextToFloat("0.000001e-99999999999999999999", "."), 0.0);
}

} // namespace
