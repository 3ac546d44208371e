#pragma once

#include "data/tables/DataStore.h"

#include <QString>

#include <optional>

namespace kv::reports {

// The rows of one table a report selects, reached by their place in the
// selection's order: the pages of a printout ask for them one by one (and a
// preview jumps back and forth), so the cursor steps from where it stands
// and no row is held beyond the one asked for.
template <class Set>
class SelectedRows {
public:
    using Row = typename Set::Row;

    SelectedRows(data::DataStore& store, const QString& filter, const QString& sort)
        : m_set(store.connectionFor(Set::tableDef()))
    {
        m_open = m_set.OpenWhere(filter, sort);
        m_position = m_open && m_set.GetRecordCount() > 0 ? 0 : -1;
    }

    // False with the engine's message in lastError() when the filter could
    // not be applied.
    bool isOpen() const { return m_open; }
    const data::EngineError& lastError() const { return m_set.lastError(); }
    int count() const { return m_open ? int(m_set.GetRecordCount()) : 0; }

    // The row at index (0-based); none outside the selection or when the
    // row has gone since the selection was made.
    std::optional<Row> at(int index)
    {
        if (index < 0 || index >= count())
            return std::nullopt;
        if (m_position < 0 || index < m_position / 2) {
            if (!m_set.MoveFirst())
                return std::nullopt;
            m_position = 0;
        }
        while (m_position < index && m_set.MoveNext())
            ++m_position;
        while (m_position > index && m_set.MovePrev())
            --m_position;
        if (m_position != index || m_set.IsEOF() || m_set.IsDeleted())
            return std::nullopt;
        return m_set.row();
    }

private:
    Set m_set;
    bool m_open = false;
    int m_position = -1;
};

} // namespace kv::reports
