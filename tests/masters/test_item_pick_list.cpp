#include "ItemTestFolder.h"

#include "controls/CListCtrlEx.h"
#include "masters/CKubunRefFrame.h"
#include "masters/CMeisaiRefFrame.h"
#include "masters/KanaButtonBar.h"
#include "masters/core/ItemProfile.h"
#include "masters/core/LineGridAccess.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTest>

#include <gtest/gtest.h>

#include <map>

namespace {

using kv::masters::CKubunRefFrame;
using kv::masters::CMeisaiRefFrame;
using kv::masters::GridContext;
using kv::masters::ItemOrder;
using kv::test::ItemBuilder;

// A line grid of seven cells per row that records what the item windows do.
class TestGrid final : public kv::masters::LineGridAccess {
public:
    int row = 3;
    int column = 0;
    std::map<std::pair<int, int>, QString> cells;
    QStringList calls;

    int currentRow() const override { return row; }
    int currentColumn() const override { return column; }
    void setCellText(int r, int c, const QString& text) override
    {
        EXPECT_TRUE(c == kItemColumn || c == kCategoryColumn || c == kPriceColumn) << c;
        cells[{r, c}] = text;
    }
    void recomputeRow(int r) override { calls << QStringLiteral("recompute %1").arg(r); }
    void focusCurrentCell() override { calls << QStringLiteral("focus"); }
    QString cell(int c) const
    {
        const auto found = cells.find({row, c});
        return found == cells.end() ? QStringLiteral("<unset>") : found->second;
    }
};

class ItemPickListTest : public ::testing::Test {
protected:
    kv::test::ItemTestFolder f;
    TestGrid grid;
    QWidget gridWindow;

    CMeisaiRefFrame* openList()
    {
        if (!f.doc)
            f.open();
        gridWindow.show();
        return CMeisaiRefFrame::open(*f.store, f.doc->settings().categories(), grid,
                                     GridContext::Set, &gridWindow);
    }
    void pressOk(CMeisaiRefFrame* list, int row)
    {
        list->form()->list()->selectRow(row);
        QTest::keyClick(list->form()->list(), Qt::Key_Return);
        QApplication::processEvents();
    }
};

TEST_F(ItemPickListTest, RefusedOnAnEmptyTable)
{
    EXPECT_EQ(openList(), nullptr);
    EXPECT_EQ(f.data.messages.messages(), QStringList{QStringLiteral("明細が存在しません！")});
    EXPECT_TRUE(gridWindow.isEnabled());
}

TEST_F(ItemPickListTest, OkPutsTextCategoryAndPriceIntoTheCurrentRow)
{
    f.addItems({ItemBuilder(1).text("ワイパー").reading("ﾜ").category(5).price(1200),
                ItemBuilder(2).text("工賃サービス").reading("ｺ").category(3)});
    const struct {
        int row;
        const char* text;
        const char* category;
        const char* price;
    } cases[] = {{0, "ワイパー", "交換", "1,200"}, {1, "工賃サービス", "整備", ""}};
    for (const auto& c : cases) {
        grid.calls.clear();
        QPointer<CMeisaiRefFrame> list = openList();
        ASSERT_NE(list, nullptr);
        EXPECT_FALSE(gridWindow.isEnabled());
        EXPECT_EQ(list->order(), ItemOrder::Code);
        EXPECT_FALSE(list->form()->kanaButtons()->isVisible());
        pressOk(list, c.row);
        EXPECT_EQ(grid.cell(0), QString::fromUtf8(c.text));
        EXPECT_EQ(grid.cell(1), QString::fromUtf8(c.category));
        EXPECT_EQ(grid.cell(4), QString::fromUtf8(c.price));
        EXPECT_EQ(grid.calls, (QStringList{"recompute 3", "focus"}));
        EXPECT_TRUE(list.isNull()) << "closed after OK";
        EXPECT_TRUE(gridWindow.isEnabled());
    }
}

TEST_F(ItemPickListTest, KeysSwitchTheOrderAndDigitsActAsKana)
{
    f.addItems({ItemBuilder(1).text("ワイパー").reading("ﾜ"),
                ItemBuilder(2).text("アンテナ").reading("ｱ"),
                ItemBuilder(3).text("ハンドル").reading("ﾊ")});
    QPointer<CMeisaiRefFrame> list = openList();
    ASSERT_NE(list, nullptr);
    kv::CListCtrlEx* rows = list->form()->list();
    QTest::keyClick(rows, Qt::Key_F2);
    EXPECT_EQ(list->order(), ItemOrder::Reading);
    EXPECT_TRUE(list->readingOrderAction()->isChecked());
    EXPECT_EQ(kv::masters::ItemProfile().pickListOrder(), ItemOrder::Reading);
    EXPECT_EQ(rows->cellText(rows->currentRow(), 2), QStringLiteral("ｱ"));
    QTest::keyClick(rows, Qt::Key_5); // ﾅ: the first row at or after it is ﾊ
    EXPECT_EQ(rows->cellText(rows->currentRow(), 2), QStringLiteral("ﾊ"));
    EXPECT_TRUE(list->form()->kanaButtons()->button(4)->isChecked());
    QTest::keyClick(rows, Qt::Key_F1);
    EXPECT_EQ(list->order(), ItemOrder::Code);
    EXPECT_EQ(rows->cellText(0, 0), QStringLiteral("0001"));

    QTest::keyClick(rows, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(list.isNull());
    EXPECT_EQ(grid.calls, QStringList{"focus"});
    EXPECT_TRUE(grid.cells.empty());
    EXPECT_TRUE(gridWindow.isEnabled());
}

TEST_F(ItemPickListTest, GridCategoryWindowWritesCellOneOnlyWhenChosen)
{
    f.open();
    gridWindow.show();
    QPointer<CKubunRefFrame> window = CKubunRefFrame::openForGrid(
        f.doc->settings().categories(), grid, GridContext::Slip, &gridWindow);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(kv::masters::ItemProfile().isShown(QStringLiteral("DenKubunRef")));
    kv::CListCtrlEx* list = window->list();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->rows()->index(12, 1)).center());
    EXPECT_TRUE(grid.cells.empty()) << "a click only selects";

    QTest::mouseClick(window->findChild<QPushButton*>("ok"), Qt::LeftButton);
    EXPECT_EQ(grid.cell(1), QStringLiteral("ﾀｲﾔ"));
    EXPECT_EQ(grid.cells.size(), 1u);
    EXPECT_EQ(grid.calls, QStringList{"focus"});
    EXPECT_FALSE(window.isNull()) << "OK keeps the window open";

    QTest::mouseClick(window->findChild<QPushButton*>("cancel"), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(window.isNull());
    EXPECT_FALSE(kv::masters::ItemProfile().isShown(QStringLiteral("DenKubunRef")));
    EXPECT_EQ(grid.calls, (QStringList{"focus", "focus"}));
}

} // namespace
