// The billing of the ledger reports: the closing-day period, the billing
// rule in 64 bits with its bounds, the inclusion options, and the billing
// of a customer range on a real data folder.

#include "data/engine/DayNumber.h"
#include "data/settings/DefaultSettings.h"
#include "data/tables/DataFiles.h"
#include "reports/core/BillingStatements.h"
#include "support/CustomerBuilder.h"
#include "support/LedgerBuilder.h"
#include "support/TempFolder.h"
#include "support/Utf8.h"

#include <gtest/gtest.h>

using namespace kv::reports;
using kv::test::BalanceBuilder;
using kv::test::CustomerBuilder;
using kv::test::LedgerBuilder;
using kv::test::u;

namespace {

ReportPeriod period(QDate first, QDate last)
{
    return ReportPeriod{first, last};
}

kv::data::ToriJnlRow row(QDate date, int kind, int gtot, int nyu = 0, int nyuCho = 0)
{
    kv::data::ToriJnlRow r;
    r.m_Date = kv::data::toDayNumber(date, QTime(12, 0));
    r.m_ToriKbn = kind;
    r.m_GTot = gtot;
    r.m_Nyu = nyu;
    r.m_NyuCho = nyuCho;
    return r;
}

} // namespace

TEST(ClosingPeriod, RunsFromTheDayAfterTheClosingDayOfTheMonthBefore)
{
    EXPECT_EQ(ClosingPeriod::of(2025, 3, 20), period(QDate(2025, 2, 21), QDate(2025, 3, 20)));
    // January reaches back into December of the year before.
    EXPECT_EQ(ClosingPeriod::of(2025, 1, 20), period(QDate(2024, 12, 21), QDate(2025, 1, 20)));
    // 31 closes at the month's end and starts on its first.
    EXPECT_EQ(ClosingPeriod::of(2025, 4, 31), period(QDate(2025, 4, 1), QDate(2025, 4, 30)));
    EXPECT_EQ(ClosingPeriod::of(2025, 5, 31), period(QDate(2025, 5, 1), QDate(2025, 5, 31)));
    EXPECT_EQ(ClosingPeriod::of(2025, 2, 31), period(QDate(2025, 2, 1), QDate(2025, 2, 28)));
    EXPECT_EQ(ClosingPeriod::of(2024, 2, 31), period(QDate(2024, 2, 1), QDate(2024, 2, 29)));
    // A day missing in the month before starts on the closing month's first.
    EXPECT_EQ(ClosingPeriod::of(2025, 3, 30), period(QDate(2025, 3, 1), QDate(2025, 3, 30)));
    EXPECT_EQ(ClosingPeriod::of(2025, 3, 29), period(QDate(2025, 3, 1), QDate(2025, 3, 29)));
    EXPECT_EQ(ClosingPeriod::of(2024, 3, 29), period(QDate(2024, 3, 1), QDate(2024, 3, 29)));
    EXPECT_EQ(ClosingPeriod::of(2024, 3, 30), period(QDate(2024, 3, 1), QDate(2024, 3, 30)));
    // A day missing in the closing month is lowered: 30 in February.
    EXPECT_EQ(ClosingPeriod::of(2025, 2, 30), period(QDate(2025, 1, 31), QDate(2025, 2, 28)));
    EXPECT_FALSE(ClosingPeriod::of(2025, 13, 20));
    EXPECT_FALSE(ClosingPeriod::of(2025, 3, 0));
}

TEST(ClosingPeriod, LedgerFilterTakesTheWholeLastDay)
{
    const ReportPeriod p = period(QDate(2025, 2, 21), QDate(2025, 3, 20));
    EXPECT_EQ(p.ledgerFilter(), QStringLiteral("Date Between #1950/01/01 00:00:00# And #2025/03/20 23:59:59#"));
    EXPECT_LT(p.lastDayNumber() - kv::data::toDayNumber(QDate(2025, 3, 21)), 0.0);
    EXPECT_GT(p.lastDayNumber(), kv::data::toDayNumber(QDate(2025, 3, 20), QTime(23, 59)));
}

