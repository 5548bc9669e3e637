#pragma once

#include "expr/opcode.h"

#include <array>
#include <string>
#include <string_view>

namespace expr {

struct FunctionName {
    std::string_view Text;
    Opcode Code;
};

// The functions of the expression syntax, each written directly before "(".
inline constexpr std::array<FunctionName, 12> FunctionNames { {
    { "ABS", Opcode::Abs },
    { "SIN", Opcode::Sin },
    { "SQR", Opcode::Sqr },
    { "SQRT", Opcode::Sqrt },
    { "COS", Opcode::Cos },
    { "ARCTAN", Opcode::ArcTan },
    { "ARCSIN", Opcode::ArcSin },
    { "ARCCOS", Opcode::ArcCos },
    { "EXP", Opcode::Exp },
    { "LN", Opcode::Ln },
    { "TAN", Opcode::Tan },
    { "FA", Opcode::Fa },
} };

// Checks an expression text and encodes it for the compiler: letters upper-cased, the comma
// read as a full stop, each function name and each unary minus replaced by its code, PI by
// the letter P, a unary plus dropped. Returns the encoded text, or exactly
// InvalidExpressionMessage when the text breaks the syntax (the empty text included). The
// encoded text holds only digits, ".", "(", ")", "+", "-", "*", "/", "^", the variable
// letters, P and the codes 199 to 211, so it never equals the message.
std::string EncodeExpression(std::string_view text);

} // namespace expr
