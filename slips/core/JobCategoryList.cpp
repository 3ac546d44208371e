#include "slips/core/JobCategoryList.h"

namespace kv::slips {

JobCategoryList::JobCategoryList(const std::vector<data::NyuukoKbnRow>& rows)
{
    for (const data::NyuukoKbnRow& row : rows) {
        if (row.m_NyuukoKind == kInsuranceKind || row.m_NyuukoKind == kPaymentKind)
            continue;
        if (size() == kMaxItems)
            break;
        m_items.push_back({row.m_NyuukoKbnCode, row.m_NyuukoKind, row.m_NyuukoKbn});
    }
}

int JobCategoryList::indexOfCode(int code) const
{
    for (int i = 0; i < size(); ++i) {
        if (m_items[size_t(i)].code == code)
            return i;
    }
    return m_items.empty() ? -1 : 0;
}

} // namespace kv::slips