TEST(BillingRule, CarryOverReceiptsAndPeriodAmount)
{
    const ReportPeriod march = period(QDate(2025, 2, 21), QDate(2025, 3, 20));
    // KuriZan 10,000, a sale on credit of 5,000 and a receipt of 10,000.
    auto figures = BillingRule::compute(
        10000, {row(QDate(2025, 3, 1), 1, 5000), row(QDate(2025, 3, 5), 2, -10000, 10000)}, march);
    ASSERT_TRUE(figures);
    EXPECT_EQ(*figures, (BillingFigures{10000, 10000, 5000, 5000, 1}));

    // Rows before the period carry over by GTot; a sale paid at once counts
    // whole in the period; an adjustment is received too; rows after the
    // period are not the period's.
    figures = BillingRule::compute(1000,
                                   {row(QDate(2025, 2, 20), 1, 3000), row(QDate(2025, 2, 20), 2, -500, 500),
                                    row(QDate(2025, 2, 21), 0, 2000, 6000, 100),
                                    row(QDate(2025, 3, 20), 2, -700, 600, 100),
                                    row(QDate(2025, 3, 21), 1, 99999)},
                                   march);
    ASSERT_TRUE(figures);
    EXPECT_EQ(figures->carryOver, 3500);
    EXPECT_EQ(figures->receipts, 6800);
    EXPECT_EQ(figures->periodAmount, 8100);
    EXPECT_EQ(figures->billingAmount, 3500 - 6800 + 8100);
    EXPECT_EQ(figures->periodSales, 1);
}

TEST(BillingRule, SumsAre64BitWithinTheirBounds)
{
    const ReportPeriod march = period(QDate(2025, 3, 1), QDate(2025, 3, 31));
    // Each sum at its bound: the billing amount passes what 32 bits hold.
    auto figures = BillingRule::compute(
        999'999'999, {row(QDate(2025, 3, 1), 2, 0, -999'999'999), row(QDate(2025, 3, 2), 1, 999'999'999)},
        march);
    ASSERT_TRUE(figures);
    EXPECT_EQ(figures->billingAmount, 2'999'999'997LL);

    // One yen beyond a bound stops, whichever sum it is.
    EXPECT_FALSE(BillingRule::compute(999'999'999, {row(QDate(2025, 2, 1), 1, 1)}, march));
    EXPECT_FALSE(BillingRule::compute(-999'999'999, {row(QDate(2025, 2, 1), 2, -1)}, march));
    EXPECT_FALSE(BillingRule::compute(0, {row(QDate(2025, 3, 1), 2, 0, 999'999'999, 1)}, march));
    EXPECT_FALSE(BillingRule::compute(
        0, {row(QDate(2025, 3, 1), 1, 999'999'999), row(QDate(2025, 3, 2), 0, 0, 1)}, march));
    // A running sum that passes its bound and comes back still stops.
    EXPECT_FALSE(BillingRule::compute(
        0, {row(QDate(2025, 3, 1), 1, 999'999'999), row(QDate(2025, 3, 2), 1, 1), row(QDate(2025, 3, 3), 1, -5)},
        march));
}

TEST(BillingInclusion, TheTwoOptions)
{
    const BillingFigures none{};
    const BillingFigures salesOnly{0, 0, 0, 0, 1};  // sales that cancel out
    const BillingFigures amountOnly{500, 0, 0, 500, 0};
    const BillingFigures both{0, 0, 500, 500, 1};
    struct Case {
        bool sales, amount;
        std::array<bool, 4> taken; // none, salesOnly, amountOnly, both
    };
    for (const Case& c : {Case{false, false, {false, true, true, true}}, Case{false, true, {false, false, true, true}},
                          Case{true, false, {false, true, false, true}}, Case{true, true, {false, false, false, true}}}) {
        const BillingInclusion inclusion{c.sales, c.amount};
        SCOPED_TRACE(testing::Message() << "Meisai " << c.sales << " Seikyu " << c.amount);
        EXPECT_EQ(inclusion.includes(none), c.taken[0]);
        EXPECT_EQ(inclusion.includes(salesOnly), c.taken[1]);
        EXPECT_EQ(inclusion.includes(amountOnly), c.taken[2]);
        EXPECT_EQ(inclusion.includes(both), c.taken[3]);
    }
}

class BillingOnFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(kv::data::createDataFolderDatabases(folder.path()));
        ASSERT_TRUE(kv::data::writeDefaultSettings(folder.path()));
        ASSERT_TRUE(store.open(folder.path()));
    }
    void customer(int code, const QString& name, const QString& reading, int closingDay, int carried)
    {
        CustomerBuilder(code).name(name).reading(reading).set(&CDaoKokSet::m_Shime2, closingDay).insertInto(store);
        BalanceBuilder(code, carried).insertInto(store);
    }
    std::vector<int> codes(const BillingOutcome& outcome)
    {
        std::vector<int> result;
        for (const CustomerBilling& billing : outcome.customers)
            result.push_back(billing.customer.code);
        return result;
    }

    kv::test::TempFolder folder;
    kv::data::DataStore store;
    BillingRequest request{{}, period(QDate(2025, 2, 21), QDate(2025, 3, 20)), {}, false};
};

