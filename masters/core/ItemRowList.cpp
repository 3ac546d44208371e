#include "masters/core/ItemRowList.h"

#include <algorithm>

namespace kv::masters {

void ItemRowList::assign(const std::vector<ItemRecord>& items)
{
    m_rows.clear();
    for (const ItemRecord& item : items) {
        if (item.isPlaceholder())
            continue;
        if (size() >= kMaxRows)
            break;
        m_rows.push_back(item.row());
    }
    sort();
}

void ItemRowList::setOrder(ItemOrder order)
{
    m_order = order;
    sort();
}

int ItemRowList::indexOf(int code) const
{
    const auto found = std::find_if(m_rows.begin(), m_rows.end(),
                                    [code](const ItemRow& row) { return row.code == code; });
    return found == m_rows.end() ? -1 : int(found - m_rows.begin());
}

int ItemRowList::upsert(const ItemRow& row)
{
    const int existing = indexOf(row.code);
    if (existing >= 0) {
        m_rows[size_t(existing)] = row;
    } else {
        if (size() >= kMaxRows)
            return -1;
        m_rows.push_back(row);
    }
    sort();
    return indexOf(row.code);
}

int ItemRowList::remove(int code)
{
    const int index = indexOf(code);
    if (index >= 0)
        m_rows.erase(m_rows.begin() + index);
    return index;
}

void ItemRowList::sort()
{
    std::stable_sort(m_rows.begin(), m_rows.end(), [this](const ItemRow& a, const ItemRow& b) {
        return itemRowBefore(a, b, m_order);
    });
}

} // namespace kv::masters
