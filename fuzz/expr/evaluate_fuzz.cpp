#include "expr/encoder.h"
#include "expr/evaluator.h"
#include "expr/messages.h"
#include "fpu/floating_point_error.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Any byte string is a legal input: it must end in a value, a message or a floating-point
// fault, never in a crash, an out-of-bounds access or undefined behaviour.
namespace {

bool IsMessage(std::string_view text)
{
    for (const std::string_view message :
        { expr::InvalidExpressionMessage, expr::InvalidNumberMessage, expr::TooManyItemsMessage,
            expr::UnbalancedStackMessage, expr::DivisionByZeroMessage, expr::PowerBaseMessage,
            expr::LogarithmMessage, expr::TangentMessage, expr::SquareRootMessage,
            expr::ArcSinMessage, expr::ArcCosMessage, expr::FactorialMessage }) {
        if (text == message)
            return true;
    }
    return false;
}

// What an accepted text may encode to: digits, full stop, signs, brackets, the variable
// letters, P and the operator codes.
bool IsEncodedText(std::string_view encoded)
{
    constexpr std::string_view plain = "0123456789.()+-*/^KNRSTXYZP";
    for (const char c : encoded) {
        const auto code = static_cast<unsigned char>(c);
        if (plain.find(c) == std::string_view::npos && (code < 199 || code > 211))
            return false;
    }
    return true;
}

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string encoded = expr::EncodeExpression(text);
    Check(encoded == expr::InvalidExpressionMessage || IsEncodedText(encoded));

    const expr::Variables variables { 0.5, -2.0, 3.0, 1e-16, 100.0, -1.0, 1.0, 7.0 };
    std::string errorText = "stale";
    try {
        const double value = expr::Evaluate(text, errorText, variables);
        Check(errorText.empty() ? std::isfinite(value) : IsMessage(errorText));
    } catch (const fpu::FloatingPointError&) {
        Check(errorText.empty());
    }
    return 0;
}
