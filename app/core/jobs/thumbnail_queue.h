#pragma once

#include "app/core/jobs/thumbnail_drawing.h"
#include "app/core/record/panel_fields.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace app {

// The thumbnails of a list of figures, made one after the other in steps of bounded work: the
// figures asked for first (those on screen) before the rest, each one drawn at an order whose walk
// keeps within the thumbnail's budget (ThumbnailCount) so that no figure holds the others up.
class ThumbnailQueue {
public:
    // A figure each; none for an entry that has no fields, which gets no thumbnail.
    explicit ThumbnailQueue(std::vector<std::optional<PanelFields>> figures,
        int size = ThumbnailSize, std::uint64_t symbolBudget = ThumbnailSymbolBudget);
    ~ThumbnailQueue();

    // Works for at most `symbols` symbols on one thumbnail: the first of `preferred` not done
    // yet, else the first not done. Returns the index of the thumbnail that it finished, whose
    // raster() or fault() is then there, or none.
    std::optional<std::size_t> Advance(
        std::uint64_t symbols, std::span<const std::size_t> preferred = {});

    bool done() const { return m_pending == 0; }
    std::size_t size() const { return m_slots.size(); }
    // The finished thumbnail of a figure, while it has one.
    const plane::Raster* raster(std::size_t index) const;
    // Why a figure's thumbnail could not be drawn: its fields' error or its walk's fault.
    const std::string& fault(std::size_t index) const { return m_slots[index].fault; }

private:
    struct Slot {
        std::optional<PanelFields> fields; // dropped once its job is made
        std::unique_ptr<ThumbnailDrawing> job;
        bool done = false;
        std::string fault;
    };

    std::optional<std::size_t> NextIndex(std::span<const std::size_t> preferred);
    void Finish(Slot& slot, std::string fault = {});

    std::vector<Slot> m_slots;
    int m_size;
    std::uint64_t m_symbolBudget;
    std::size_t m_pending = 0;
    std::size_t m_firstPending = 0; // no slot before it is pending
};

} // namespace app
