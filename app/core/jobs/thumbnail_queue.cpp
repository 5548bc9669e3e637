#include "app/core/jobs/thumbnail_queue.h"

#include <exception>

namespace app {

ThumbnailQueue::ThumbnailQueue(
    std::vector<std::optional<PanelFields>> figures, int size, std::uint64_t symbolBudget)
    : m_size(size)
    , m_symbolBudget(symbolBudget)
{
    m_slots.resize(figures.size());
    for (std::size_t i = 0; i < figures.size(); ++i) {
        m_slots[i].fields = std::move(figures[i]);
        m_slots[i].done = !m_slots[i].fields;
        m_pending += m_slots[i].done ? 0 : 1;
    }
}

ThumbnailQueue::~ThumbnailQueue() = default;

const plane::Raster* ThumbnailQueue::raster(std::size_t index) const
{
    const Slot& slot = m_slots[index];
    return slot.done && slot.job ? &slot.job->raster() : nullptr;
}

std::optional<std::size_t> ThumbnailQueue::NextIndex(std::span<const std::size_t> preferred)
{
    for (const std::size_t index : preferred) {
        if (index < m_slots.size() && !m_slots[index].done)
            return index;
    }
    while (m_firstPending < m_slots.size() && m_slots[m_firstPending].done)
        ++m_firstPending;
    if (m_firstPending == m_slots.size())
        return std::nullopt;
    return m_firstPending;
}

void ThumbnailQueue::Finish(Slot& slot, std::string fault)
{
    slot.done = true;
    slot.fault = std::move(fault);
    if (!slot.fault.empty())
        slot.job.reset();
    --m_pending;
}

std::optional<std::size_t> ThumbnailQueue::Advance(
    std::uint64_t symbols, std::span<const std::size_t> preferred)
{
    const std::optional<std::size_t> index = NextIndex(preferred);
    if (!index)
        return std::nullopt;
    Slot& slot = m_slots[*index];
    try {
        if (!slot.job) {
            slot.job = std::make_unique<ThumbnailDrawing>(*slot.fields, m_size, m_symbolBudget);
            slot.fields.reset();
        }
        if (!slot.job->Advance(symbols))
            return std::nullopt;
        Finish(slot);
    } catch (const std::exception& error) {
        Finish(slot, error.what());
    }
    return index;
}

} // namespace app
