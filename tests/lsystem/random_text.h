#pragma once

#include <random>
#include <string>
#include <string_view>

namespace lsystem {

// A word of 0 to maxLength symbols drawn from `alphabet`, a symbol that it holds more than once
// coming up as much more often.
inline std::string RandomText(std::mt19937& random, int maxLength, std::string_view alphabet)
{
    std::string text(random() % static_cast<unsigned>(maxLength + 1), ' ');
    for (char& c : text)
        c = alphabet[random() % alphabet.size()];
    return text;
}

} // namespace lsystem