TEST_F(BillingOnFolder, BillsTheRangeByTheRuleAndTheClosingDay)
{
    customer(1, u("青木"), u("ｱｵｷ"), 20, 10000);
    customer(2, u("加藤"), u("ｶﾄｳ"), 20, 0);
    customer(3, u("佐藤"), u("ｻﾄｳ"), 25, 700);
    customer(4, u("新規作成中"), u("ｱ"), 20, 800);
    customer(5, u("田中"), u("ｱｱ"), 20, 0);
    LedgerBuilder(1, QDate(2025, 3, 1)).sale(5000).insertInto(store);
    LedgerBuilder(1, QDate(2025, 3, 5)).payment(10000).insertInto(store);
    LedgerBuilder(1, QDate(2025, 3, 21)).sale(40000).insertInto(store);
    LedgerBuilder(2, QDate(2025, 2, 1)).sale(3000).insertInto(store);
    LedgerBuilder(5, QDate(2025, 3, 10)).paidSale(2000, 2000).insertInto(store);
    LedgerBuilder(4, QDate(2025, 3, 10)).sale(2000).insertInto(store);

    request.keepTransactions = true;
    BillingOutcome outcome = BillingStatements::run(store, request);
    ASSERT_TRUE(outcome.ok) << outcome.message.toStdString();
    // 5 has only a sale paid at once: no amount to bill.
    EXPECT_EQ(codes(outcome), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(outcome.customers[0].figures, (BillingFigures{10000, 10000, 5000, 5000, 1}));
    EXPECT_EQ(outcome.customers[0].customer.name, u("青木"));
    EXPECT_EQ(outcome.customers[0].transactions.size(), 2u);
    EXPECT_EQ(outcome.customers[1].figures.billingAmount, 3000);
    EXPECT_TRUE(outcome.customers[1].transactions.empty());
    EXPECT_EQ(outcome.totals().billingAmount, 5000 + 3000 + 700);
    EXPECT_EQ(outcome.pageCount(), 1);

    // Customers who close on the 20th, in reading order, with sales.
    request.customers.closingDay = 20;
    request.customers.order = CustomerSelection::Order::Reading;
    request.inclusion = {true, false};
    outcome = BillingStatements::run(store, request);
    ASSERT_TRUE(outcome.ok) << outcome.message.toStdString();
    EXPECT_EQ(codes(outcome), (std::vector<int>{5, 1}));

    // Only the code range's ledger counts.
    request.customers = CustomerSelection{.codeFrom = 2, .codeTo = 2};
    request.inclusion = {};
    outcome = BillingStatements::run(store, request);
    EXPECT_EQ(codes(outcome), (std::vector<int>{2}));
}

TEST_F(BillingOnFolder, MissingBalanceAndOverflowStopTheReport)
{
    customer(1, u("青木"), u("ｱｵｷ"), 20, 999'999'000);
    CustomerBuilder(2).name(u("加藤")).reading(u("ｶﾄｳ")).insertInto(store);
    BillingOutcome outcome = BillingStatements::run(store, request);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, u("該当残高が存在しません！"));

    BalanceBuilder(2, 0).insertInto(store);
    LedgerBuilder(1, QDate(2025, 1, 5)).sale(1000).insertInto(store);
    outcome = BillingStatements::run(store, request);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, u("オーバーフローが発生しました！\n処理を中止します"));
    EXPECT_TRUE(outcome.customers.empty());
}

TEST_F(BillingOnFolder, PagesHoldEighteenCustomersAndTheTotals)
{
    for (int code = 1; code <= 19; ++code)
        customer(code, u("客"), u("ｷｬｸ"), 0, code * 100);
    request.customers.codeTo = 18;
    EXPECT_EQ(BillingStatements::run(store, request).pageCount(), 1);
    request.customers.codeTo = 19;
    EXPECT_EQ(BillingStatements::run(store, request).pageCount(), 2);
    request.customers.codeFrom = 50;
    EXPECT_EQ(BillingStatements::run(store, request).pageCount(), 0);
}
