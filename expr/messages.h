#pragma once

#include <string_view>

// The evaluator's messages, UTF-8. The compiler's two are written without diacritics and the
// evaluator's with them; the evaluator tells a failed compilation by the exact bytes of the
// first two, so "Chybny vyraz" and "Chybný výraz" must stay distinct.
namespace expr {

inline constexpr std::string_view InvalidExpressionMessage = "Chybny vyraz";
inline constexpr std::string_view InvalidNumberMessage = "Chybne cislo";

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
