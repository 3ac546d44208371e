// The lines of the real slip window worked by keys and mouse: the pick
// lists, the category window and the row amounts.

#include "SlipWindowTest.h"

#include "controls/CListCtrlEx.h"
#include "masters/CKubunRefFrame.h"
#include "masters/CMeisaiRefFrame.h"
#include "masters/CMeisaiSetRefFrame.h"
#include "controls/CEditEx.h"
#include "slips/ui/CFTot.h"

#include <QScrollArea>

using namespace kv::test;
using kv::masters::CKubunRefFrame;
using kv::masters::CMeisaiRefFrame;
using kv::masters::CMeisaiSetRefFrame;

namespace {

class SlipWindowLines : public SlipWindowTest {
protected:
    void SetUp() override
    {
        SlipWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        for (const ItemBuilder& item :
             {ItemBuilder(1).text(u("ワイパー")).reading(u("ﾜ")).category(5).price(1200),
              ItemBuilder(2).text(u("オイル")).reading(u("ｵ")).category(5).price(3000),
              ItemBuilder(3).text(u("エレメント")).reading(u("ｴ")).category(5).price(800)})
            ASSERT_TRUE(item.insertInto(doc->store()));
        sql("INSERT INTO f012.MeisaiSetHead (SetCode, SetName, Furi) VALUES"
            " (12, 'オイル交換', 'ｵ'), (20, 'ワイパー', 'ﾜ')");
        sql("INSERT INTO f012.MeisaiSetJnl (SetCode, LineNo, Meisai, Kubun, Sisu, Suuryo, Tanka,"
            " Kingaku, Koutin) VALUES"
            " (12, 0, 'エンジンオイル', 0, 0, 40, 1000, 4000, 0),"
            " (12, 1, 'オイル交換工賃', 3, 5, 0, 0, 0, 2500),"
            " (20, 0, 'ワイパーゴム', 0, 0, 20, 800, 1600, 0)");
        ASSERT_TRUE(doc->setHeaders().Requery());
        ASSERT_TRUE(open());
        press(Qt::Key_F2);
        ASSERT_EQ(frame->activePane(), kv::slips::CDenFrame::Pane::Lines) << messages().toStdString();
    }

    static void ctrlClick(kv::CListCtrlEx* list, int row)
    {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          list->visualRect(list->rows()->index(row, 1)).center());
    }
};

