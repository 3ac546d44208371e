// The sales analysis on a real data folder: which rows of the ledger and of
// the sales analysis table fall into which slot, the period's bounds, and
// the limits of the sums.

#include "data/engine/DayNumber.h"
#include "data/engine/UnitOfWork.h"
#include "data/settings/DefaultSettings.h"
#include "data/tables/DaoRecordsets.h"
#include "data/tables/DataFiles.h"
#include "data/tables/DataStore.h"
#include "reports/core/SalesByCategory.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace kv::reports;



using kv::data::toDayNumber;

namespace {

using Sources = SalesByCategory::Sources;

class SalesData : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(kv::data::createDataFolderDatabases(folder.path()));
        ASSERT_TRUE(kv::data::writeDefaultSettings(folder.path()));
        ASSERT_TRUE(store.open(folder.path()));
        // A shop's categories, a payment among them.
        const std::pair<const char*, int> categories[] = {
            {"一般整備", 4}, {"車検", 1}, {"６ヶ月点検", 2}, {"１２ヶ月点検", 3}, {"鈑金塗装", 5},
            {"部品販売", 6}, {"保険", 7}, {"車輌販売", 8}, {"その他", 98}, {"入金", 99},
        };
        for (const auto& [name, kind] : categories)
            category(QString::fromUtf8(name), kind);
    }

    kv::data::Connection& db() { return store.mainConnection(); }

    void category(const QString& name, int kind)
    {
        CDaoNyuukoKbnSet set(store.connectionFor(CDaoNyuukoKbnSet::tableDef()));
        ASSERT_TRUE(set.Open());
        ASSERT_TRUE(set.AddNew());
        set.m_NyuukoKbn = name;
        set.m_NyuukoKind = kind;
        ASSERT_TRUE(set.Update());
    }

    // A sale of that category at that moment: parts, labour, other, the
    // expenses split in two, the tax split in two.
    void sale(int categoryCode, const QDateTime& when, int parts, int labour = 0, int other = 0, int costs = 0,
              int tax = 0)
    {
        CDaoToriJnlSet set(store.connectionFor(CDaoToriJnlSet::tableDef()));
        ASSERT_TRUE(set.Open());
        ASSERT_TRUE(set.AddNew());
        set.m_KokCode = 1;
        set.m_Date = toDayNumber(when);
        set.m_NyuukoKbnCode = categoryCode;
        set.m_ToriKbn = 1;
        set.m_Buhin = parts;
        set.m_Koutin = labour;
        set.m_Sonota = other;
        set.m_HikaSyohi = costs - costs / 2;
        set.m_KaSyohi = costs / 2;
        set.m_Zei = tax - tax / 2;
        set.m_SyoZei = tax / 2;
        set.m_Tot = parts + labour + other + costs + tax;
        set.m_GTot = set.m_Tot;
        ASSERT_TRUE(set.Update());
    }

    void reportRow(const QString& name, const QDate& month, double sales, int count = 1)
    {
        CDaoUriBunReportSet set(store.connectionFor(CDaoUriBunReportSet::tableDef()));
        ASSERT_TRUE(set.Open());
        ASSERT_TRUE(set.AddNew());
        set.m_Date = toDayNumber(month);
        set.m_NyuukoKbn = name;
        set.m_Kensu = count;
        set.m_Buhin = sales;
        set.m_UriTot = sales;
        set.m_Tot = sales * 1.1;
        set.m_Zei = sales * 0.1;
        ASSERT_TRUE(set.Update());
    }

    std::vector<SalesCategory> slotted()
    {
        QString error;
        const auto all = SalesByCategory::loadCategories(db(), &error);
        EXPECT_TRUE(all) << error.toStdString();
        return SalesByCategory::slotCategories(all.value_or(std::vector<SalesCategory>{}));
    }

    SalesFigures byCategory(const QDate& first, const QDate& last, Sources sources = Sources::LedgerAndReport)
    {
        QString error;
        const auto figures = SalesByCategory::byCategory(db(), slotted(), first, last, sources, &error);
        EXPECT_TRUE(figures) << error.toStdString();
        return figures.value_or(SalesFigures{});
    }

    kv::test::TempFolder folder;
    kv::data::DataStore store;
};

