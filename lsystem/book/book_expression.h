#pragma once

#include "expr/opcode.h"
#include "lsystem/book/book_error.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Expressions of the book's notation: arithmetic as the fields compute it (each operation is the
// field evaluator's own, so an expression both accept has the same value bit for bit; angles of
// the functions are in radians, as in the fields), comparisons and logic.
//
//   or         := and { ("or" | "||") and }
//   and        := not { ("and" | "&&") not }
//   not        := ("not" | "!") not | comparison
//   comparison := sum [ ("<" | "<=" | ">" | ">=" | "==" | "=" | "!=") sum ]
//   sum        := term { ("+" | "-") term }
//   term       := ("-" | "+") term | product        -2*3 is -(2*3), as in the fields
//   product    := factor { ("*" | "/") factor }
//   factor     := "-" factor | power
//   power      := primary { "^" exponent }          left to right: 2^3^2 is 64
//   exponent   := "-" exponent | primary
//   primary    := number | name | FUNCTION "(" or ")" | "(" or ")"
//
// Numbers are digits with at most one full stop; names are parameters, then defined constants,
// then "pi"; function names (sin, cos, tan, arctan, arcsin, arccos, exp, ln, sqr, sqrt, abs, fa,
// in any case) stand directly before "(". Comparisons and logic give 1 or 0; "and" and "or"
// evaluate their right side only when the left does not decide.
namespace lsystem::book {

// The names an expression may use: the parameters in order of their slots, and the constants.
struct NameScope {
    const std::vector<std::string>* parameters = nullptr;
    const std::vector<std::pair<std::string, double>>* constants = nullptr;
};

class BookExpression {
public:
    // Reads an expression from `line` at `position`, which is left at the first character not
    // taken. On error, returns nothing and sets `error` (its row is `row`).
    static std::optional<BookExpression> Read(std::string_view line, std::size_t& position, int row,
        const NameScope& scope, BookParseError& error);

    // The value for the given parameter slots. A domain error is a BookDerivationError naming
    // the expression's row and column.
    double Evaluate(const double* parameters) const
    {
        if (m_shape == Shape::Constant)
            return m_value;
        if (m_shape == Shape::Parameter)
            return parameters[m_slot];
        if (m_shape == Shape::ParameterWithNumber)
            return WithNumber(parameters[m_slot]);
        return Run(parameters);
    }
    bool constant() const { return m_shape == Shape::Constant; }

    enum class Op : std::uint8_t {
        Number,
        Parameter,
        Infix, // code: Add, Subtract, Multiply, Divide, Power
        Unary, // code: Negate or a function
        Less,
        LessEqual,
        Greater,
        GreaterEqual,
        Equal,
        NotEqual,
        Not,
        Truth, // 1 for a non-zero value, 0 for zero
        AndJump, // top 0: keep it and jump; else drop it
        OrJump, // top non-zero: make it 1 and jump; else drop it
    };
    struct Instruction {
        Op op = Op::Number;
        expr::Opcode code = expr::Opcode::End;
        std::uint16_t index = 0; // the parameter slot or the jump's target
        double value = 0.0;
    };
    static constexpr std::size_t MaxStack = 64;

private:
    // The common shapes skip the stack machine: a number, a parameter, and a parameter with a
    // number in one operation (l*r, x+1), which computes the same operation on the same values.
    enum class Shape : std::uint8_t { Constant, Parameter, ParameterWithNumber, Program };

    double WithNumber(double parameter) const;
    double Run(const double* parameters) const;
    [[noreturn]] void Fail(std::string_view message) const;
    // The value, or 0 with `error` set to the evaluator's message of a domain error.
    double Compute(const double* parameters, std::string_view& error) const;

    std::vector<Instruction> m_code;
    Shape m_shape = Shape::Program;
    std::uint16_t m_slot = 0;
    double m_value = 0.0; // the constant, or the number of ParameterWithNumber
    expr::Opcode m_operation = expr::Opcode::End;
    int m_row = 0;
    int m_column = 0;
};

} // namespace lsystem::book
