#pragma once

#include <string_view>

// The evaluator's messages, UTF-8. The compiler's three are written without diacritics and the
// evaluator's with them; the evaluator tells a failed compilation by the exact bytes of the
// compiler's, so "Chybny vyraz" and "Chybný výraz" must stay distinct.
namespace expr {

inline constexpr std::string_view InvalidExpressionMessage = "Chybny vyraz";
inline constexpr std::string_view InvalidNumberMessage = "Chybne cislo";
// An expression whose program would hold more items (numbers, variables and operations) than
// a compiled program has room for: the limit is named, since the text itself may be sound.
inline constexpr std::string_view TooManyItemsMessage = "Prilis dlouhy vyraz: nejvyse 255 polozek";

// Whether a message is one of the compiler's: the compilation failed and nothing is to run.
constexpr bool IsCompilerMessage(std::string_view message)
{
    return message == InvalidExpressionMessage || message == InvalidNumberMessage
        || message == TooManyItemsMessage;
}

inline constexpr std::string_view UnbalancedStackMessage = "Chybný výraz";
inline constexpr std::string_view DivisionByZeroMessage = "Dělení nulou";
inline constexpr std::string_view PowerBaseMessage = "Nepřípustný základ reálné mocniny";
inline constexpr std::string_view LogarithmMessage = "Nepřípustný argument logaritmu";
inline constexpr std::string_view TangentMessage = "Nedefinovaný tangens";
inline constexpr std::string_view SquareRootMessage = "Záporný argument odmocniny";
inline constexpr std::string_view ArcSinMessage = "Nepřípustný argument arcsin";
inline constexpr std::string_view ArcCosMessage = "Nepřípustný argument arccos";
inline constexpr std::string_view FactorialMessage = "Nepřípustný argument faktoriálu";

} // namespace expr
