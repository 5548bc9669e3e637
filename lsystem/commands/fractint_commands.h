#pragma once

#include <array>
#include <cstddef>

namespace lsystem {

// The commands of a Fractint system, each one upper-case symbol (an imported collection is
// folded to upper case). The turtle (FractintTurtle) walks them and the collection reader checks
// words and rules by them; both switch on the command without a default, so that a command added
// here is a compile error (-Wswitch) in whichever of them forgets it.
enum class FractintCommand {
    None, // any other symbol: only rewritten, the turtle skips it
    DrawStep, // F: draws a step along the step heading
    MoveStep, // G: moves a step along the step heading
    DrawDegreeStep, // D: draws a step along the degree heading
    MoveDegreeStep, // M: moves a step along the degree heading
    TurnLeft, // +: turns the step heading left by the angle
    TurnRight, // -: turns the step heading right by the angle
    TurnAround, // |: turns by the most whole angles not above half a turn, as "+" does
    SwapTurns, // !: swaps "+" with "-" and "\" with "/"
    OpenBranch, // [: saves the turtle's whole state
    CloseBranch, // ]: restores the last saved state
    Scale, // @nnn: multiplies the step length by nnn (prefixes I: divides, Q: square root)
    TurnDegreesLeft, // \nn: turns the degree heading left by nn degrees
    TurnDegreesRight, // /nn: turns the degree heading right by nn degrees
    SetColour, // Cnn: sets the colour index to nn
    AddColour, // <nn: adds nn to the colour index
    SubtractColour, // >nn: takes nn from the colour index
};

constexpr FractintCommand FractintCommandOf(char symbol)
{
    switch (symbol) {
    case 'F':
        return FractintCommand::DrawStep;
    case 'G':
        return FractintCommand::MoveStep;
    case 'D':
        return FractintCommand::DrawDegreeStep;
    case 'M':
        return FractintCommand::MoveDegreeStep;
    case '+':
        return FractintCommand::TurnLeft;
    case '-':
        return FractintCommand::TurnRight;
    case '|':
        return FractintCommand::TurnAround;
    case '!':
        return FractintCommand::SwapTurns;
    case '[':
        return FractintCommand::OpenBranch;
    case ']':
        return FractintCommand::CloseBranch;
    case '@':
        return FractintCommand::Scale;
    case '\\':
        return FractintCommand::TurnDegreesLeft;
    case '/':
        return FractintCommand::TurnDegreesRight;
    case 'C':
        return FractintCommand::SetColour;
    case '<':
        return FractintCommand::AddColour;
    case '>':
        return FractintCommand::SubtractColour;
    default:
        return FractintCommand::None;
    }
}

// FractintCommandOf for every byte, for the turtle's walk, which looks up every symbol.
inline constexpr std::array<FractintCommand, 256> FractintCommandTable = [] {
    std::array<FractintCommand, 256> table {};
    for (std::size_t byte = 0; byte < table.size(); ++byte)
        table[byte] = FractintCommandOf(static_cast<char>(byte));
    return table;
}();

// Whether the command reads the number written after it.
constexpr bool TakesNumber(FractintCommand command)
{
    switch (command) {
    case FractintCommand::Scale:
    case FractintCommand::TurnDegreesLeft:
    case FractintCommand::TurnDegreesRight:
    case FractintCommand::SetColour:
    case FractintCommand::AddColour:
    case FractintCommand::SubtractColour:
        return true;
    case FractintCommand::None:
    case FractintCommand::DrawStep:
    case FractintCommand::MoveStep:
    case FractintCommand::DrawDegreeStep:
    case FractintCommand::MoveDegreeStep:
    case FractintCommand::TurnLeft:
    case FractintCommand::TurnRight:
    case FractintCommand::TurnAround:
    case FractintCommand::SwapTurns:
    case FractintCommand::OpenBranch:
    case FractintCommand::CloseBranch:
        return false;
    }
    return false;
}

// The number after a command, read symbol by symbol:
//   number = { "I" | "Q" } digits-and-point    (the prefixes only after "@")
//   digits-and-point = any digits with at most one "." among them
// The first symbol that does not belong ends it and is walked as itself. A number without digits
// (a command with no number after it) reads as 0, as in Fractint. I and Q are prefixes only right
// after "@"; anywhere else they are symbols like any other.
class FractintNumber {
public:
    enum class Part { Prefix, Digit, Point, End };

    constexpr explicit FractintNumber(FractintCommand command)
        : m_prefixes(command == FractintCommand::Scale)
    {
    }

    // What `symbol` is to the number; after the End, the number takes nothing more.
    constexpr Part Take(char symbol)
    {
        if (m_ended)
            return Part::End;
        if (m_prefixes && IsPrefix(symbol))
            return Part::Prefix;
        m_prefixes = false;
        if (IsDigit(symbol))
            return Part::Digit;
        if (symbol == '.' && !m_point) {
            m_point = true;
            return Part::Point;
        }
        m_ended = true;
        return Part::End;
    }

    constexpr bool hasPoint() const { return m_point; }

    static constexpr bool IsDigit(char symbol) { return symbol >= '0' && symbol <= '9'; }
    // The symbols of a number after any command; a rule for one would cut the number.
    static constexpr bool IsNumberSymbol(char symbol) { return IsDigit(symbol) || symbol == '.'; }
    // The prefixes of the number after "@": I divides by it, Q takes its square root.
    static constexpr bool IsPrefix(char symbol) { return symbol == 'I' || symbol == 'Q'; }

private:
    bool m_prefixes; // prefixes may still come
    bool m_point = false;
    bool m_ended = false;
};

} // namespace lsystem
