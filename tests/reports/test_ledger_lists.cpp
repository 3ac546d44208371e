// The lists built on the ledger and on the vehicles, on a real data folder:
// receivables, the ledger of a range, the vehicles due and the referrer
// ranking.

#include "data/engine/DayNumber.h"
#include "data/settings/DefaultSettings.h"
#include "data/tables/DataFiles.h"
#include "reports/core/LedgerList.h"
#include "reports/core/ReceivablesList.h"
#include "reports/core/ReferrerRanking.h"
#include "reports/core/SelectedRows.h"
#include "reports/core/VehicleLists.h"
#include "support/CustomerBuilder.h"
#include "support/LedgerBuilder.h"
#include "support/TempFolder.h"
#include "support/Utf8.h"
#include "support/VehicleBuilder.h"

#include <gtest/gtest.h>

using namespace kv::reports;
using kv::test::BalanceBuilder;
using kv::test::CustomerBuilder;
using kv::test::LedgerBuilder;
using kv::test::u;
using kv::test::VehicleBuilder;

namespace {

class LedgerLists : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(kv::data::createDataFolderDatabases(folder.path()));
        ASSERT_TRUE(kv::data::writeDefaultSettings(folder.path()));
        ASSERT_TRUE(store.open(folder.path()));
    }
    void customer(int code, const QString& name, const QString& reading, int carried, int referrer = 0)
    {
        CustomerBuilder(code).name(name).reading(reading).referrer(referrer).insertInto(store);
        BalanceBuilder(code, carried).insertInto(store);
    }
    std::vector<int> vehicles(const QString& filter, const QString& sort)
    {
        SelectedRows<CDaoCarSet> rows(store, filter, sort);
        EXPECT_TRUE(rows.isOpen()) << rows.lastError().description.toStdString();
        std::vector<int> codes;
        for (int i = 0; i < rows.count(); ++i)
            codes.push_back(rows.at(i)->m_CarCode);
        return codes;
    }

    kv::test::TempFolder folder;
    kv::data::DataStore store;
};

} // namespace

TEST_F(LedgerLists, ReceivablesSumEveryRowThroughTheLastDay)
{
    customer(1, u("青木"), u("ｻ"), 1000);
    customer(2, u("加藤"), u("ｱ"), 0);
    customer(3, u("新規作成中"), u("ｱ"), 50);
    LedgerBuilder(1, QDate(2025, 3, 1)).sale(5000).insertInto(store);
    LedgerBuilder(1, QDate(2025, 3, 31)).payment(2000).insertInto(store);
    LedgerBuilder(1, QDate(2025, 4, 1)).sale(70000).insertInto(store);
    LedgerBuilder(2, QDate(2025, 3, 2)).paidSale(8000, 3000).insertInto(store);

    ReceivablesList list = ReceivablesList::build(store, CustomerSelection::Order::Reading, QDate(2025, 3, 31));
    ASSERT_TRUE(list.ok) << list.message.toStdString();
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[0].customer.code, 2);
    EXPECT_EQ(list.rows[0].balance, 5000);
    EXPECT_EQ(list.rows[1].balance, 4000);
    EXPECT_EQ(list.total(), 9000);
    EXPECT_EQ(list.pageCount(), 1);

    // A balance beyond a balance column stops; so does a missing record.
    LedgerBuilder(2, QDate(2025, 3, 3)).sale(999'999'999).insertInto(store);
    list = ReceivablesList::build(store, CustomerSelection::Order::Code, QDate(2025, 3, 31));
    EXPECT_FALSE(list.ok);
    EXPECT_EQ(list.message, u("オーバーフローが発生しました！\n処理を中止します"));
    CustomerBuilder(4).name(u("佐藤")).insertInto(store);
    EXPECT_EQ(ReceivablesList::build(store, CustomerSelection::Order::Code, QDate(2025, 3, 31)).message,
              u("該当残高が存在しません！"));
}

TEST_F(LedgerLists, LedgerListCarriesTheBalanceIntoThePeriod)
{
    customer(1, u("青木"), u("ｱ"), 1000);
    customer(2, u("加藤"), u("ｲ"), 0);  // nothing to list
    customer(3, u("佐藤"), u("ｳ"), 300); // a balance only
    LedgerBuilder(1, QDate(2025, 2, 10)).sale(500).insertInto(store);
    LedgerBuilder(1, QDate(2025, 3, 1)).sale(5000).insertInto(store);
    LedgerBuilder(1, QDate(2025, 3, 5)).payment(6000).insertInto(store);
    LedgerBuilder(1, QDate(2025, 3, 21)).sale(9).insertInto(store);

    const LedgerList list =
        LedgerList::build(store, CustomerSelection{}, ReportPeriod{QDate(2025, 2, 21), QDate(2025, 3, 20)});
    ASSERT_TRUE(list.ok) << list.message.toStdString();
    ASSERT_EQ(list.lines.size(), 4u);
    EXPECT_FALSE(list.lines[0].row);
    EXPECT_EQ(list.lines[0].balance, 1500);
    EXPECT_EQ(list.lines[1].balance, 6500);
    EXPECT_EQ(list.lines[2].balance, 500);
    EXPECT_EQ(list.customers[list.lines[3].customer].code, 3);
    EXPECT_FALSE(list.lines[3].row);
    EXPECT_EQ(list.lines[3].balance, 300);
}

