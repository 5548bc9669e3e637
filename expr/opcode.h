#pragma once

#include <cstdint>

namespace expr {

// The one-byte codes shared by the encoded text, the tokens and the compiled program. Characters
// that the encoder keeps stand for themselves; each unary minus and each function name becomes
// a code from 199 to 211. The function codes form the unbroken range Sin..Fa, which the
// compiler and the evaluator test as a range, so their values must not change.
enum class Opcode : std::uint8_t {
    BadNumber = '#', // token only: a run of digits and full stops that is no number
    Number = '$', // a number, PI included
    End = '%', // end marker of a program
    Open = '(',
    Close = ')',
    Multiply = '*',
    Add = '+',
    Subtract = '-',
    Divide = '/',
    Power = '^',
    Pi = 'P', // encoded text only: the compiler turns it into a number
    VarK = 'K',
    VarN = 'N',
    VarR = 'R',
    VarS = 'S',
    VarT = 'T',
    VarX = 'X',
    VarY = 'Y',
    VarZ = 'Z',
    Negate = 199,
    Sin = 200,
    Cos = 201,
    Exp = 202,
    Ln = 203,
    ArcTan = 204,
    Tan = 205,
    Sqr = 206,
    Sqrt = 207,
    Abs = 208,
    ArcSin = 209,
    ArcCos = 210,
    Fa = 211,
};

constexpr char ToChar(Opcode code)
{
    return static_cast<char>(code);
}

constexpr Opcode ToOpcode(char c)
{
    return static_cast<Opcode>(static_cast<unsigned char>(c));
}

constexpr bool IsFunction(Opcode code)
{
    return code >= Opcode::Sin && code <= Opcode::Fa;
}

constexpr bool IsInfixOperator(Opcode code)
{
    return code == Opcode::Add || code == Opcode::Subtract || code == Opcode::Multiply
        || code == Opcode::Divide || code == Opcode::Power;
}

constexpr bool IsVariable(Opcode code)
{
    switch (code) {
    case Opcode::VarK:
    case Opcode::VarN:
    case Opcode::VarR:
    case Opcode::VarS:
    case Opcode::VarT:
    case Opcode::VarX:
    case Opcode::VarY:
    case Opcode::VarZ:
        return true;
    default:
        return false;
    }
}

} // namespace expr
