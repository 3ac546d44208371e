// The entry rules of the ledger form: automatic tax in exact integers,
// totals, result, ToriKbn and GTot, and the ranges with their messages.

#include "ledger/core/LedgerEntry.h"

#include "support/Utf8.h"

#include <gtest/gtest.h>

using namespace kv::ledger;
using kv::test::u;

namespace {

kv::data::RoundingSettings taxRounding(double rate, int type, int unit = 0)
{
    kv::data::RoundingSettings settings;
    settings.taxRate = rate;
    settings.tax = {type, unit};
    return settings;
}

LedgerEntry saleOn(int buhin, int koutin)
{
    LedgerEntry entry;
    entry.date = QDate(2026, 12, 1);
    entry.categoryCode = 4;
    entry.categoryKind = 4;
    entry.buhin = buhin;
    entry.koutin = koutin;
    return entry;
}

TEST(LedgerEntryTest, ASaleGetsItsTaxesTotalAndResult)
{
    const auto rounding = taxRounding(0.10, 0);
    LedgerEntry entry = saleOn(12345, 10000);
    entry.kaSyohi = 5000;
    entry.nyu = 10000;
    RememberedAmounts remembered;
    ASSERT_TRUE(entry.recalc(RecalcCause::All, remembered, rounding).ok);
    EXPECT_EQ(entry.zei, 2234);
    EXPECT_EQ(entry.syoZei, 500);
    EXPECT_EQ(entry.tot, 30079);
    EXPECT_EQ(entry.result, 20079);
    const kv::data::ToriJnlRow paid = entry.toRow(1, QTime(9, 30));
    EXPECT_EQ(paid.m_ToriKbn, 0);
    EXPECT_EQ(paid.m_GTot, 20079);
    EXPECT_EQ(paid.m_Tot, 30079);
    EXPECT_EQ(paid.m_DenFlag, 0);

    entry.nyu = 0;
    ASSERT_TRUE(entry.recalc(RecalcCause::Payments, remembered, rounding).ok);
    EXPECT_EQ(entry.result, 30079);
    EXPECT_EQ(entry.toRow(1, QTime(9, 30)).m_ToriKbn, 1) << "a sale without payment";
    EXPECT_EQ(entry.toRow(1, QTime(9, 30)).m_GTot, 30079);
}

TEST(LedgerEntryTest, APaymentLowersTheBalanceAndReadsBackPositive)
{
    LedgerEntry entry = saleOn(5000, 0);
    entry.carCode = 10;
    entry.categoryCode = 10;
    entry.categoryKind = LedgerEntry::kPaymentKind;
    entry.clearSales();
    entry.nyu = 20000;
    RememberedAmounts remembered;
    ASSERT_TRUE(entry.recalc(RecalcCause::All, remembered, taxRounding(0.10, 0)).ok);
    EXPECT_EQ(entry.tot, 0);
    EXPECT_EQ(entry.result, 20000);
    const kv::data::ToriJnlRow row = entry.toRow(1, QTime(10, 0));
    EXPECT_EQ(row.m_ToriKbn, 2);
    EXPECT_EQ(row.m_GTot, -20000);
    EXPECT_EQ(row.m_CarCode, 0);
    const LedgerEntry loaded = LedgerEntry::fromRow(row, LedgerEntry::kPaymentKind);
    EXPECT_EQ(loaded.result, 20000);
    EXPECT_EQ(loaded.date, QDate(2026, 12, 1));
    EXPECT_EQ(loaded.amounts(), entry.amounts());
}

TEST(LedgerEntryTest, ATypedTaxSurvivesUntilItsBaseChanges)
{
    const auto rounding = taxRounding(0.10, 0);
    LedgerEntry entry = saleOn(10000, 0);
    RememberedAmounts remembered;
    ASSERT_TRUE(entry.recalc(RecalcCause::Sales, remembered, rounding).ok);
    EXPECT_EQ(entry.zei, 1000);
    entry.zei = 999;
    ASSERT_TRUE(entry.recalc(RecalcCause::Tax, remembered, rounding).ok);
    ASSERT_TRUE(entry.recalc(RecalcCause::All, remembered, rounding).ok);
    EXPECT_EQ(entry.zei, 999);
    EXPECT_EQ(entry.tot, 10999);
    entry.sonota = 1000;
    ASSERT_TRUE(entry.recalc(RecalcCause::Sales, remembered, rounding).ok);
    EXPECT_EQ(entry.zei, 1100);
    EXPECT_EQ(remembered.sonota, 1000);

    // The same for the tax on the taxable costs.
    entry.kaSyohi = 3000;
    ASSERT_TRUE(entry.recalc(RecalcCause::Costs, remembered, rounding).ok);
    EXPECT_EQ(entry.syoZei, 300);
    entry.syoZei = 1;
    ASSERT_TRUE(entry.recalc(RecalcCause::All, remembered, rounding).ok);
    EXPECT_EQ(entry.syoZei, 1);
}

TEST(LedgerEntryTest, TaxIsRoundedExactlyAndDownwardsOnNegativeAmounts)
{
    struct Case {
        int type, unit, base;
        double rate;
        int zei;
    };
    // -12,345 at 10 % is -1,234.5: down goes towards minus infinity, as
    // the shop's rounding does for a refund.
    const Case cases[] = {
        {0, 0, -12345, 0.10, -1235}, {1, 0, -12345, 0.10, -1234}, {2, 0, -12345, 0.10, -1234},
        {2, 0, -12355, 0.10, -1235}, {0, 1, -12345, 0.10, -1240}, {1, 2, -12345, 0.10, -1200},
        {2, 1, -12345, 0.10, -1230}, {1, 0, 100, 0.07, 7},        {0, 0, 100, 0.07, 7},
        {1, 0, 1000, 0.08, 80},      {2, 0, 12345, 0.10, 1235},   {0, 0, 9999999, 0.10, 999999},
    };
    for (const Case& c : cases) {
        LedgerEntry entry = saleOn(c.base, 0);
        RememberedAmounts remembered;
        ASSERT_TRUE(entry.recalc(RecalcCause::Sales, remembered, taxRounding(c.rate, c.type, c.unit)).ok);
        EXPECT_EQ(entry.zei, c.zei) << c.base << " type " << c.type << " unit " << c.unit;
        EXPECT_EQ(entry.tot, c.base + c.zei);
    }
}

TEST(LedgerEntryTest, FieldsAndSumsOutOfRangeAreRefusedWithTheirMessage)
{
    struct Case {
        const char* message;
        EntryField focus;
        void (*change)(LedgerEntry&);
    };
    const char* amount = "-99,999,999から99,999,999迄の整数を入力してくだい！";
    const char* cost = "-9,999,999から9,999,999迄の整数を入力してくだい！";
    const Case cases[] = {
        {"日付が異常です！\n年月日をよく確認して下さい", EntryField::Date,
         [](LedgerEntry& e) { e.date = QDate(); }},
        {"0から999迄の整数を入力してくだい！", EntryField::Rno, [](LedgerEntry& e) { e.rno = 1000; }},
        {"0から9999迄の整数を入力してくだい！", EntryField::Preno, [](LedgerEntry& e) { e.preno = -1; }},
        {amount, EntryField::Buhin, [](LedgerEntry& e) { e.buhin = 100'000'000; }},
        {amount, EntryField::NyuCho, [](LedgerEntry& e) { e.nyuCho = -100'000'000; }},
        {cost, EntryField::KaSyohi, [](LedgerEntry& e) { e.kaSyohi = 10'000'000; }},
        {cost, EntryField::SyoZei, [](LedgerEntry& e) { e.syoZei = -10'000'000; }},
        {"合計が-99,999,999から99,999,999を\n超えないようにして下さい！", EntryField::Buhin,
         [](LedgerEntry& e) { e.buhin = e.koutin = 50'000'000; }},
        {"入金合計が-99,999,999から99,999,999を\n超えないようにして下さい！", EntryField::Nyu,
         [](LedgerEntry& e) { e.nyu = e.nyuCho = 50'000'000; }},
        {"差引・入金合計が-99,999,999から99,999,999を\n超えないようにして下さい！",
         EntryField::Buhin, [](LedgerEntry& e) {
             e.buhin = 90'000'000;
             e.nyu = -20'000'000;
         }},
    };
    for (const Case& c : cases) {
        LedgerEntry entry = saleOn(0, 0);
        c.change(entry);
        RememberedAmounts remembered;
        const EntryCheck check = entry.recalc(RecalcCause::All, remembered, taxRounding(0.0, 0));
        EXPECT_FALSE(check.ok) << c.message;
        EXPECT_EQ(check.message, u(c.message));
        EXPECT_EQ(check.focus, c.focus) << c.message;
    }
    // The limits themselves pass.
    LedgerEntry edge = saleOn(99'999'999, 0);
    edge.hikaSyohi = -9'999'999;
    edge.koutin = 9'999'999;
    RememberedAmounts remembered;
    EXPECT_TRUE(edge.recalc(RecalcCause::All, remembered, taxRounding(0.0, 0)).ok);
    EXPECT_EQ(edge.tot, 99'999'999);
}

} // namespace
