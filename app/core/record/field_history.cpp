#include "app/core/record/field_history.h"

#include <algorithm>

namespace app {

FieldHistory::FieldHistory(std::size_t limit)
    : m_limit(std::max<std::size_t>(limit, 1))
{
}

void FieldHistory::Record(const PanelFields& before)
{
    m_redo.clear();
    if (!m_undo.empty() && m_undo.back() == before)
        return;
    if (m_undo.size() == m_limit)
        m_undo.erase(m_undo.begin());
    m_undo.push_back(before);
}

std::optional<PanelFields> FieldHistory::Undo(const PanelFields& current)
{
    if (m_undo.empty())
        return std::nullopt;
    PanelFields before = std::move(m_undo.back());
    m_undo.pop_back();
    m_redo.push_back(current);
    return before;
}

std::optional<PanelFields> FieldHistory::Redo(const PanelFields& current)
{
    if (m_redo.empty())
        return std::nullopt;
    PanelFields after = std::move(m_redo.back());
    m_redo.pop_back();
    m_undo.push_back(current);
    return after;
}

} // namespace app
