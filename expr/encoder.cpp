#include "expr/encoder.h"

#include "expr/ascii_case.h"
#include "expr/messages.h"

#include <algorithm>

namespace expr {
namespace {

constexpr bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

constexpr bool IsDigitOrStop(char c)
{
    return IsDigit(c) || c == '.';
}

constexpr bool IsOperatorSign(char c)
{
    return c == '+' || c == '-' || c == '*' || c == '/' || c == '^';
}

// After normalisation only the letters of the function names, PI and the variables remain.
constexpr bool IsLetter(char c)
{
    return c >= 'A' && c <= 'Z';
}

constexpr bool IsAllowed(char c)
{
    constexpr std::string_view letters = "ABCEFIKLNOPQRSTXYZ";
    constexpr std::string_view signs = "()*+-./^";
    return IsDigit(c) || letters.find(c) != std::string_view::npos
        || signs.find(c) != std::string_view::npos;
}

// Upper-cases a to z, reads a comma as a full stop; false at the first character that is
// not allowed. Bytes above 127 are never allowed, so no code page is involved.
bool Normalise(std::string& text)
{
    for (char& c : text) {
        c = AsciiUpper(c);
        if (c == ',')
            c = '.';
        if (!IsAllowed(c))
            return false;
    }
    return true;
}

std::size_t LetterRunLength(std::string_view text, std::size_t start)
{
    const auto end = std::find_if_not(text.begin() + start, text.end(), IsLetter);
    return static_cast<std::size_t>(end - text.begin()) - start;
}

const FunctionName* FindFunction(std::string_view run)
{
    const auto found = std::find_if(FunctionNames.begin(), FunctionNames.end(),
        [run](const FunctionName& name) { return name.Text == run; });
    return found == FunctionNames.end() ? nullptr : &*found;
}

constexpr bool IsVariableLetter(char c)
{
    return IsVariable(ToOpcode(c));
}

// A run of letters is one variable, PI, or a function name directly followed by "(".
bool IsAcceptedRun(std::string_view text, std::size_t start, std::size_t length)
{
    const std::string_view run = text.substr(start, length);
    if (length == 1)
        return IsVariableLetter(run[0]);
    if (run == "PI")
        return true;
    const std::size_t next = start + length;
    return FindFunction(run) != nullptr && next < text.size() && text[next] == '(';
}

// The syntax checks on a normalised text. Bracket order is left to the compiler; only the
// counts must agree here.
bool Scan(std::string_view text)
{
    std::size_t opened = 0;
    std::size_t closed = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        const bool hasNext = i + 1 < text.size();
        if (c == '(') {
            ++opened;
        } else if (c == ')') {
            ++closed;
        } else if (IsOperatorSign(c)) {
            if (hasNext && (text[i + 1] == ')' || IsOperatorSign(text[i + 1])))
                return false;
        } else if (c == '.') {
            if (i == 0 || !IsDigitOrStop(text[i - 1]) || !hasNext || !IsDigitOrStop(text[i + 1]))
                return false;
        } else if (IsLetter(c)) {
            const std::size_t length = LetterRunLength(text, i);
            if (!IsAcceptedRun(text, i, length))
                return false;
            i += length;
            continue;
        }
        ++i;
    }
    return opened == closed;
}

// Encodes a text that Scan accepted.
std::string Encode(std::string_view text)
{
    std::string encoded;
    encoded.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        const bool unaryPlace = i == 0 || text[i - 1] == '(';
        if (IsLetter(c)) {
            const std::size_t length = LetterRunLength(text, i);
            const std::string_view run = text.substr(i, length);
            if (const FunctionName* function = FindFunction(run))
                encoded += ToChar(function->Code);
            else if (run == "PI")
                encoded += ToChar(Opcode::Pi);
            else
                encoded += run;
            i += length;
            continue;
        }
        if (c == '-' && unaryPlace)
            encoded += ToChar(Opcode::Negate);
        else if (!(c == '+' && unaryPlace))
            encoded += c;
        ++i;
    }
    return encoded;
}

} // namespace

std::string EncodeExpression(std::string_view text)
{
    std::string normalised(text);
    if (normalised.empty() || !Normalise(normalised) || !Scan(normalised))
        return std::string(InvalidExpressionMessage);
    return Encode(normalised);
}

} // namespace expr
