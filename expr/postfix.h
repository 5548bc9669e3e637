#pragma once

#include "expr/opcode.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace expr {

// One cell of a compiled expression. Kind is Number (Value holds it, PI included), a variable
// letter, an infix operator, Negate, a function code or End; Value is 0 for all but numbers.
struct TPostfixItem {
    Opcode Kind = Opcode::End;
    double Value = 0.0;
};

// A compiled expression in postfix order from the first cell on. The cell after the last item
// and every later one hold End, so a program holds at most 255 items.
inline constexpr std::size_t PostfixProgramSize = 256;
using TPostfixProgram = std::array<TPostfixItem, PostfixProgramSize>;

// One token of an encoded text. Length counts the characters it spans (1 for all but numbers);
// Value is set for Number only.
struct Token {
    Opcode Kind = Opcode::End;
    std::size_t Length = 0;
    double Value = 0.0;
};

// Reads the token at position of an encoded text; nothing at or past its end. A digit or
// full stop starts a number spanning every digit and full stop that follows: Number with its
// correctly rounded value; BadNumber when it has more than one full stop or exceeds the range
// of a double. A number too small for a double reads as 0. Any other character is a token of
// its own, of the kind its code names.
std::optional<Token> ReadToken(std::string_view encoded, std::size_t position);

// Encodes the text and compiles it into a postfix program by operator precedence. On success
// the whole program is written and errorText made empty. Otherwise errorText is
// InvalidExpressionMessage, InvalidNumberMessage or TooManyItemsMessage and the program keeps
// its contents, with one exception: a "(" left open when the tokens run out still writes the
// program (the encoder's bracket count keeps texts from reaching that case). An expression
// needing more than 255 items is TooManyItemsMessage; one needing more than 255 pending
// operators is an invalid expression.
// Operand counts are not checked here: "1+" compiles to 1 +; the evaluator rejects it.
void CompilePostfix(std::string_view text, std::string& errorText, TPostfixProgram& program);

} // namespace expr
