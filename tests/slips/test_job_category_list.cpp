// The job categories a slip offers.
#include "slips/core/JobCategoryList.h"

#include <gtest/gtest.h>

using kv::slips::JobCategoryList;

TEST(JobCategoryList, SkipsInsuranceAndPaymentsAndStopsAtTwenty)
{
    std::vector<kv::data::NyuukoKbnRow> rows;
    for (int code = 1; code <= 30; ++code) {
        kv::data::NyuukoKbnRow row;
        row.m_NyuukoKbnCode = code;
        row.m_NyuukoKbn = QString::number(code);
        // Every third row is insurance or a payment.
        row.m_NyuukoKind = code % 3 != 0 ? 4 : (code % 2 ? 7 : 99);
        rows.push_back(row);
    }
    const JobCategoryList list(rows);
    ASSERT_EQ(list.size(), JobCategoryList::kMaxItems);
    EXPECT_EQ(list.items().front().code, 1);
    EXPECT_EQ(list.items()[2].code, 4);
    EXPECT_EQ(list.items().back().code, 29);
    EXPECT_EQ(list.items().back().kind, 4);
    EXPECT_EQ(list.indexOfCode(4), 2);
    // A category that is gone or skipped falls back to the first item.
    EXPECT_EQ(list.indexOfCode(3), 0);
    EXPECT_EQ(JobCategoryList().indexOfCode(1), -1);
}
