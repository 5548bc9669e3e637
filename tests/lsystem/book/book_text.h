#pragma once

#include "lsystem/book/book_parser.h"
#include "lsystem/book/book_word.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>

namespace book_test {

// A word as the notation writes it, B(2)A(4,4), numbers in the shortest of six digits.
inline std::string Text(const lsystem::book::BookWord& word)
{
    std::ostringstream text;
    for (std::size_t i = 0; i < word.size(); ++i) {
        text << word.symbols[i];
        for (std::size_t a = 0; a < word.CountOf(i); ++a)
            text << (a == 0 ? '(' : ',') << word.ArgumentsOf(i)[a];
        if (word.CountOf(i) > 0)
            text << ')';
    }
    return text.str();
}

// The system, or a test failure naming the parse error.
inline lsystem::book::BookSystem Parsed(std::string_view axiom, std::string_view rules)
{
    lsystem::book::BookParse parse = lsystem::book::ParseBookSystem(axiom, rules);
    EXPECT_TRUE(parse.system.has_value()) << parse.error.Text();
    return parse.system ? std::move(*parse.system) : lsystem::book::BookSystem {};
}

} // namespace book_test
