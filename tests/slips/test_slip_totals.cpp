// The totals of a slip and the ledger row of a delivery note.

#include "slips/core/SaleLedgerRow.h"
#include "slips/core/SlipTotals.h"

#include "support/RecordingMessageGateway.h"

#include <gtest/gtest.h>

using kv::data::SyaheadRow;
using namespace kv::slips;
using Cause = SlipTotals::Cause;

namespace {

kv::data::RoundingSettings tenPercentRoundedDown()
{
    kv::data::RoundingSettings rounding;
    rounding.taxRate = 0.10;
    return rounding;
}

// The inspection of the shop's own example: parts 12,345 less 10 %,
// labour 20,000, the statutory costs and a taxable agency fee.
SyaheadRow inspectionSlip()
{
    SyaheadRow slip;
    slip.m_DenNo = 501;
    slip.m_SeiKokCode = 7;
    slip.m_NyuukoKbnCode = 2;
    slip.m_BuhiMeiTot = 12345;
    slip.m_BuhiNebiPer = 1000;
    slip.m_KouMeiTot = 20000;
    slip.m_Jibai = 17650;
    slip.m_JyuZei = 16400;
    slip.m_Insi = 1800;
    slip.m_Daiko = 10000;
    slip.m_DaikoZeiFlag = 1;
    slip.m_Syo5ZeiFlag = slip.m_Syo6ZeiFlag = 1;
    slip.m_Azu = 10000;
    return slip;
}

TEST(SlipTotals, AFreshTaxReplacesTheStoredOnesOnceAtTheCurrentRate)
{
    kv::test::RecordingMessageGateway messages;
    SyaheadRow slip = inspectionSlip();
    SlipTotals old(tenPercentRoundedDown());
    ASSERT_TRUE(old.recalc(Cause::Everything, slip).ok);
    ASSERT_EQ(slip.m_BuhiKouZei, 3111);

    kv::data::RoundingSettings eight = tenPercentRoundedDown();
    eight.taxRate = 0.08;
    SlipTotals today(eight);
    today.remember(slip);
    ASSERT_TRUE(today.recalc(Cause::Everything, slip).ok);
    EXPECT_EQ(slip.m_BuhiKouZei, 3111) << "the lines did not change";
    today.requireFreshTax();
    ASSERT_TRUE(today.recalc(Cause::Everything, slip).ok);
    EXPECT_EQ(slip.m_BuhiKouZei, 2488);
    EXPECT_EQ(slip.m_SyoZei, 800);
    EXPECT_EQ(slip.m_Tot, 11111 + 20000 + 2488 + 45850 + 800);
    EXPECT_EQ(slip.m_Seikyu, slip.m_Tot - 10000);

    // Once: a tax typed afterwards stays as before.
    slip.m_BuhiKouZei = 2000;
    ASSERT_TRUE(today.recalc(Cause::Everything, slip).ok);
    EXPECT_EQ(slip.m_BuhiKouZei, 2000);
}

TEST(SlipTotals, TheShopsInspectionExample)
{
    kv::test::RecordingMessageGateway messages;
    SyaheadRow slip = inspectionSlip();
    SlipTotals totals(tenPercentRoundedDown());
    ASSERT_TRUE(totals.recalc(Cause::Everything, slip).ok);
    EXPECT_EQ(slip.m_BuhiNebi, 1234);
    EXPECT_EQ(slip.m_BuhiTot, 11111);
    EXPECT_EQ(slip.m_KouTot, 20000);
    EXPECT_EQ(slip.m_BuhiKouTot, 31111);
    EXPECT_EQ(slip.m_BuhiKouZei, 3111);
    EXPECT_EQ(slip.m_SyoTot, 45850);
    EXPECT_EQ(slip.m_SyoZei, 1000);
    EXPECT_EQ(slip.m_Tot, 81072);
    EXPECT_EQ(slip.m_Seikyu, 71072);

    kv::data::RoundingSettings tens = tenPercentRoundedDown();
    tens.billed.unit = 1;
    SyaheadRow again = inspectionSlip();
    SlipTotals byTens(tens);
    ASSERT_TRUE(byTens.recalc(Cause::Everything, again).ok);
    EXPECT_EQ(again.m_Seikyu, 71070);

    kv::data::CarRow car;
    car.m_CarCode = 12;
    car.m_Rikuji = QStringLiteral("品川");
    car.m_Preno = 1234;
    const kv::data::ToriJnlRow row = saleRowOf(slip, &car, 46000.5, QString());
    EXPECT_EQ(row.m_KokCode, 7);
    EXPECT_EQ(row.m_DenFlag, 1);
    EXPECT_EQ(row.m_DenNo, 501);
    EXPECT_EQ(row.m_NyuukoKbnCode, 2);
    EXPECT_EQ(row.m_CarCode, 12);
    EXPECT_EQ(row.m_Preno, 1234);
    EXPECT_EQ(row.m_Buhin, 11111);
    EXPECT_EQ(row.m_Koutin, 20000);
    EXPECT_EQ(row.m_Zei, 3111);
    EXPECT_EQ(row.m_HikaSyohi, 35850);
    EXPECT_EQ(row.m_KaSyohi, 10000);
    EXPECT_EQ(row.m_SyoZei, 1000);
    EXPECT_EQ(row.m_Tot, 81072);
    EXPECT_EQ(row.m_Nyu, 10000);
    EXPECT_EQ(row.m_GTot, 71072);
    EXPECT_EQ(row.m_ToriKbn, 0);
    EXPECT_TRUE(messages.messages().isEmpty());

    // Unticking the agency fee moves it to the non-taxable costs.
    slip.m_DaikoZeiFlag = 0;
    ASSERT_TRUE(totals.recalc(Cause::Costs, slip).ok);
    EXPECT_EQ(slip.m_SyoZei, 0);
    const kv::data::ToriJnlRow unticked = saleRowOf(slip, nullptr, 46000.5, QString());
    EXPECT_EQ(unticked.m_HikaSyohi, 45850);
    EXPECT_EQ(unticked.m_KaSyohi, 0);
    EXPECT_EQ(unticked.m_CarCode, 0) << "a vehicle that is gone leaves no plate";
}

TEST(SlipTotals, APercentageOverridesATypedDiscountOnlyWhenNotZero)
{
    kv::test::RecordingMessageGateway messages;
    SlipTotals totals(tenPercentRoundedDown());
    SyaheadRow slip;
    slip.m_BuhiMeiTot = 10000;
    slip.m_BuhiNebi = 300;
    ASSERT_TRUE(totals.recalc(Cause::PartsDiscount, slip).ok);
    EXPECT_EQ(slip.m_BuhiNebi, 300);
    EXPECT_EQ(slip.m_BuhiTot, 9700);
    slip.m_BuhiNebiPer = 29; // 0.29 %
    ASSERT_TRUE(totals.recalc(Cause::PartsDiscount, slip).ok);
    EXPECT_EQ(slip.m_BuhiNebi, 29);
    // Negative line totals round towards minus infinity when rounded down.
    slip.m_BuhiMeiTot = -1001;
    slip.m_BuhiNebiPer = 1000;
    ASSERT_TRUE(totals.recalc(Cause::Everything, slip).ok);
    EXPECT_EQ(slip.m_BuhiNebi, -101);
    EXPECT_EQ(slip.m_BuhiTot, -900);
    EXPECT_EQ(slip.m_BuhiKouZei, -90);
}

TEST(SlipTotals, ATypedTaxStaysUntilWhatItIsComputedFromChanges)
{
    kv::test::RecordingMessageGateway messages;
    SlipTotals totals(tenPercentRoundedDown());
    SyaheadRow slip;
    slip.m_BuhiMeiTot = 10000;
    slip.m_KouMeiTot = 5000;
    slip.m_KouNebiPer = 1000;
    ASSERT_TRUE(totals.recalc(Cause::Everything, slip).ok);
    ASSERT_EQ(slip.m_BuhiKouZei, 1450);
    slip.m_BuhiKouZei = 1400;
    ASSERT_TRUE(totals.recalc(Cause::Tax, slip).ok);
    ASSERT_TRUE(totals.recalc(Cause::Everything, slip).ok);
    EXPECT_EQ(slip.m_BuhiKouZei, 1400) << "nothing it is computed from changed";
    EXPECT_EQ(slip.m_Tot, 10000 + 4500 + 1400);
    slip.m_KouMeiTot = 6000;
    ASSERT_TRUE(totals.recalc(Cause::Everything, slip).ok);
    EXPECT_EQ(slip.m_BuhiKouZei, 1540) << "a line changed";

    slip.m_Syo5 = 1000;
    slip.m_Syo5ZeiFlag = 1;
    ASSERT_TRUE(totals.recalc(Cause::Costs, slip).ok);
    ASSERT_EQ(slip.m_SyoZei, 100);
    slip.m_SyoZei = 90;
    ASSERT_TRUE(totals.recalc(Cause::Tax, slip).ok);
    ASSERT_TRUE(totals.recalc(Cause::Everything, slip).ok);
    EXPECT_EQ(slip.m_SyoZei, 90);
}

TEST(SlipTotals, SumsBeyondTheLimitsAreRefusedAtTheirField)
{
    kv::test::RecordingMessageGateway messages;
    SlipTotals totals(tenPercentRoundedDown());
    SyaheadRow slip;
    slip.m_BuhiMeiTot = 90'000'000;
    slip.m_Azu = -20'000'000;
    SlipTotals::Outcome outcome = totals.recalc(Cause::Everything, slip);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.focus, TotalsField::Received);
    EXPECT_EQ(outcome.message, SlipTotals::billedRangeMessage());

    slip = SyaheadRow{};
    slip.m_Jibai = 999'999'999;
    slip.m_JyuZei = 1;
    outcome = totals.recalc(Cause::Costs, slip);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.focus, TotalsField::JyuZei);
    EXPECT_EQ(messages.messages().size(), 1) << "the overflow guard told the user";
}

TEST(SlipTotals, TheNoteNamesTheSlipsCustomerInTenBytes)
{
    EXPECT_EQ(noteFor(12, QStringLiteral("山田太郎商店株式会社")), QStringLiteral("12 山田太郎商"));
}

} // namespace