TEST_F(SlipWindowLines, MarkedItemsAndSetsGoIntoConsecutiveRowsInTheListsOrder)
{
    grid->setCurrentCell(2, 0);
    grid->focusCurrentCell();
    press(Qt::Key_1, Qt::ControlModifier);
    QPointer<CMeisaiRefFrame> items = shown<CMeisaiRefFrame>();
    ASSERT_TRUE(items) << messages().toStdString();
    kv::CListCtrlEx* list = items->form()->list();
    // Code order: Space marks the selected first row, Ctrl+click the third,
    // then the second; Space again takes a mark off and puts it back.
    QTest::keyClick(list, Qt::Key_Space);
    ctrlClick(list, 2);
    QTest::keyClick(list, Qt::Key_Space);
    QTest::keyClick(list, Qt::Key_Space);
    ctrlClick(list, 1);
    EXPECT_EQ(list->markedCodes(), (QList<int>{1, 2, 3}));
    QTest::keyClick(list, Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_TRUE(items.isNull());
    EXPECT_EQ(grid->cellText(2, 0), u("ワイパー"));
    EXPECT_EQ(grid->cellText(3, 0), u("オイル"));
    EXPECT_EQ(grid->cellText(4, 0), u("エレメント"));
    EXPECT_EQ(grid->cellText(4, 4), QStringLiteral("800"));
    EXPECT_TRUE(grid->cellText(5, 0).isEmpty());
    EXPECT_EQ(grid->currentRow(), 2);
    int parts = 0;
    int labour = 0;
    ASSERT_TRUE(grid->checkLines(&parts, &labour));
    EXPECT_EQ(parts, 0) << "no quantity typed yet";

    // Both sets marked: each set's rows follow the one before.
    grid->setCurrentCell(10, 0);
    grid->focusCurrentCell();
    press(Qt::Key_2, Qt::ControlModifier);
    QPointer<CMeisaiSetRefFrame> setList = shown<CMeisaiSetRefFrame>();
    ASSERT_TRUE(setList) << messages().toStdString();
    list = setList->form()->list();
    ctrlClick(list, 1);
    ctrlClick(list, 0);
    QTest::keyClick(list, Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_TRUE(setList.isNull());
    EXPECT_EQ(grid->cellText(10, 0), u("エンジンオイル"));
    EXPECT_EQ(grid->cellText(11, 0), u("オイル交換工賃"));
    EXPECT_EQ(grid->cellText(12, 0), u("ワイパーゴム"));
    ASSERT_TRUE(grid->checkLines(&parts, &labour));
    EXPECT_EQ(parts, 4000 + 1600);
    EXPECT_EQ(labour, 2500);
    EXPECT_TRUE(messages().isEmpty()) << messages().toStdString();
}

TEST_F(SlipWindowLines, MarkedItemsStopAtTheLastRow)
{
    grid->setCurrentCell(88, 0);
    grid->focusCurrentCell();
    press(Qt::Key_1, Qt::ControlModifier);
    QPointer<CMeisaiRefFrame> items = shown<CMeisaiRefFrame>();
    ASSERT_TRUE(items);
    kv::CListCtrlEx* list = items->form()->list();
    for (int row = 0; row < 3; ++row)
        ctrlClick(list, row);
    QTest::keyClick(list, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(grid->cellText(88, 0), u("ワイパー"));
    EXPECT_EQ(grid->cellText(89, 0), u("オイル"));
    EXPECT_TRUE(grid->cellText(0, 0).isEmpty());
}

TEST_F(SlipWindowLines, TheCategoryWindowWritesOnlyWhatIsChosen)
{
    const auto& names = doc->settings().categories().names;
    grid->setCurrentCell(0, 0);
    grid->focusCurrentCell();
    type("parts");
    press(Qt::Key_3, Qt::ControlModifier);
    QPointer<CKubunRefFrame> window = shown<CKubunRefFrame>();
    ASSERT_TRUE(window);
    kv::CListCtrlEx* list = window->list();

    // The focus in the window and browsing its rows write nothing.
    window->activateWindow();
    QApplication::setActiveWindow(window);
    list->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_TRUE(grid->cellText(0, 1).isEmpty()) << grid->cellText(0, 1).toStdString();
    EXPECT_TRUE(grid->lines().line(0).cells[1].isEmpty());

    // Enter writes the row reached and gives the focus back to the grid.
    const int reached = list->currentRow();
    ASSERT_GT(reached, 0);
    QTest::keyClick(list, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(grid->cellText(0, 1), names[size_t(reached)]);

    // A double click writes its row; Esc then closes and writes nothing.
    // A double click: the press, then the second click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                       list->visualRect(list->rows()->index(15, 1)).center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                       list->visualRect(list->rows()->index(15, 1)).center());
    EXPECT_EQ(grid->cellText(0, 1), names[15]);
    QTest::keyClick(list, Qt::Key_Up);
    QTest::keyClick(list, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(grid->cellText(0, 1), names[15]);
    EXPECT_TRUE(messages().isEmpty()) << messages().toStdString();
}

TEST_F(SlipWindowLines, AQuantityOrPriceLeftByMouseOrF3PricesTheRow)
{
    auto* totals = frame->findChild<kv::slips::CFTot*>();
    ASSERT_TRUE(totals);
    const auto partsLines = [totals] {
        return totals->shownField(kv::slips::CFTot::Shown::PartsLines)->text();
    };
    QWidget* canvas = grid->findChild<QScrollArea*>()->widget();
    const auto click = [this, canvas](int row, int column) {
        int x = 19 + grid->columnWidth(column) / 2;
        for (int c = 0; c < column; ++c)
            x += grid->columnWidth(c);
        QTest::mouseClick(canvas, Qt::LeftButton, {},
                          QPoint(x, row * grid->rowHeight() + grid->rowHeight() / 2));
        QApplication::processEvents();
    };
    grid->setCurrentCell(0, 3);
    grid->focusCurrentCell();
    type("2");
    QTest::keyClicks(QApplication::focusWidget(), "1500");
    click(3, 0);
    EXPECT_EQ(grid->cellText(0, 5), QStringLiteral("3,000"));
    EXPECT_EQ(partsLines(), QStringLiteral("3,000"));

    // A quantity changed and F3 at once.
    click(0, 3);
    QTest::keyClicks(QApplication::focusWidget(), "3");
    press(Qt::Key_F3);
    ASSERT_EQ(frame->activePane(), kv::slips::CDenFrame::Pane::Totals) << messages().toStdString();
    EXPECT_EQ(grid->cellText(0, 5), QStringLiteral("4,500"));
    EXPECT_EQ(partsLines(), QStringLiteral("4,500"));
    folder.messages.answerNext(false);
    press(Qt::Key_F11);
    ASSERT_TRUE(frame.isNull()) << messages().toStdString();
    EXPECT_EQ(scalar("SELECT Kingaku FROM f002.SyaJnl WHERE DenNo = 1 AND LineNo = 0"), 4500);
    EXPECT_EQ(scalar("SELECT BuhiMeiTot FROM f003.Syahead WHERE DenNo = 1"), 4500);
}

TEST_F(SlipWindowLines, F6OnTheLastRowSaysWhyAndKeepsTheRow)
{
    grid->setCurrentCell(89, 0);
    grid->focusCurrentCell();
    type("last");
    grid->setCurrentCell(89, 0);
    grid->focusCurrentCell();
    press(Qt::Key_F6);
    EXPECT_EQ(messages(), kv::slips::SlipLines::lastRowInsertMessage());
    EXPECT_EQ(grid->cellText(89, 0), QStringLiteral("last"));
    EXPECT_EQ(grid->currentRow(), 89);
}

} // namespace