TEST_F(LedgerLists, VehicleListsNeverTakeEmptyDatesOrPlaceholders)
{
    VehicleBuilder(1).chassis("A").inspectionExpiry(QDate(2025, 3, 31)).insertInto(store);
    VehicleBuilder(2).chassis("B").inspectionExpiry(kv::data::kEmptyDate).insertInto(store);
    VehicleBuilder(3).chassis(u("新規作成中")).inspectionExpiry(QDate(2024, 1, 1)).insertInto(store);
    VehicleBuilder(4).chassis("D").inspectionExpiry(QDate(2025, 4, 1)).insertInto(store);
    VehicleBuilder(5).chassis("E").inspectionExpiry(QDate(2020, 6, 1)).insertInto(store);
    EXPECT_EQ(vehicles(VehicleLists::overdueFilter(QDate(2025, 4, 1)), VehicleLists::overdueSort()),
              (std::vector<int>{5, 1}));

    VehicleBuilder(6).chassis("F").insuranceExpiry(QDate(2025, 5, 31)).set(&CDaoCarSet::m_Homan, kv::data::toDayNumber(QDate(2025, 5, 31), QTime(18, 0))).insertInto(store);
    VehicleBuilder(7).chassis("G").insuranceExpiry(QDate(2025, 6, 1)).insertInto(store);
    VehicleBuilder(8).chassis("H").insuranceExpiry(QDate(2025, 4, 1)).insertInto(store);
    EXPECT_EQ(vehicles(VehicleLists::insuranceFilter(QDate(2025, 4, 1), QDate(2025, 5, 31)),
                       VehicleLists::insuranceSort()),
              (std::vector<int>{8, 6}));

    VehicleBuilder(9).chassis("I").maker(3).model(u("ﾌﾟﾘｳｽ")).firstRegistered(QDate(2015, 5, 1)).insertInto(store);
    VehicleBuilder(10).chassis("J").maker(4).model(u("ﾌﾟﾘｳｽ")).firstRegistered(QDate(2015, 6, 1)).insertInto(store);
    VehicleBuilder(11).chassis("K").maker(3).model(u("ｱｸｱ")).firstRegistered(QDate(2015, 7, 1)).insertInto(store);
    const QDate from(2015, 1, 1), to(2015, 12, 31);
    EXPECT_EQ(vehicles(VehicleLists::firstRegistrationFilter(from, to, 0, {}), VehicleLists::firstRegistrationSort()),
              (std::vector<int>{9, 10, 11}));
    EXPECT_EQ(vehicles(VehicleLists::firstRegistrationFilter(from, to, 3, {}), VehicleLists::firstRegistrationSort()),
              (std::vector<int>{9, 11}));
    EXPECT_EQ(vehicles(VehicleLists::firstRegistrationFilter(from, to, 0, u("ﾌﾟﾘ*")),
                       VehicleLists::firstRegistrationSort()),
              (std::vector<int>{9, 10}));
    EXPECT_EQ(vehicles(VehicleLists::firstRegistrationFilter(from, to, 3, u("ﾌﾟﾘ*")),
                       VehicleLists::firstRegistrationSort()),
              (std::vector<int>{9}));
    // A typed quote stays part of the pattern.
    EXPECT_TRUE(vehicles(VehicleLists::firstRegistrationFilter(from, to, 0, u("\" OR Syasyu Like \"*")),
                         VehicleLists::firstRegistrationSort())
                    .empty());
}

TEST_F(LedgerLists, RankingCountsIntroducedCustomers)
{
    customer(1, u("青木"), u("ｱ"), 0);
    customer(2, u("加藤"), u("ｲ"), 0);
    customer(3, u("佐藤"), u("ｳ"), 0, 2);
    customer(4, u("田中"), u("ｴ"), 0, 2);
    customer(5, u("中村"), u("ｵ"), 0, 1);
    customer(6, u("新規作成中"), u("ｶ"), 0, 1);
    customer(7, u("山田"), u("ｷ"), 0, 9); // a referrer since gone
    customer(8, u("伊藤"), u("ｸ"), 0, 8); // referring itself
    LedgerBuilder(5, QDate(2025, 3, 1)).sale(90000).insertInto(store);
    LedgerBuilder(3, QDate(2025, 3, 1)).paidSale(1000, 1000).insertInto(store);
    LedgerBuilder(4, QDate(2025, 3, 2)).payment(500).insertInto(store);
    LedgerBuilder(5, QDate(2024, 3, 1)).sale(1'000'000).insertInto(store);

    auto codes = [&](const ReferrerRanking::Request& request) {
        const ReferrerRanking ranking = ReferrerRanking::build(store, request);
        EXPECT_TRUE(ranking.ok) << ranking.message.toStdString();
        std::vector<std::pair<int, int>> result;
        for (const auto& row : ranking.rows)
            result.emplace_back(row.referrer.code, row.introduced);
        return result;
    };
    const ReportPeriod year{QDate(2025, 1, 1), QDate(2025, 12, 31)};
    using Order = ReferrerRanking::Order;
    using Ranked = std::vector<std::pair<int, int>>;
    EXPECT_EQ(codes({Order::ByCount, 9999, 1, year}), (Ranked{{2, 2}, {1, 1}}));
    EXPECT_EQ(codes({Order::BySales, 9999, 1, year}), (Ranked{{1, 1}, {2, 2}}));
    EXPECT_EQ(codes({Order::ByCode, 9999, 1, year}), (Ranked{{1, 1}, {2, 2}}));
    EXPECT_EQ(codes({Order::ByCount, 1, 1, year}), (Ranked{{2, 2}}));
    EXPECT_EQ(codes({Order::ByCode, 9999, 2, year}), (Ranked{{2, 2}}));
    const ReferrerRanking bySales = ReferrerRanking::build(store, {Order::BySales, 9999, 1, year});
    EXPECT_EQ(bySales.rows[0].sales, 90000);
    EXPECT_EQ(bySales.rows[1].sales, 1000);
}
