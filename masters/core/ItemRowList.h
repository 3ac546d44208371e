#pragma once

#include "masters/core/ItemRow.h"

#include <vector>

namespace kv::masters {

// The rows of an item list in their order, at most 9999.
class ItemRowList {
public:
    static constexpr int kMaxRows = 9999;

    // Replaces the rows by the items, placeholders left out, and sorts.
    void assign(const std::vector<ItemRecord>& items);
    void setOrder(ItemOrder order);
    ItemOrder order() const { return m_order; }

    const std::vector<ItemRow>& rows() const { return m_rows; }
    int size() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }
    const ItemRow& at(int index) const { return m_rows[size_t(index)]; }

    // Index of the row with the code, or -1.
    int indexOf(int code) const;
    // Updates the row of the code or adds it (unless the list is full), then
    // sorts; the row's new index, -1 when it could not be added.
    int upsert(const ItemRow& row);
    // Removes the row of the code; its former index or -1.
    int remove(int code);

private:
    void sort();

    std::vector<ItemRow> m_rows;
    ItemOrder m_order = ItemOrder::Code;
};

} // namespace kv::masters
