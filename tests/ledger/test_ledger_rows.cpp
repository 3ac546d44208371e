// The ledger list: its texts, its order and the running balance from the
// carried-forward balance, in 64 bits.

#include "ledger/core/LedgerAmounts.h"
#include "ledger/core/LedgerRows.h"

#include "common/KVCommon.h"
#include "data/engine/DayNumber.h"
#include "support/RecordingMessageGateway.h"
#include "support/Utf8.h"

#include <gtest/gtest.h>

#include <limits>

using namespace kv::ledger;
using kv::test::u;

namespace {

std::vector<kv::slips::JobCategory> categories()
{
    return {{4, 4, u("一般整備")}, {10, 99, u("入金")}};
}

kv::data::ToriJnlRow row(int id, QDate date, int gtot, int category = 4)
{
    kv::data::ToriJnlRow r;
    r.m_ID = id;
    r.m_KokCode = 1;
    r.m_Date = kv::data::toDayNumber(date, QTime(12, 0));
    r.m_NyuukoKbnCode = category;
    r.m_GTot = gtot;
    return r;
}

QStringList column(const LedgerRows& rows, LedgerColumn which)
{
    QStringList texts;
    for (const LedgerLine& line : rows.lines())
        texts << line.text(which);
    return texts;
}

TEST(LedgerAmountsTest, GroupingAgreesWithKanmaAndGoesBeyondInt)
{
    for (int value : {0, 7, 999, 1000, -1000, 123456, -9999999, 999999999, -99999999}) {
        QString kanma;
        Kanma(kanma, value);
        EXPECT_EQ(groupedAmount(value), kanma) << value;
    }
    EXPECT_EQ(groupedAmount(5'000'000'000LL), "5,000,000,000");
    EXPECT_EQ(groupedAmount(std::numeric_limits<qint64>::min()), "-9,223,372,036,854,775,808");

    EXPECT_EQ(amountFromText("1,234"), 1234);
    EXPECT_EQ(amountFromText(" -999,999,999 "), -999'999'999);
    EXPECT_EQ(amountFromText("1,000,000,000"), 1'000'000'000);
    EXPECT_EQ(amountFromText("+12"), 12);
    for (const char* refused : {"", "-", "12a", "1.5", "１２", "1234567890123456789"})
        EXPECT_FALSE(amountFromText(u(refused))) << refused;
}

TEST(LedgerRowsTest, TheListShowsEachRowAndItsBalance)
{
    kv::data::ToriJnlRow sale = row(1, QDate(2026, 12, 1), 20079);
    sale.m_Buhin = 12345;
    sale.m_Koutin = 10000;
    sale.m_Zei = 2234;
    sale.m_KaSyohi = 5000;
    sale.m_SyoZei = 500;
    sale.m_Tot = 30079;
    sale.m_Nyu = 10000;
    sale.m_DenFlag = 1;
    sale.m_DenNo = 7;
    sale.m_Tekiyo = u("オイル交換");
    kv::data::ToriJnlRow payment = row(2, QDate(2026, 12, 2), -20000, 10);
    payment.m_Nyu = 20000;
    payment.m_DenNo = 8; // a slip row that was unlinked
    kv::data::ToriJnlRow unknown = row(3, QDate(2026, 12, 3), 0, 55);
    unknown.m_Date = kv::data::kEmptyDate;

    const LedgerRows rows(5000, {sale, payment}, categories());
    ASSERT_EQ(rows.lines().size(), 2u);
    const LedgerLine& first = rows.lines()[0];
    const QStringList expected{u("26/12/01"), u("000007"), u("一般整備"), u("12,345"), u("10,000"),
                               u("0"), u("2,234"), u("5,500"), u("30,079"), u("10,000"),
                               u("20,079"), u("25,079"), u("オイル交換")};
    EXPECT_EQ(QStringList(first.texts.begin(), first.texts.end()), expected);
    EXPECT_EQ(first.linkedSlip, 7);
    EXPECT_EQ(column(rows, LedgerColumn::SlipNo), (QStringList{"000007", "(000008)"}));
    EXPECT_EQ(column(rows, LedgerColumn::Payments), (QStringList{"10,000", "20,000"}));
    EXPECT_EQ(column(rows, LedgerColumn::Result), (QStringList{"20,079", "-20,000"}));
    EXPECT_EQ(column(rows, LedgerColumn::Balance), (QStringList{"25,079", "5,079"}));
    EXPECT_EQ(rows.lines()[1].linkedSlip, 0);
    EXPECT_EQ(rows.indexOfSlip(7), 0);
    EXPECT_EQ(rows.indexOfSlip(8), -1) << "an unlinked row is found by no slip";

    const LedgerLine odd = rows.lineOf(unknown);
    EXPECT_TRUE(odd.text(LedgerColumn::Date).isEmpty());
    EXPECT_TRUE(odd.text(LedgerColumn::Category).isEmpty());
}

TEST(LedgerRowsTest, RowsKeepDateTimeThenIdOrderAndBalancesFollow)
{
    LedgerRows rows(5000, {row(1, QDate(2026, 12, 1), 20079), row(2, QDate(2026, 12, 2), -20000)},
                    categories());
    // An earlier row goes first and every balance below it moves.
    rows.put(row(9, QDate(2026, 11, 30), 1000));
    EXPECT_EQ(column(rows, LedgerColumn::Balance), (QStringList{"6,000", "26,079", "6,079"}));
    // Same date-time: the lower ID first, whatever the order of recording.
    rows.put(row(5, QDate(2026, 12, 2), 1));
    std::vector<int> ids;
    for (const LedgerLine& line : rows.lines())
        ids.push_back(line.id);
    EXPECT_EQ(ids, (std::vector<int>{9, 1, 2, 5}));
    // A rewritten row moves to its new date.
    rows.put(row(9, QDate(2026, 12, 31), 1000));
    EXPECT_EQ(rows.lines().back().id, 9);
    EXPECT_EQ(column(rows, LedgerColumn::Balance),
              (QStringList{"25,079", "5,079", "5,080", "6,080"}));
    EXPECT_TRUE(rows.remove(1));
    EXPECT_FALSE(rows.remove(1));
    rows.setCarriedForward(-80);
    EXPECT_EQ(column(rows, LedgerColumn::Balance), (QStringList{"-20,080", "-20,079", "-19,079"}));
}

TEST(LedgerRowsTest, ABalancePastThirtyTwoBitsIsShownWholeAndReported)
{
    std::vector<kv::data::ToriJnlRow> sales;
    for (int id = 1; id <= 13; ++id)
        sales.push_back(row(id, QDate(2026, 1, id), 99'999'999));
    const LedgerRows rows(999'999'999, sales, categories());
    EXPECT_EQ(rows.lines()[11].balance, 2'199'999'987LL);
    EXPECT_EQ(rows.lines()[11].text(LedgerColumn::Balance), "2,199,999,987");
    EXPECT_EQ(rows.lines()[12].text(LedgerColumn::Balance), "2,299,999,986");
    EXPECT_EQ(rows.firstBalanceBeyondLimit(), 0);

    const LedgerRows within(-999'999'999, {row(1, QDate(2026, 1, 1), 99'999'999)}, categories());
    EXPECT_EQ(within.firstBalanceBeyondLimit(), -1);
    EXPECT_EQ(within.lines()[0].text(LedgerColumn::Balance), "-900,000,000");
    const LedgerRows below(-999'999'999, {row(1, QDate(2026, 1, 1), -99'999'999)}, categories());
    EXPECT_EQ(below.lines()[0].balance, -1'099'999'998LL);
    EXPECT_EQ(below.firstBalanceBeyondLimit(), 0);
}

TEST(LedgerRowsTest, TenDigitStoredAmountsShowWholeWithoutAMessage)
{
    kv::test::RecordingMessageGateway messages;
    kv::data::ToriJnlRow big = row(1, QDate(2026, 1, 1), -2'000'000'000);
    big.m_Buhin = 1'234'567'890;
    big.m_Zei = -1'000'000'000;
    big.m_Tot = 2'147'483'647;
    const LedgerRows rows(0, {big}, categories());
    const LedgerLine& line = rows.lines()[0];
    EXPECT_EQ(line.text(LedgerColumn::Buhin), "1,234,567,890");
    EXPECT_EQ(line.text(LedgerColumn::Zei), "-1,000,000,000");
    EXPECT_EQ(line.text(LedgerColumn::Tot), "2,147,483,647");
    EXPECT_EQ(line.text(LedgerColumn::Result), "-2,000,000,000");
    EXPECT_TRUE(messages.messages().isEmpty()) << messages.messages().join(" / ").toStdString();
}

} // namespace
