#pragma once

namespace lsystem::book {

// What the turtle does for a module of the book's notation. Arguments, where a command takes
// one, are the module's first argument; without one it takes the figure's default (the step,
// the angle, the next colour).
enum class BookCommand {
    None, // draws nothing: a symbol that only rewrites
    Draw, // F(l): a step of length l, drawing
    Move, // f(l): a step of length l, not drawing
    TurnLeft, // +(a): a degrees to the left
    TurnRight, // -(a): a degrees to the right
    TurnBack, // |: half a turn
    Push, // [: the turtle's state saved
    Pop, // ]: the last saved state restored
    PenWidth, // !(w): the pen's width
    Colour, // ;(n): colour n; ; alone: the next colour
    Turn3D, // & ^ \ /: turns about the other axes, read and ignored in the plane
};

constexpr BookCommand BookCommandOf(char symbol)
{
    switch (symbol) {
    case 'F':
        return BookCommand::Draw;
    case 'f':
        return BookCommand::Move;
    case '+':
        return BookCommand::TurnLeft;
    case '-':
        return BookCommand::TurnRight;
    case '|':
        return BookCommand::TurnBack;
    case '[':
        return BookCommand::Push;
    case ']':
        return BookCommand::Pop;
    case '!':
        return BookCommand::PenWidth;
    case ';':
        return BookCommand::Colour;
    case '&':
    case '^':
    case '\\':
    case '/':
        return BookCommand::Turn3D;
    default:
        return BookCommand::None;
    }
}

} // namespace lsystem::book
