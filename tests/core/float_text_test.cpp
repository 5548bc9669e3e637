#include "app/core/text/float_text.h"

#include "fpu/floating_point_error.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

namespace {

struct FloatTextCase {
    const char* name;
    std::string text;
    std::optional<double> expected;
};

TEST(TextToFloat, ReadsNumbersWrittenWithAPoint)
{
    const FloatTextCase cases[] = {
        { "point", "22.5", 22.5 },
        { "comma", "22,5", std::nullopt },
        { "blanks around", " 60 ", 60.0 },
        { "signs", "-7", -7.0 },
        { "plus sign", "+7", 7.0 },
        { "exponent", "1.5e2", 150.0 },
        { "upper exponent with sign", "15E-1", 1.5 },
        { "no digits before the point", ".5", 0.5 },
        { "no digits after the point", "5.", 5.0 },
        { "an expression", "45/2", std::nullopt },
        { "two points", "1.5.2", std::nullopt },
        { "empty", "", std::nullopt },
        { "only blanks", "   ", std::nullopt },
        { "only the point", ".", std::nullopt },
        { "exponent without digits", "1e", std::nullopt },
        { "blank inside", "6 0", std::nullopt },
        { "tab is no blank", "\t60", std::nullopt },
        { "sign after blanks only once", "--1", std::nullopt },
        { "too small becomes zero", "1e-400", 0.0 },
    };
    for (const FloatTextCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(app::TextToFloat(c.text), c.expected);
    }
}

// The panel shows numbers with the user's separator and hands them on with a point; files of
// older versions hold the angle with a comma.
TEST(ChangeSeparator, ChangesOnlyTheSeparatorOfANumber)
{
    const std::string arabic = "\xd9\xab"; // U+066B, a separator of several bytes
    struct Row {
        std::string text;
        std::string from;
        std::string to;
        std::string changed;
    };
    const Row rows[] = {
        { "22,5", ",", ".", "22.5" },
        { "22" + arabic + "5", arabic, ".", "22.5" },
        { "22.5", ".", ",", "22,5" },
        { "22.5", ".", arabic, "22" + arabic + "5" },
        { "-1,5e1", ",", ".", "-1.5e1" },
        { " ,5 ", ",", ".", " .5 " },
        { "60", ".", ",", "60" },
        { "22.5", ",", ".", "22.5" }, // not a number with a comma: as it is
        { "45/2", ",", ".", "45/2" },
        { "1,5,2", ",", ".", "1,5,2" },
        { "0.5x", ".", ",", "0.5x" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text + " from " + row.from + " to " + row.to);
        EXPECT_EQ(app::ChangeSeparator(row.text, row.from, row.to), row.changed);
    }
}

TEST(FloatToText, ShortestPlainTextThatReadsBackExactly)
{
    struct Row {
        double value;
        const char* text;
    };
    const Row rows[] = {
        { 0.1, "0.1" },
        { -0.7, "-0.7" },
        { 0.1 + 0.2, "0.30000000000000004" },
        { 1e20, "100000000000000000000" },
        { 1.5e-7, "0.00000015" },
        { -0.0, "0" },
        { std::numeric_limits<double>::infinity(), "0" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(app::FloatToText(row.value), row.text);
    }
    for (const double value : { 1.0 / 3, -123.456e-200, 1.7976931348623157e308, 5e-324 })
        EXPECT_EQ(app::TextToFloat(app::FloatToText(value)), value);
}

TEST(TextToFloat, IsCorrectlyRounded)
{
    EXPECT_EQ(app::TextToFloat("0.1"), 0.1);
    EXPECT_EQ(app::TextToFloat("1.7976931348623157e308"), 1.7976931348623157e308);
}

TEST(TextToFloat, NumbersBeyondTheDoubleRangeOverflow)
{
    for (const char* text : { "1e400", "-2e308", "123456789e99999999999999999999" }) {
        SCOPED_TRACE(text);
        try {
            app::TextToFloat(text);
            FAIL() << "no fault raised";
        } catch (const fpu::FloatingPointError& error) {
            EXPECT_EQ(error.fault(), fpu::Fault::Overflow);
        }
    }
    EXPECT_EQ(app::TextToFloat("0.000001e-99999999999999999999"), 0.0);
}

} // namespace
