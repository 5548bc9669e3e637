#include "app/core/text/word_typing_distance.h"

#include "app/core/text/typing_distance.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// Random texts of every length up to the limit, from three letters so that matches, changes and
// swapped neighbours are all frequent: the bit vectors give what the table gives.
TEST(WordTypingDistance, IsTheTypingDistanceOfTheTable)
{
    std::mt19937 random(2024);
    const auto text = [&] {
        std::string made(random() % (app::WordTypingDistance::MaxLength + 1), 'a');
        for (char& c : made)
            c = static_cast<char>('a' + random() % 3);
        return made;
    };
    for (int round = 0; round < 3000; ++round) {
        const std::string first = text();
        const std::string other = text();
        SCOPED_TRACE(first + " / " + other);
        EXPECT_EQ(app::WordTypingDistance(first).To(other), app::TypingDistance(first, other));
    }
    for (const auto& [first, other] : { std::pair { "", "abc" }, { "ab", "ba" }, { "abc", "" },
             { "ca", "abc" }, { "\xFF\x80", "\x80\xFF" } })
        EXPECT_EQ(app::WordTypingDistance(first).To(other),
            app::TypingDistance(std::string(first), std::string(other)));
}

} // namespace
