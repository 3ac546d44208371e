// The slip's line grid with the item master of a data folder: typed item
// codes and the item pick list.

#include "masters/ItemTestFolder.h"

#include "controls/CEditEx.h"
#include "controls/CListCtrlEx.h"
#include "masters/CKubunRefFrame.h"
#include "masters/CMeisaiRefFrame.h"
#include "slips/ui/CMeisaiScView.h"

#include <QApplication>
#include <QPointer>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using kv::masters::CKubunRefFrame;
using kv::masters::CMeisaiRefFrame;
using kv::slips::CMeisaiScView;
using kv::test::ItemBuilder;

namespace {

class LineGridItemsTest : public ::testing::Test {
protected:
    kv::test::ItemTestFolder f;
    std::unique_ptr<QSettings> profile;
    std::unique_ptr<CMeisaiScView> grid;
    kv::CEditEx* editor = nullptr;
    std::unique_ptr<QSignalSpy> totals;

    void SetUp() override
    {
        f.addItems({ItemBuilder(1).text("ワイパー").reading("ﾜ").category(5).price(1200),
                    ItemBuilder(2).text("工賃サービス").reading("ｺ").category(3)});
        f.open();
        profile = std::make_unique<QSettings>(f.profileFolder.file(QStringLiteral("grid.ini")),
                                              QSettings::IniFormat);
        grid = std::make_unique<CMeisaiScView>(profile.get());
        grid->setCategories(f.doc->settings().categories());
        grid->setItemStore(f.store.get());
        grid->show();
        QApplication::setActiveWindow(grid.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(grid.get()));
        editor = grid->findChild<kv::CEditEx*>();
        ASSERT_NE(editor, nullptr);
        totals = std::make_unique<QSignalSpy>(grid.get(), &CMeisaiScView::linesChanged);
    }

    void enterAt(int row, int column, const QString& text)
    {
        grid->setCurrentCell(row, column);
        grid->focusCurrentCell();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }
    template <typename Window>
    static QList<Window*> shown()
    {
        QList<Window*> found;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* w = qobject_cast<Window*>(window); w && w->isVisible())
                found << w;
        }
        return found;
    }
    static CMeisaiRefFrame* openList()
    {
        const QList<CMeisaiRefFrame*> lists = shown<CMeisaiRefFrame>();
        return lists.isEmpty() ? nullptr : lists.first();
    }
    int lastParts() const { return totals->isEmpty() ? -1 : totals->last().at(0).toInt(); }
};

TEST_F(LineGridItemsTest, TypedCodeTakesTheItemFromTheMaster)
{
    enterAt(0, 3, QStringLiteral("2"));
    enterAt(0, 0, QStringLiteral("1"));
    EXPECT_EQ(grid->cellText(0, 0), QStringLiteral("ワイパー"));
    EXPECT_EQ(grid->cellText(0, 1), QStringLiteral("交換"));
    EXPECT_EQ(grid->cellText(0, 4), QStringLiteral("1,200"));
    EXPECT_EQ(grid->cellText(0, 5), QStringLiteral("2,400"));
    EXPECT_EQ(lastParts(), 2400);
    EXPECT_TRUE(f.data.messages.messages().isEmpty());
}

TEST_F(LineGridItemsTest, PickListPutsTheChosenItemIntoTheCurrentRow)
{
    enterAt(5, 3, QStringLiteral("3"));
    grid->setCurrentCell(5, 0);
    grid->focusCurrentCell();
    QTest::keyClick(editor, Qt::Key_1, Qt::ControlModifier);
    QPointer<CMeisaiRefFrame> list = openList();
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(grid->isEnabled());

    list->form()->list()->selectRow(0);
    QTest::keyClick(list->form()->list(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(list.isNull());
    EXPECT_TRUE(grid->isEnabled());
    EXPECT_EQ(grid->cellText(5, 0), QStringLiteral("ワイパー"));
    EXPECT_EQ(grid->cellText(5, 1), QStringLiteral("交換"));
    EXPECT_EQ(grid->cellText(5, 5), QStringLiteral("3,600"));
    EXPECT_EQ(lastParts(), 3600);
    // The window comes to the front through the window system; the cell
    // that has the focus then is the grid's current one.
    EXPECT_EQ(grid->focusWidget(), editor);
    EXPECT_EQ(grid->currentRow(), 5);
}

TEST_F(LineGridItemsTest, PickListRefusedWithoutTheVehicle)
{
    grid->setVehicleCheck([] { return false; });
    grid->focusCurrentCell();
    QTest::keyClick(editor, Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(openList(), nullptr);
    EXPECT_EQ(f.data.messages.messages(), QStringList{QStringLiteral("該当車輌が存在しません！")});
    EXPECT_TRUE(grid->isEnabled());
}

TEST_F(LineGridItemsTest, CategoryWindowWritesTheCurrentRowsCategory)
{
    grid->setCurrentCell(2, 1);
    grid->focusCurrentCell();
    QTest::keyClick(editor, Qt::Key_3, Qt::ControlModifier);
    ASSERT_EQ(shown<CKubunRefFrame>().size(), 1);
    kv::CListCtrlEx* list = shown<CKubunRefFrame>().first()->list();
    // A double click: the press, then the second click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                       list->visualRect(list->rows()->index(15, 1)).center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                       list->visualRect(list->rows()->index(15, 1)).center());
    EXPECT_EQ(grid->cellText(2, 1), QStringLiteral("鈑金"));

    // Asked again, the open window comes to the front.
    grid->focusCurrentCell();
    QTest::keyClick(editor, Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(shown<CKubunRefFrame>().size(), 1);
}

} // namespace
