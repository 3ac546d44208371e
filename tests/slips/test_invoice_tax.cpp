// The tax of an invoice issuer's slip: rounded once over parts, labour and
// the taxable costs, split into the two stored fields, and carried to the
// ledger row.
#include "slips/core/SaleLedgerRow.h"
#include "slips/core/SlipTotals.h"

#include "support/RecordingMessageGateway.h"

#include <gtest/gtest.h>

using kv::data::SyaheadRow;
using namespace kv::slips;
using Cause = SlipTotals::Cause;
using Rounding = SlipTotals::TaxRounding;

namespace {

kv::data::RoundingSettings tenPercent(int mode, int unit = 0)
{
    kv::data::RoundingSettings rounding;
    rounding.taxRate = 0.10;
    rounding.tax = {mode, unit};
    return rounding;
}

// Parts and labour 12,345 after a discount, 5,005 of taxable costs beside
// 16,400 of weight tax: 10 % of each is 1,234.5 and 500.5.
SyaheadRow splitHalves()
{
    SyaheadRow slip;
    slip.m_BuhiMeiTot = 2400;
    slip.m_BuhiNebi = 55;
    slip.m_KouMeiTot = 10000;
    slip.m_JyuZei = 16400;
    slip.m_Daiko = 5000;
    slip.m_DaikoZeiFlag = 1;
    slip.m_Syo5 = 5;
    slip.m_Syo5ZeiFlag = 1;
    slip.m_Syo6 = 300;
    slip.m_Syo6ZeiFlag = 0;
    return slip;
}

int taxOf(const SyaheadRow& slip) { return slip.m_BuhiKouZei + slip.m_SyoZei; }

} // namespace

TEST(InvoiceTax, OneRoundingPerRateInEveryMode)
{
    kv::test::RecordingMessageGateway messages;
    const struct {
        int mode;
        int unit;
        int once;      // rounding of 1,735.0
        int partsShare; // rounding of 1,234.5
        int twice;     // the two roundings added
    } cases[] = {
        {0, 0, 1735, 1234, 1734}, // 切り捨て
        {1, 0, 1735, 1235, 1736}, // 切り上げ
        {2, 0, 1735, 1235, 1736}, // 四捨五入
        {0, 1, 1730, 1230, 1730}, // 切り捨て, １０円未満
        {1, 1, 1740, 1240, 1750}, // 切り上げ, １０円未満
    };
    for (const auto& c : cases) {
        SyaheadRow once = splitHalves();
        SlipTotals issuer(tenPercent(c.mode, c.unit), Rounding::OncePerRate);
        ASSERT_TRUE(issuer.recalc(Cause::Everything, once).ok);
        EXPECT_EQ(once.m_BuhiKouTot, 12345);
        EXPECT_EQ(taxOf(once), c.once) << c.mode << "/" << c.unit;
        EXPECT_EQ(once.m_BuhiKouZei, c.partsShare) << c.mode << "/" << c.unit;
        EXPECT_EQ(once.m_Tot, 12345 + 16400 + 5005 + 300 + c.once);

        // The ledger row carries the same tax, in the same two columns.
        const kv::data::ToriJnlRow row = saleRowOf(once, nullptr, 46000.5, QString());
        EXPECT_EQ(row.m_Zei + row.m_SyoZei, c.once);
        EXPECT_EQ(row.m_KaSyohi, 5005);
        EXPECT_EQ(row.m_Tot, once.m_Tot);

        SyaheadRow twice = splitHalves();
        SlipTotals shop(tenPercent(c.mode, c.unit));
        ASSERT_TRUE(shop.recalc(Cause::Everything, twice).ok);
        EXPECT_EQ(taxOf(twice), c.twice) << c.mode << "/" << c.unit;
    }
}

TEST(InvoiceTax, EitherPartChangesTheOneFigureAndATypedTaxStillWins)
{
    kv::test::RecordingMessageGateway messages;
    SyaheadRow slip = splitHalves();
    SlipTotals totals(tenPercent(0), Rounding::OncePerRate);
    ASSERT_TRUE(totals.recalc(Cause::Everything, slip).ok);
    ASSERT_EQ(taxOf(slip), 1735);

    // Five yen less of lines: 10 % of 17,345 is 1,734.5.
    slip.m_BuhiMeiTot = 2395;
    ASSERT_TRUE(totals.recalc(Cause::Everything, slip).ok);
    EXPECT_EQ(taxOf(slip), 1734);
    EXPECT_EQ(slip.m_BuhiKouZei, 1234);

    // A negative free item enters the total before the rounding.
    slip.m_Syo5 = -345;
    ASSERT_TRUE(totals.recalc(Cause::Costs, slip).ok);
    EXPECT_EQ(taxOf(slip), 1699); // 10 % of 16,995

    slip.m_BuhiKouZei = 1000;
    ASSERT_TRUE(totals.recalc(Cause::Tax, slip).ok);
    slip.m_Daiko = 6000;
    ASSERT_TRUE(totals.recalc(Cause::Costs, slip).ok);
    EXPECT_EQ(slip.m_BuhiKouZei, 1000);
    EXPECT_EQ(slip.m_SyoZei, 1799 - 1234); // 10 % of 17,995 less the parts' share
    slip.m_SyoZei = 7;
    ASSERT_TRUE(totals.recalc(Cause::Everything, slip).ok);
    EXPECT_EQ(slip.m_SyoZei, 7);
    EXPECT_EQ(slip.m_Tot, 12340 + 16400 + 5655 + 300 + 1000 + 7);
}

TEST(InvoiceTax, ASlipRecordedBeforeKeepsItsFiguresUntilItIsModified)
{
    kv::test::RecordingMessageGateway messages;
    SyaheadRow slip = splitHalves();
    SlipTotals before(tenPercent(0));
    ASSERT_TRUE(before.recalc(Cause::Everything, slip).ok);
    ASSERT_EQ(taxOf(slip), 1734);

    SlipTotals issuer(tenPercent(0), Rounding::OncePerRate);
    issuer.remember(slip);
    ASSERT_TRUE(issuer.recalc(Cause::Everything, slip).ok);
    EXPECT_EQ(taxOf(slip), 1734);
    EXPECT_EQ(slip.m_SyoZei, 500);

    slip.m_KouMeiTot = 10010;
    ASSERT_TRUE(issuer.recalc(Cause::Everything, slip).ok);
    EXPECT_EQ(taxOf(slip), 1736); // 10 % of 17,360
}
