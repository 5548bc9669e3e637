#pragma once

#include "lsystem/rules/expansion.h"
#include "lsystem/walk/random_generator.h"
#include "lsystem/walk/remembered_direction.h"

#include <array>
#include <atomic>
#include <bit>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace lsystem {

// The angles whose sine and cosine perturb a step, in radians: each of the step's third and sixth
// random values perturbs the heading by (r - 0.5) * amplitude. The walk and its lookahead both
// take them from here, so that their arguments agree bit for bit.
struct PerturbedAngles {
    double x;
    double y;
};
[[gnu::always_inline]] inline PerturbedAngles PerturbedAnglesOf(
    double heading, double r3, double r6, double amplitude)
{
    const double theta = heading * RememberedDirection::DegreesToRadians;
    return { (r3 - 0.5) * amplitude + theta, (r6 - 0.5) * amplitude + theta };
}

// Works out ahead of a perturbed walk, on a thread of its own, the sine and the cosine that each
// of its drawing steps takes: they depend only on the headings and the random values, which
// follow from the word and the generator's state alone, and they are the most part of such a
// step's cost. The walk asks for them step by step and takes them only from a block the thread
// has worked out, for arguments equal to its own, bit for bit, so what it draws cannot differ;
// where the thread is behind, or has stopped at something the walk will fault on, the walk works
// them out itself.
class TrigLookahead {
public:
    // Starts the thread on the word that `count` rewriting steps make of the axiom, walked with
    // `angle` and `amplitude` from a generator in state `seed`; raises std::system_error when no
    // thread can be started.
    TrigLookahead(const RewrittenWord& word, double angle, double amplitude, std::uint32_t seed);
    ~TrigLookahead();
    TrigLookahead(const TrigLookahead&) = delete;
    TrigLookahead& operator=(const TrigLookahead&) = delete;

    // The sine of argX and the cosine of argY for the walk's drawing step `step` (counted from 0,
    // one after another), when worked out already for exactly these arguments.
    [[gnu::always_inline]] bool Take(
        std::uint64_t step, double argX, double argY, double& sine, double& cosine)
    {
        if (step / BlockSteps != m_takingBlock) [[unlikely]]
            MoveToBlock(step / BlockSteps);
        if (m_block != BlockState::Filled) [[unlikely]] {
            if (m_block == BlockState::Passed || !CheckBlock())
                return false;
        }
        const Entry& entry = m_blocks[m_takingBlock % RingBlocks][step % BlockSteps];
        if (entry.argX != std::bit_cast<std::uint64_t>(argX)
            || entry.argY != std::bit_cast<std::uint64_t>(argY))
            return false;
        sine = entry.sine;
        cosine = entry.cosine;
        return true;
    }

private:
    struct Entry {
        std::uint64_t argX; // the arguments' bits
        std::uint64_t argY;
        double sine;
        double cosine;
    };
    // Steps a block holds and blocks the ring holds: the thread hands over and takes back whole
    // blocks, so that the two cores pass cache lines to each other in long runs.
    static constexpr std::uint64_t BlockSteps = 2048;
    static constexpr std::uint64_t RingBlocks = 8;

    class AheadWalk;

    void MoveToBlock(std::uint64_t block);
    // Whether the thread has finished the block the walk takes from; settles m_block once it has.
    bool CheckBlock();
    void WorkAhead(Expansion& expansion);
    // Waits until the block may be written or the lookahead is stopping; false when stopping.
    bool WaitForRoom(std::uint64_t block);

    const double m_angle;
    const double m_amplitude;
    RandomGenerator m_random;
    RewrittenWord m_word;
    std::vector<std::array<Entry, BlockSteps>> m_blocks;
    // Which ring block holds the values of which block: the block's number plus one, written by
    // the thread for a block it worked out before it counts the block finished. A block it only
    // walked through keeps the tag of an older one, so its stale entries are never taken.
    std::array<std::uint64_t, RingBlocks> m_filledFor {};
    // The walk's side: the block it takes from and what the thread has done with it.
    enum class BlockState { Unknown, Filled, Passed };
    std::uint64_t m_takingBlock = 0;
    BlockState m_block = BlockState::Unknown;
    // Blocks the thread has finished, and the first block the walk may still take from.
    alignas(64) std::atomic<std::uint64_t> m_blocksWorked { 0 };
    alignas(64) std::atomic<std::uint64_t> m_blocksWanted { 0 };
    std::atomic<bool> m_stopping { false };
    std::atomic<bool> m_waiting { false };
    std::mutex m_mutex;
    std::condition_variable m_wakeUp;
    std::thread m_thread;
};

} // namespace lsystem
