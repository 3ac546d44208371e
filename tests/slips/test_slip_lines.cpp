// The line model of a slip: leaving cells, row amounts, row operations,
// sums and the lines to store.

#include "slips/core/SlipLines.h"

#include "StoredLine.h"

#include "data/settings/DefaultSettings.h"
#include "support/RecordingMessageGateway.h"

#include <gtest/gtest.h>

#include <map>

using kv::data::SyaJnlRow;
using kv::slips::SlipLines;
using kv::test::storedLine;

namespace {

constexpr int kLabourRate = 8000;
constexpr int kBodyWorkRate = 10000;

class SlipLinesTest : public ::testing::Test {
protected:
    SlipLines lines;
    std::map<int, kv::masters::ItemRecord> items;
    std::map<int, std::vector<SyaJnlRow>> sets;

    SlipLinesTest()
    {
        lines.setCategories(kv::data::DefaultSettings::categories());
        lines.setRates(kLabourRate, kBodyWorkRate);
        lines.setItemLookup([this](int code) -> std::optional<kv::masters::ItemRecord> {
            const auto found = items.find(code);
            if (found == items.end())
                return std::nullopt;
            return found->second;
        });
    }
    void withSets()
    {
        lines.setSetLookup([this](int code) -> std::optional<std::vector<SyaJnlRow>> {
            const auto found = sets.find(code);
            if (found == sets.end())
                return std::nullopt;
            return found->second;
        });
    }
    // Types the text into the cell and leaves it with Enter.
    SlipLines::LeaveResult enter(int row, int column, const QString& text)
    {
        lines.setText(row, column, text);
        return lines.leaveCell(row, column);
    }
    int partsTotal()
    {
        QString message;
        const auto totals = lines.sumLines(&message);
        return totals ? totals->parts : -1;
    }
};

struct PartsCase {
    const char* quantity;
    const char* price;
    kv::data::RoundingRule rule;
    const char* amountText;
    int counted;
};

class PartsAmountTest : public SlipLinesTest, public ::testing::WithParamInterface<PartsCase> {};

TEST_P(PartsAmountTest, QuantityTimesUnitPriceRounded)
{
    const PartsCase& c = GetParam();
    kv::data::RoundingSettings rounding;
    rounding.parts = c.rule;
    lines.setRounding(rounding);
    ASSERT_TRUE(enter(0, SlipLines::QuantityColumn, QString::fromUtf8(c.quantity)).accepted);
    const SlipLines::LeaveResult left = enter(0, SlipLines::PriceColumn, QString::fromUtf8(c.price));
    ASSERT_TRUE(left.accepted) << left.message.toStdString();
    EXPECT_TRUE(left.totalsChanged);
    EXPECT_EQ(lines.text(0, SlipLines::PartsColumn), QString::fromUtf8(c.amountText));
    EXPECT_EQ(lines.line(0).parts, c.counted);
    EXPECT_EQ(partsTotal(), c.counted);
}

INSTANTIATE_TEST_SUITE_P(
    Rounding, PartsAmountTest,
    ::testing::Values(PartsCase{"2.5", "1000", {0, 0}, "2,500", 2500},
                      PartsCase{"0.3", "333", {0, 0}, "99", 99},
                      PartsCase{"0.3", "333", {1, 0}, "100", 100},
                      PartsCase{"0.3", "333", {2, 1}, "100", 100},
                      PartsCase{"-1.5", "1,001", {0, 0}, "-1,502", -1502},
                      PartsCase{"1", "1", {0, 0}, "持ち込み", 0},
                      PartsCase{"1.27", "100", {0, 0}, "120", 120},
                      PartsCase{"", "5,000", {0, 0}, "", 0}));

TEST_F(SlipLinesTest, BodyWorkCategoriesTakeTheBodyWorkRate)
{
    struct Case {
        const char* category;
        const char* labour;
    } cases[] = {{"16", "15,000"}, {"塗装", "15,000"}, {"鈑金", "15,000"}, {"3", "12,000"},
                 {"整備", "12,000"}, {"", "12,000"}};
    for (const Case& c : cases) {
        lines.clearRow(0);
        ASSERT_TRUE(enter(0, SlipLines::IndexColumn, QStringLiteral("1.5")).accepted);
        ASSERT_TRUE(enter(0, SlipLines::CategoryColumn, QString::fromUtf8(c.category)).accepted);
        EXPECT_EQ(lines.text(0, SlipLines::LabourColumn), QString::fromUtf8(c.labour))
            << c.category;
    }
    EXPECT_EQ(lines.text(0, SlipLines::CategoryColumn), QString());
}

struct CellCase {
    int column;
    const char* typed;
    bool accepted;
    const char* shown;
    const char* message;
};

class LeaveCellTest : public SlipLinesTest, public ::testing::WithParamInterface<CellCase> {};

TEST_P(LeaveCellTest, ChecksAndReformats)
{
    const CellCase& c = GetParam();
    lines.setText(4, c.column, QString::fromUtf8(c.typed));
    const SlipLines::LeaveResult left = lines.leaveCell(4, c.column);
    EXPECT_EQ(left.accepted, c.accepted);
    EXPECT_EQ(left.message, QString::fromUtf8(c.message));
    EXPECT_EQ(lines.text(4, c.column), QString::fromUtf8(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Columns, LeaveCellTest,
    ::testing::Values(
        CellCase{1, "5", true, "交換", ""}, CellCase{1, "18", true, "他", ""},
        CellCase{1, "点検", true, "点検", ""},
        CellCase{1, "19", false, "", "0から18迄を入力して下さい！"},
        CellCase{1, "abc", false, "", "0から18迄を入力して下さい！"},
        CellCase{2, "1.25", true, "1.2", ""}, CellCase{2, "999.9", true, "999.9", ""},
        CellCase{2, "0", true, "", ""},
        CellCase{2, "1000", false, "", "0から999.9迄を入力して下さい！"},
        CellCase{2, "999.95", false, "", "0から999.9迄を入力して下さい！"},
        CellCase{2, "-0.1", false, "", "0から999.9迄を入力して下さい！"},
        CellCase{3, "-999.9", true, "-999.9", ""}, CellCase{3, "2", true, "2.0", ""},
        CellCase{3, "-1000", false, "", "-999.9から999.9迄を入力して下さい！"},
        CellCase{3, "x", false, "", "-999.9から999.9迄を入力して下さい！"},
        CellCase{4, "1234567", true, "1,234,567", ""}, CellCase{4, "0", true, "", ""},
        CellCase{4, "-9,999,999", true, "-9,999,999", ""},
        CellCase{4, "10000000", false, "", "-9,999,999から9,999,999迄の整数を入力して下さい！"},
        CellCase{4, "1.5", false, "", "-9,999,999から9,999,999迄の整数を入力して下さい！"},
        CellCase{5, "1", true, "持ち込み", ""}, CellCase{5, "持ち込み", true, "持ち込み", ""},
        CellCase{5, "2000", true, "2,000", ""}, CellCase{5, "0", true, "", ""},
        CellCase{6, "1", true, "サービス", ""},
        CellCase{6, "サービス", true, "サービス", ""},
        CellCase{6, "-10000000", false, "", "-9,999,999から9,999,999迄の整数を入力して下さい！"}));

TEST_F(SlipLinesTest, AChangedPriceRecomputesTheAmountTypedOverIt)
{
    ASSERT_TRUE(enter(0, SlipLines::QuantityColumn, QStringLiteral("2")).accepted);
    ASSERT_TRUE(enter(0, SlipLines::PriceColumn, QStringLiteral("500")).accepted);
    ASSERT_TRUE(enter(0, SlipLines::PartsColumn, QStringLiteral("777")).accepted);
    EXPECT_EQ(lines.line(0).parts, 777);

    const SlipLines::LeaveResult changed = enter(0, SlipLines::PriceColumn, QStringLiteral("600"));
    EXPECT_TRUE(changed.accepted);
    EXPECT_TRUE(changed.totalsChanged);
    EXPECT_EQ(lines.text(0, SlipLines::PartsColumn), QStringLiteral("1,200"));
    EXPECT_EQ(lines.line(0).parts, 1200);
}

TEST_F(SlipLinesTest, ServiceAndBroughtInCountAsNothing)
{
    ASSERT_TRUE(enter(0, SlipLines::PartsColumn, QStringLiteral("1")).accepted);
    ASSERT_TRUE(enter(0, SlipLines::LabourColumn, QStringLiteral("1")).accepted);
    ASSERT_TRUE(enter(1, SlipLines::LabourColumn, QStringLiteral("3,000")).accepted);
    QString message;
    const auto sums = lines.sumLines(&message);
    ASSERT_TRUE(sums);
    EXPECT_EQ(sums->parts, 0);
    EXPECT_EQ(sums->labour, 3000);
    const auto checked = lines.checkLines(&message);
    ASSERT_TRUE(checked);
    EXPECT_EQ(checked->labour, 3000);

    std::vector<SyaJnlRow> stored;
    ASSERT_TRUE(lines.storedLines(12, &stored));
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].m_Kingaku, 1);
    EXPECT_EQ(stored[0].m_Koutin, 1);
    EXPECT_EQ(stored[1].m_Koutin, 3000);
}

TEST_F(SlipLinesTest, ComputedAmountOutOfRangeClearsTheCell)
{
    ASSERT_TRUE(enter(0, SlipLines::QuantityColumn, QStringLiteral("999")).accepted);
    const SlipLines::LeaveResult left = enter(0, SlipLines::PriceColumn, QStringLiteral("20000"));
    EXPECT_FALSE(left.accepted);
    EXPECT_EQ(left.message,
              QStringLiteral("計算結果が-9,999,999から9,999,999迄に収まるようにしてください！"));
    EXPECT_EQ(lines.text(0, SlipLines::PartsColumn), QString());
    EXPECT_EQ(lines.text(0, SlipLines::PriceColumn), QStringLiteral("20,000"));
    EXPECT_EQ(lines.line(0).parts, 0);
}

TEST_F(SlipLinesTest, ItemCodeFillsTheRowAndSetCodesNeedSets)
{
    items[12] = {12, QStringLiteral("エンジンオイル"), QStringLiteral("ｴ"), 11, 1200};
    items[13] = {13, QStringLiteral("新規作成中"), QString(), 0, 0};
    sets[12] = {storedLine(0, QStringLiteral("セット行"))};
    ASSERT_TRUE(enter(0, SlipLines::QuantityColumn, QStringLiteral("3")).accepted);

    const SlipLines::LeaveResult left = enter(0, SlipLines::TextColumn, QStringLiteral("12"));
    EXPECT_TRUE(left.accepted);
    EXPECT_TRUE(left.totalsChanged);
    EXPECT_EQ(lines.text(0, SlipLines::TextColumn), QStringLiteral("エンジンオイル"));
    EXPECT_EQ(lines.text(0, SlipLines::CategoryColumn), QStringLiteral("油脂"));
    EXPECT_EQ(lines.text(0, SlipLines::PriceColumn), QStringLiteral("1,200"));
    EXPECT_EQ(lines.text(0, SlipLines::PartsColumn), QStringLiteral("3,600"));

    for (const char* typed : {"13", "99", "12345", "012", "0"}) {
        enter(1, SlipLines::TextColumn, QString::fromUtf8(typed));
        EXPECT_EQ(lines.text(1, SlipLines::TextColumn), QString::fromUtf8(typed));
    }
    withSets();
    enter(1, SlipLines::TextColumn, QStringLiteral("012"));
    EXPECT_EQ(lines.text(1, SlipLines::TextColumn), QStringLiteral("セット行"));
    enter(2, SlipLines::TextColumn, QStringLiteral("013"));
    EXPECT_EQ(lines.text(2, SlipLines::TextColumn), QStringLiteral("013"));
}

TEST_F(SlipLinesTest, SetExpansionClearsTheGapsAndKeepsWhatFollows)
{
    for (int r = 9; r < 16; ++r)
        lines.setText(r, SlipLines::TextColumn, QStringLiteral("old %1").arg(r));
    const std::vector<SyaJnlRow> set = {
        storedLine(0, QStringLiteral("a"), 3, 15, 10, 100, 100, 12000),
        storedLine(1, QStringLiteral("b"), 0, 0, 10, 1, 1, 0),
        storedLine(3, QStringLiteral("d"), 16, 0, 0, 0, 0, 1)};
    EXPECT_EQ(lines.expandSet(10, set), 14);
    EXPECT_EQ(lines.text(9, 0), QStringLiteral("old 9"));
    EXPECT_EQ(lines.text(10, 0), QStringLiteral("a"));
    EXPECT_EQ(lines.text(10, 1), QStringLiteral("整備"));
    EXPECT_EQ(lines.text(10, 2), QStringLiteral("1.5"));
    EXPECT_EQ(lines.text(10, 3), QStringLiteral("1.0"));
    EXPECT_EQ(lines.text(10, 6), QStringLiteral("12,000"));
    EXPECT_EQ(lines.text(11, 5), QStringLiteral("持ち込み"));
    EXPECT_TRUE(lines.line(12).isEmpty());
    EXPECT_EQ(lines.text(13, 6), QStringLiteral("サービス"));
    EXPECT_EQ(lines.text(14, 0), QStringLiteral("old 14"));

    // Lines beyond the last row are dropped.
    EXPECT_EQ(lines.expandSet(88, set), 90);
    EXPECT_EQ(lines.text(89, 0), QStringLiteral("b"));
}

TEST_F(SlipLinesTest, RowOperations)
{
    for (int r = 0; r < SlipLines::kRows; ++r) {
        lines.setText(r, SlipLines::TextColumn, QString::number(r));
        enter(r, SlipLines::PartsColumn, QString::number(100 + r));
    }
    lines.insertRow(5);
    EXPECT_TRUE(lines.line(5).isEmpty());
    EXPECT_EQ(lines.text(6, 0), QStringLiteral("5"));
    EXPECT_EQ(lines.line(6).parts, 105);
    EXPECT_EQ(lines.text(89, 0), QStringLiteral("88")) << "row 90's content is dropped";

    lines.setPhotos(7, QStringLiteral("00000108a.jpg\r\n"));
    lines.cutRow(7);
    EXPECT_EQ(lines.text(7, 0), QStringLiteral("7"));
    EXPECT_TRUE(lines.line(89).isEmpty());
    lines.pasteRow(0);
    EXPECT_EQ(lines.text(0, 0), QStringLiteral("6"));
    EXPECT_EQ(lines.line(0).parts, 106);
    EXPECT_EQ(lines.line(0).photos, QStringLiteral("00000108a.jpg\r\n"));

    lines.copyRow(1);
    lines.pasteRow(2);
    EXPECT_EQ(lines.line(2), lines.line(1));

    lines.insertRow(89);
    EXPECT_TRUE(lines.line(89).isEmpty());
    EXPECT_EQ(lines.text(88, 0), QStringLiteral("88"));
}

TEST_F(SlipLinesTest, TotalsBeyondTheLimitAreRefused)
{
    kv::test::RecordingMessageGateway messages;
    for (int r = 0; r < 10; ++r)
        ASSERT_TRUE(enter(r, SlipLines::PartsColumn, QStringLiteral("9,999,999")).accepted);
    QString message;
    ASSERT_TRUE(lines.sumLines(&message));
    ASSERT_TRUE(enter(10, SlipLines::LabourColumn, QStringLiteral("10")).accepted);
    EXPECT_FALSE(lines.sumLines(&message));
    EXPECT_EQ(message, SlipLines::totalMessage());
    message.clear();
    EXPECT_FALSE(lines.checkLines(&message));
    EXPECT_EQ(message, SlipLines::totalMessage());
    ASSERT_TRUE(enter(11, SlipLines::LabourColumn, QStringLiteral("-10")).accepted);
    // The limit holds after every row, not only for the whole slip.
    EXPECT_FALSE(lines.checkLines(&message));
    EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(SlipLinesTest, LoadedLinesShowAndStoreAsTheyWere)
{
    SyaJnlRow photoOnly = storedLine(40, QString());
    photoOnly.m_Photo = QStringLiteral("00001241a.jpg\r\n");
    const std::vector<SyaJnlRow> stored = {
        storedLine(0, QStringLiteral("オイル交換"), 5, 5, 35, 1500, 5250, 4000),
        storedLine(2, QStringLiteral("持込タイヤ"), 12, 0, 40, 0, 1, 1),
        storedLine(3, QStringLiteral("値引"), 17, 0, -10, 300, -300, 0), photoOnly};
    lines.load(stored);
    EXPECT_EQ(lines.text(0, 1), QStringLiteral("交換"));
    EXPECT_EQ(lines.text(0, 2), QStringLiteral("0.5"));
    EXPECT_EQ(lines.text(0, 3), QStringLiteral("3.5"));
    EXPECT_EQ(lines.text(0, 4), QStringLiteral("1,500"));
    EXPECT_EQ(lines.text(0, 5), QStringLiteral("5,250"));
    EXPECT_EQ(lines.text(2, 4), QString());
    EXPECT_EQ(lines.text(2, 5), QStringLiteral("持ち込み"));
    EXPECT_EQ(lines.text(3, 3), QStringLiteral("-1.0"));
    QString message;
    const auto sums = lines.checkLines(&message);
    ASSERT_TRUE(sums);
    EXPECT_EQ(sums->parts, 4950);
    EXPECT_EQ(sums->labour, 4000);
    EXPECT_EQ(lines.usedRows(), 41);
    EXPECT_EQ(lines.pageCount(), 2);

    std::vector<SyaJnlRow> written;
    ASSERT_TRUE(lines.storedLines(124, &written));
    std::vector<SyaJnlRow> expected = stored;
    for (SyaJnlRow& row : expected)
        row.m_DenNo = 124;
    EXPECT_EQ(written, expected);
}

TEST_F(SlipLinesTest, StoringRefusesAnUnknownCategory)
{
    lines.setText(3, SlipLines::TextColumn, QStringLiteral("x"));
    lines.setText(5, SlipLines::CategoryColumn, QStringLiteral("??"));
    std::vector<SyaJnlRow> written = {SyaJnlRow{}};
    int badRow = -1;
    EXPECT_FALSE(lines.storedLines(1, &written, &badRow));
    EXPECT_EQ(badRow, 5);
    EXPECT_EQ(written.size(), 1u) << "nothing is handed out";
}

TEST_F(SlipLinesTest, AnEmptyGridHasOnePage)
{
    QString message;
    ASSERT_TRUE(lines.checkLines(&message));
    EXPECT_EQ(lines.usedRows(), 0);
    EXPECT_EQ(lines.pageCount(), 1);
    std::vector<SyaJnlRow> written;
    ASSERT_TRUE(lines.storedLines(1, &written));
    EXPECT_TRUE(written.empty());
}

} // namespace
