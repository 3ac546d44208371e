#pragma once

#include "data/tables/TableRows.h"

#include <QString>

#include <vector>

namespace kv::slips {

// One item of the header's job-category list.
struct JobCategory {
    int code = 0; // NyuukoKbnCode
    int kind = 0; // NyuukoKind
    QString name;
};

// The job categories a slip may take: the table's rows in their order
// without insurance (7) and payment (99) rows, which are no repair jobs,
// and at most 20 of them.
class JobCategoryList {
public:
    static constexpr int kMaxItems = 20;
    static constexpr int kInsuranceKind = 7;
    static constexpr int kPaymentKind = 99;

    JobCategoryList() = default;
    explicit JobCategoryList(const std::vector<data::NyuukoKbnRow>& rows);

    const std::vector<JobCategory>& items() const { return m_items; }
    int size() const { return int(m_items.size()); }
    // The index of the item with the code; 0 (the first item) when none has
    // it, -1 when the list is empty.
    int indexOfCode(int code) const;

private:
    std::vector<JobCategory> m_items;
};

} // namespace kv::slips