// The categories of SetUp: 1 一般整備 ... 9 その他, 10 入金 (kind 99).
constexpr int kGeneral = 1, kInspection = 2, kPayment = 10;

} // namespace

TEST_F(SalesData, PaymentCategoriesTakeNoSlotAndTheNextCategoryTakesTheirs)
{
    category(QStringLiteral("新しい区分"), 4); // code 11, after 入金
    const std::vector<SalesCategory> taken = slotted();
    ASSERT_EQ(taken.size(), 10u);
    EXPECT_EQ(taken[8].name, QStringLiteral("その他"));
    EXPECT_EQ(taken[9].name, QStringLiteral("新しい区分"));
    EXPECT_EQ(taken[9].code, 11);

    // Payments add nothing, the category after them fills slot 9.
    const QDateTime day(QDate(2024, 5, 10), QTime(10, 0));
    sale(kPayment, day, 5000);
    sale(11, day, 700);
    const SalesFigures figures = byCategory(QDate(2024, 5, 1), QDate(2024, 5, 31));
    EXPECT_EQ(figures.slot(9).sales, 700);
    EXPECT_EQ(figures.grand().sales, 700);
    EXPECT_EQ(figures.grand().count, 1);

    // Never more than twenty slots.
    for (int i = 0; i < 12; ++i)
        category(QStringLiteral("区分%1").arg(i), 4);
    EXPECT_EQ(slotted().size(), 20u);
    EXPECT_EQ(slotted().back().name, QStringLiteral("区分9"));
}

TEST_F(SalesData, PeriodRunsFromTheFirstDaysStartToTheLastDaysEnd)
{
    sale(kGeneral, QDateTime(QDate(2024, 3, 31), QTime(23, 59, 59)), 1);          // before
    sale(kGeneral, QDateTime(QDate(2024, 4, 1), QTime(0, 0, 0)), 10);             // first moment
    sale(kGeneral, QDateTime(QDate(2025, 3, 31), QTime(23, 59, 59)), 100);        // last moment
    sale(kGeneral, QDateTime(QDate(2025, 4, 1), QTime(0, 0, 0)), 1000);           // after
    sale(kInspection, QDateTime(QDate(2024, 8, 15), QTime(12, 0)), 20000, 30000, 500, 40000, 5050);
    reportRow(QStringLiteral("一般整備"), QDate(2024, 4, 1), 300000, 4);
    reportRow(QStringLiteral("一般整備"), QDate(2025, 4, 1), 999999); // after

    const SalesFigures figures = byCategory(QDate(2024, 4, 1), QDate(2025, 3, 31));
    EXPECT_EQ(figures.slot(0), (SalesMeasures{2 + 4, 300110, 0, 0, 300110, 0, 30000, 330110}));
    EXPECT_EQ(figures.slot(1), (SalesMeasures{1, 20000, 30000, 500, 50500, 40000, 5050, 95550}));
    EXPECT_EQ(figures.grand().sales, 350610);
    EXPECT_EQ(figures.graphTotal(false), 350610);
    EXPECT_EQ(figures.graphTotal(true), 425660);
    EXPECT_EQ(figures.graphValue(1, true), 95550);

    // The list's summary takes the ledger alone.
    EXPECT_EQ(byCategory(QDate(2024, 4, 1), QDate(2025, 3, 31), Sources::Ledger).slot(0).sales, 110);
}

