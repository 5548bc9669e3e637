#include "lsystem/panel/trig_lookahead.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <thread>

namespace lsystem {
namespace {

// The walk is in its first block before the thread can have begun it, so the thread only walks
// through that block and never fills it. Whatever the thread's pace, no value may come from the
// block's entries that were never written, though their zeros look like arguments +0 and +0.
TEST(TrigLookahead, NoValueFromABlockTheThreadOnlyWalkedThrough)
{
    // Every step at heading 0 with the perturbations rounded away: arguments +0 and +0.
    TrigLookahead lookahead({ "F", "FF", "", 17, {}, 0 }, 0.0, 5e-324, 7);
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    for (std::uint64_t step = 0; std::chrono::steady_clock::now() < until;
         step = (step + 1) % 2048) {
        double sine = 2.0, cosine = 2.0;
        if (lookahead.Take(step, 0.0, 0.0, sine, cosine)) {
            EXPECT_EQ(sine, std::sin(0.0));
            EXPECT_EQ(cosine, std::cos(0.0));
            return;
        }
        std::this_thread::yield();
    }
}

} // namespace
} // namespace lsystem
