#include "lsystem/panel/trig_lookahead.h"

#include "lsystem/panel/panel_command_lookup.h"
#include "lsystem/panel/symbols.h"
#include "lsystem/walk/branch_limit.h"

#include <bit>
#include <cmath>

namespace lsystem {

namespace {

// Symbols the thread walks between two looks at whether it should stop.
constexpr std::uint64_t SymbolsPerLook = 4096;

} // namespace

TrigLookahead::TrigLookahead(
    const RewrittenWord& word, double angle, double amplitude, std::uint32_t seed)
    : m_angle(angle)
    , m_amplitude(amplitude)
    , m_random(seed)
    , m_word(word)
    , m_blocks(RingBlocks)
{
    m_thread = std::thread([this] {
        try {
            Expansion expansion(m_word);
            WorkAhead(expansion);
        } catch (...) {
            // Out of memory for its own branches: the walk works everything out itself.
        }
    });
}

TrigLookahead::~TrigLookahead()
{
    m_stopping.store(true, std::memory_order_seq_cst);
    {
        const std::lock_guard lock(m_mutex);
        m_wakeUp.notify_all();
    }
    m_thread.join();
}

void TrigLookahead::MoveToBlock(std::uint64_t block)
{
    m_takingBlock = block;
    m_block = BlockState::Unknown;
    // The blocks before are done with; a thread that is behind skips to this one.
    m_blocksWanted.store(block, std::memory_order_seq_cst);
    if (m_waiting.load(std::memory_order_seq_cst)) {
        const std::lock_guard lock(m_mutex);
        m_wakeUp.notify_all();
    }
}

bool TrigLookahead::CheckBlock()
{
    if (m_takingBlock >= m_blocksWorked.load(std::memory_order_acquire))
        return false;
    // The thread tags a block it filled before it counts the block finished, and cannot write
    // this ring block again before the walk moves on.
    m_block = m_filledFor[m_takingBlock % RingBlocks] == m_takingBlock + 1 ? BlockState::Filled
                                                                           : BlockState::Passed;
    return m_block == BlockState::Filled;
}

bool TrigLookahead::WaitForRoom(std::uint64_t block)
{
    const auto ready = [&] {
        return m_stopping.load(std::memory_order_seq_cst)
            || block < m_blocksWanted.load(std::memory_order_seq_cst) + RingBlocks;
    };
    if (!ready()) {
        std::unique_lock lock(m_mutex);
        m_waiting.store(true, std::memory_order_seq_cst);
        m_wakeUp.wait(lock, ready);
        m_waiting.store(false, std::memory_order_relaxed);
    }
    return !m_stopping.load(std::memory_order_relaxed);
}

// Walks the word as the turtle does, keeping only what the arguments need: the heading, the
// headings saved by open branches and the generator. It stops where the walk would fault.
class TrigLookahead::AheadWalk {
public:
    explicit AheadWalk(TrigLookahead& lookahead)
        : m_lookahead(lookahead)
    {
    }

    [[gnu::always_inline]] void operator()(char symbol) { Walk(symbol); }
    [[gnu::always_inline]] void operator()(const char*& next, const char*) { Walk(*next++); }

    bool stopped() const { return m_stopped; }
    std::uint64_t steps() const { return m_step; }

    // Tags the block if it was worked out and publishes it, with its entries, to the walk.
    void FinishBlock(std::uint64_t index)
    {
        if (m_workingBlock)
            m_lookahead.m_filledFor[index % RingBlocks] = index + 1;
        m_lookahead.m_blocksWorked.store(index + 1, std::memory_order_release);
    }

    // The symbols' meanings, as far as the headings need them.
    void EndRun() { }
    void Move() { }
    void TurnLeft() { Turn(m_heading - m_lookahead.m_angle); }
    void TurnRight() { Turn(m_heading + m_lookahead.m_angle); }
    void OpenBranch()
    {
        if (m_saved.size() == MaxBranchDepth)
            m_stopped = true;
        else
            m_saved.push_back(m_heading);
    }
    void CloseBranch()
    {
        if (!m_saved.empty()) {
            m_heading = m_saved.back();
            m_saved.pop_back();
        }
    }

    [[gnu::always_inline]] void Step()
    {
        TrigLookahead& lookahead = m_lookahead;
        if (m_step % BlockSteps == 0) {
            const std::uint64_t index = m_step / BlockSteps;
            if (index > 0)
                FinishBlock(index - 1);
            if (!lookahead.WaitForRoom(index)) {
                m_stopped = true;
                return;
            }
            m_block = lookahead.m_blocks[index % RingBlocks].data();
            // A block the walk has already begun it works out itself, so this one is only
            // walked through: the thread is behind and catches up the faster.
            m_workingBlock = index > lookahead.m_blocksWanted.load(std::memory_order_relaxed);
        }
        // Of the step's six random values, the third and the sixth perturb its angles.
        if (m_workingBlock) {
            const double amplitude = lookahead.m_amplitude;
            const PerturbedAngles angles = PerturbedAnglesOf(
                m_heading, lookahead.m_random.Peek<3>(), lookahead.m_random.Peek<6>(), amplitude);
            m_block[m_step % BlockSteps] = { std::bit_cast<std::uint64_t>(angles.x),
                std::bit_cast<std::uint64_t>(angles.y), std::sin(angles.x), std::cos(angles.y) };
        }
        lookahead.m_random.Skip<6>();
        ++m_step;
    }

private:
    [[gnu::always_inline]] void Walk(char symbol)
    {
        if (!m_stopped)
            WalkCommand(m_commandOf(symbol), *this);
    }

    // The walk faults on a heading that is not finite.
    void Turn(double heading)
    {
        m_heading = heading;
        m_stopped = !std::isfinite(heading);
    }

    TrigLookahead& m_lookahead;
    const PanelCommandLookup m_commandOf;
    double m_heading = 0.0;
    std::vector<double> m_saved;
    std::uint64_t m_step = 0;
    Entry* m_block = nullptr;
    bool m_workingBlock = false;
    bool m_stopped = false;
};

void TrigLookahead::WorkAhead(Expansion& expansion)
{
    AheadWalk walk(*this);
    while (!walk.stopped() && !m_stopping.load(std::memory_order_relaxed)) {
        std::uint64_t symbols = SymbolsPerLook;
        std::uint64_t work = SymbolsPerLook;
        if (expansion.Hand(symbols, work, walk)) {
            // The word's end: its last block, full or not, is finished too.
            if (!walk.stopped() && walk.steps() != 0)
                walk.FinishBlock((walk.steps() - 1) / BlockSteps);
            return;
        }
    }
}

} // namespace lsystem