TEST_F(SalesData, OneCategoryByMonthFillsTwelveSlotsFromTheStartMonth)
{
    sale(kInspection, QDateTime(QDate(2023, 4, 1), QTime(0, 0)), 1);
    sale(kInspection, QDateTime(QDate(2023, 4, 30), QTime(23, 59, 59)), 2);
    sale(kInspection, QDateTime(QDate(2024, 2, 29), QTime(18, 0)), 40); // the leap day is February's
    sale(kInspection, QDateTime(QDate(2024, 3, 31), QTime(23, 59, 59)), 500);
    sale(kInspection, QDateTime(QDate(2024, 4, 1), QTime(0, 0)), 6000); // the thirteenth month
    sale(kGeneral, QDateTime(QDate(2023, 6, 1), QTime(9, 0)), 70000);    // another category
    reportRow(QStringLiteral("車検"), QDate(2023, 5, 1), 800000);

    const std::vector<SalesCategory> taken = slotted();
    QString error;
    const auto figures = SalesByCategory::byMonth(db(), taken[1], QDate(2023, 4, 1), Sources::LedgerAndReport,
                                                  &error);
    ASSERT_TRUE(figures) << error.toStdString();
    EXPECT_EQ(figures->slot(0).sales, 3);
    EXPECT_EQ(figures->slot(0).count, 2);
    EXPECT_EQ(figures->slot(1).sales, 800000);
    EXPECT_EQ(figures->slot(2).sales, 0);
    EXPECT_EQ(figures->slot(10).sales, 40);
    EXPECT_EQ(figures->slot(11).sales, 500);
    EXPECT_EQ(figures->grand().sales, 800543);
}

TEST_F(SalesData, SumsBeyondTheLimitStopWithTheOverflowMessage)
{
    // 50 sales of 2,000,000,000: 100,000,000,000 passes the limit only in
    // 64 bits, long after a 32-bit sum would have wrapped.
    for (int i = 0; i < 50; ++i)
        sale(kGeneral, QDateTime(QDate(2024, 5, 1), QTime(10, 0)), 2'000'000'000);
    SalesFigures figures = byCategory(QDate(2024, 5, 1), QDate(2024, 5, 31));
    EXPECT_FALSE(figures.ok());
    EXPECT_EQ(figures.message(), QStringLiteral("オーバーフローが発生しました！\n処理を中止します"));

    // One fewer stays within it.
    SalesFigures below;
    EXPECT_TRUE(below.add(0, SalesMeasures{49, 98'000'000'000, 0, 0, 98'000'000'000, 0, 0, 98'000'000'000}));
    EXPECT_TRUE(below.add(3, SalesMeasures{1, 1'999'999'999, 0, 0, 1'999'999'999, 0, 0, 1'999'999'999}));
    EXPECT_TRUE(below.finish());
    EXPECT_EQ(below.grand().sales, SalesFigures::kLimit);
    // The grand total is bounded too, and negatives alike.
    EXPECT_TRUE(below.add(4, SalesMeasures{1, 1, 0, 0, 1, 0, 0, 1}));
    EXPECT_FALSE(below.finish());
    SalesFigures negative;
    EXPECT_FALSE(negative.add(0, SalesMeasures{1, 0, 0, 0, -SalesFigures::kLimit - 1}));

    // A report row beyond the limit is an overflow, not a rounding.
    reportRow(QStringLiteral("車検"), QDate(2024, 5, 1), 1.0e12);
    figures = byCategory(QDate(2024, 5, 1), QDate(2024, 5, 31), Sources::LedgerAndReport);
    EXPECT_EQ(figures.fault(), SalesFigures::Fault::Overflow);
}

TEST(SalesFigures, AnAdditionToASlotBeyondTheTwentiethStopsWithItsMessageAndNothingMoreIsAdded)
{
    SalesFigures figures;
    EXPECT_TRUE(figures.add(19, SalesMeasures{1, 5, 0, 0, 5, 0, 0, 5}));
    EXPECT_FALSE(figures.add(20, SalesMeasures{}));
    EXPECT_EQ(figures.message(), QStringLiteral("配列が異常です！"));
    EXPECT_FALSE(figures.add(0, SalesMeasures{1, 5, 0, 0, 5, 0, 0, 5}));
    EXPECT_EQ(figures.slot(0).sales, 0);
    EXPECT_FALSE(figures.finish());
    EXPECT_EQ(figures.fault(), SalesFigures::Fault::SlotOutOfRange);
}
