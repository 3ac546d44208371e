#include "ItemTestFolder.h"

#include "controls/CButtonEx.h"
#include "controls/CEditEx.h"
#include "controls/CListCtrlEx.h"
#include "controls/CNumericEditEx.h"
#include "controls/ListRowDelegate.h"
#include "data/service/ShareLockAction.h"
#include "masters/CDSetMeisai.h"
#include "masters/CKubunRefFrame.h"
#include "masters/KanaButtonBar.h"
#include "masters/core/ItemProfile.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTest>

#include <gtest/gtest.h>

namespace {

namespace Action = kv::data::ShareLockAction;
using kv::masters::CDSetMeisai;
using kv::masters::ItemOrder;
using kv::test::ItemBuilder;

class ItemDialogTest : public ::testing::Test {
protected:
    kv::test::ItemTestFolder f;
    std::unique_ptr<CDSetMeisai> dialog;

    kv::test::RecordingMessageGateway& messages() { return f.data.messages; }

    void openDialog(ItemOrder order = ItemOrder::Reading)
    {
        if (!f.doc)
            f.open();
        kv::masters::ItemProfile().setDialogOrder(order);
        messages().clear();
        dialog = std::make_unique<CDSetMeisai>(*f.store, f.doc->settings().categories(),
                                               f.announcer);
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }

    // Key presses carrying the characters, as a keyboard or an input
    // method would send them.
    static void typeText(QWidget* field, const QString& text)
    {
        for (QChar character : text) {
            if (character.unicode() < 0x80) {
                QTest::keyClick(field, char(character.unicode()));
                continue;
            }
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
            QApplication::sendEvent(field, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier,
                              QString(character));
            QApplication::sendEvent(field, &release);
        }
    }

    // Types into the field as the user does and leaves it with Tab.
    void type(QLineEdit* field, const QString& text)
    {
        field->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        typeText(field, text);
        QTest::keyClick(field, Qt::Key_Tab);
        QApplication::processEvents();
    }

    void enterItem(const QString& text, const QString& reading, const QString& category,
                   const QString& price)
    {
        type(dialog->textEdit(), text);
        type(dialog->readingEdit(), reading);
        type(dialog->categoryEdit(), category);
        type(dialog->priceEdit(), price);
    }

    void clickRecord() { QTest::mouseClick(dialog->recordButton(), Qt::LeftButton); }

    QRect rowRect(int row)
    {
        return dialog->list()->visualRect(dialog->list()->rows()->index(row, 1));
    }
    void clickRow(int row)
    {
        QTest::mouseClick(dialog->list()->viewport(), Qt::LeftButton, {}, rowRect(row).center());
        QApplication::processEvents();
    }
    void rightClickRow(int row)
    {
        const QPoint at = rowRect(row).center();
        QTest::mouseClick(dialog->list()->viewport(), Qt::RightButton, {}, at);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, at,
                               dialog->list()->viewport()->mapToGlobal(at));
        QApplication::sendEvent(dialog->list()->viewport(), &menu);
        QApplication::processEvents();
    }

    QStringList readings()
    {
        QStringList texts;
        for (int row = 0; row < dialog->list()->rowCount(); ++row)
            texts << dialog->list()->cellText(row, 2);
        return texts;
    }
};

TEST_F(ItemDialogTest, EmptyTableOpensWithCodeOneAndZeroCount)
{
    openDialog();
    EXPECT_EQ(dialog->list()->rowCount(), 0);
    EXPECT_EQ(dialog->codeEdit()->text(), QStringLiteral("1"));
    EXPECT_EQ(dialog->countLabel()->text(), QStringLiteral("   0/9999件"));
    EXPECT_EQ(dialog->editor().ownPlaceholder(), 1);
    EXPECT_EQ(f.placeholders(), 1);
    EXPECT_EQ(dialog->priceEdit()->text(), QStringLiteral("0"));
    EXPECT_TRUE(messages().messages().isEmpty()) << messages().messages().join('|').toStdString();
}

TEST_F(ItemDialogTest, RecordingANewItemCountsListsAndAnnouncesIt)
{
    openDialog();
    enterItem(QStringLiteral("オイル交換"), QStringLiteral("ｵ"), QStringLiteral("11"),
              QStringLiteral("3500"));
    EXPECT_EQ(dialog->categoryEdit()->text(), QStringLiteral("油脂"));
    EXPECT_EQ(dialog->priceEdit()->text(), QStringLiteral("3,500"));
    clickRecord();

    EXPECT_TRUE(messages().messages().isEmpty()) << messages().messages().join('|').toStdString();
    EXPECT_EQ(f.countWhere("MeisaiCode = 1 AND Meisai = 'オイル交換' AND Furi = 'ｵ' AND Kubun = 11 "
                           "AND Tanka = 3500"),
              1);
    ASSERT_EQ(dialog->list()->rowCount(), 1);
    EXPECT_EQ(dialog->list()->cellText(0, 0), QStringLiteral("0001"));
    EXPECT_EQ(dialog->countLabel()->text(), QStringLiteral("   1/9999件"));
    EXPECT_EQ(f.announcer.texts(), QStringList{QStringLiteral("Update,作業・部品,1,オイル交換,ｵ")});
    // Cleared for the next one: code 2 reserved, code 1 no longer locked.
    EXPECT_EQ(dialog->codeEdit()->text(), QStringLiteral("2"));
    EXPECT_TRUE(dialog->textEdit()->text().isEmpty());
    EXPECT_TRUE(f.peerLock(QStringLiteral("PC2"), Action::IsHeldElsewhere, 1));
    EXPECT_FALSE(f.peerLock(QStringLiteral("PC2"), Action::IsHeldElsewhere, 2));
}

TEST_F(ItemDialogTest, RecordingNeedsTextAndReadingAndRefusesBadFields)
{
    openDialog();
    clickRecord();
    EXPECT_EQ(messages().messages(), QStringList{QStringLiteral("作業・部品を入力して下さい！")});
    EXPECT_EQ(QApplication::focusWidget(), dialog->textEdit());

    messages().clear();
    type(dialog->textEdit(), QStringLiteral("洗車"));
    clickRecord();
    EXPECT_EQ(messages().messages(), QStringList{QStringLiteral("ﾌﾘｶﾞﾅを入力して下さい！")});
    EXPECT_EQ(QApplication::focusWidget(), dialog->readingEdit());

    // A reading of more than one character cannot be typed.
    typeText(dialog->readingEdit(), QStringLiteral("ｾﾝ"));
    EXPECT_EQ(dialog->readingEdit()->text(), QStringLiteral("ｾ"));

    messages().clear();
    type(dialog->priceEdit(), QStringLiteral("10000000"));
    EXPECT_EQ(messages().messages(),
              QStringList{QStringLiteral("-9,999,999から9,999,999迄の整数を入力して下さい！")});
    EXPECT_EQ(dialog->priceEdit()->text(), QStringLiteral("0"));
    EXPECT_EQ(f.countWhere("Meisai = '洗車'"), 0);
}

TEST_F(ItemDialogTest, CategoryTakesNumbersUpToEighteenAndNames)
{
    openDialog();
    const struct {
        const char* typed;
        const char* shown;
        bool refused;
    } cases[] = {{"3", "整備", false}, {"19", "", true}, {"ﾀｲﾔ", "ﾀｲﾔ", false}, {"0", "一般", false}};
    for (const auto& c : cases) {
        messages().clear();
        type(dialog->categoryEdit(), QString::fromUtf8(c.typed));
        EXPECT_EQ(dialog->categoryEdit()->text(), QString::fromUtf8(c.shown)) << c.typed;
        EXPECT_EQ(messages().messages(),
                  c.refused ? QStringList{QStringLiteral("0から18迄を入力して下さい！")}
                            : QStringList())
            << c.typed;
        if (c.refused) {
            EXPECT_EQ(QApplication::focusWidget(), dialog->categoryEdit());
        }
    }
}

TEST_F(ItemDialogTest, CodeZeroSkipsCodesHeldByAnotherComputersPlaceholder)
{
    f.addItems({ItemBuilder(1).text("ワイパー").reading("ﾜ").price(1000)});
    f.open();
    QString peerCode;
    ASSERT_EQ(f.peer({QStringLiteral("reserve"), f.data.folder.path(), QStringLiteral("PC2")},
                     &peerCode),
              0);
    ASSERT_EQ(peerCode, QStringLiteral("2"));
    openDialog();
    EXPECT_EQ(dialog->codeEdit()->text(), QStringLiteral("3"));

    type(dialog->codeEdit(), QStringLiteral("7"));
    EXPECT_EQ(dialog->editor().ownPlaceholder(), 7);
    EXPECT_EQ(f.countWhere("MeisaiCode = 3"), 0) << "the earlier placeholder goes";
    type(dialog->codeEdit(), QStringLiteral("0"));
    EXPECT_EQ(dialog->codeEdit()->text(), QStringLiteral("3"));
    EXPECT_EQ(f.countWhere("MeisaiCode = 7"), 0);
    EXPECT_EQ(f.placeholders(), 2);
}

TEST_F(ItemDialogTest, CodeEditedOnAnotherComputerIsRefusedAndReset)
{
    f.addItems({ItemBuilder(1).text("ワイパー").reading("ﾜ").price(1000),
                ItemBuilder(2).text("バッテリー").reading("ﾊ").price(9000)});
    f.open();
    ASSERT_TRUE(f.peerLock(QStringLiteral("PC2"), Action::Claim, 2));
    openDialog();

    type(dialog->codeEdit(), QStringLiteral("2"));
    EXPECT_EQ(messages().messages(),
              QStringList{QStringLiteral("このデータは他のコンピュータで編集中です！")});
    EXPECT_EQ(dialog->codeEdit()->text(), QStringLiteral("0"));
    EXPECT_EQ(QApplication::focusWidget(), dialog->codeEdit());
    EXPECT_TRUE(dialog->textEdit()->text().isEmpty());

    // Choosing the row instead shows its code only; leaving the field then
    // reports the lock.
    messages().clear();
    clickRow(dialog->list()->rowOfCode(2));
    EXPECT_EQ(dialog->codeEdit()->text(), QStringLiteral("2"));
    EXPECT_TRUE(dialog->textEdit()->text().isEmpty());
    EXPECT_EQ(dialog->priceEdit()->text(), QStringLiteral("0"));

    // The other way round: what this computer edits is refused over there.
    type(dialog->codeEdit(), QStringLiteral("1"));
    EXPECT_EQ(dialog->textEdit()->text(), QStringLiteral("ワイパー"));
    EXPECT_TRUE(dialog->editor().isModifying());
    EXPECT_FALSE(f.peerLock(QStringLiteral("PC2"), Action::Claim, 1));
}

TEST_F(ItemDialogTest, StandAlonePlaceholderLeftBehindLoadsButNotOnANetwork)
{
    f.open();
    QString peerCode;
    ASSERT_EQ(f.peer({QStringLiteral("reserve"), f.data.folder.path(), QStringLiteral("PC2")},
                     &peerCode),
              0);
    // The other computer is gone and its lock with it.
    ASSERT_TRUE(f.peerLock(QStringLiteral("PC2"), Action::Release, 0));
    openDialog();
    type(dialog->codeEdit(), QStringLiteral("1"));
    EXPECT_TRUE(messages().messages().isEmpty());
    EXPECT_EQ(dialog->textEdit()->text(), QStringLiteral("新規作成中"));

    dialog->reject();
    f.store->setNetworkInUse([] { return true; });
    openDialog();
    type(dialog->codeEdit(), QStringLiteral("1"));
    EXPECT_EQ(messages().messages(),
              QStringList{QStringLiteral("このデータは他のコンピュータで編集中です！")});
    EXPECT_EQ(dialog->codeEdit()->text(), QStringLiteral("0"));
}

TEST_F(ItemDialogTest, FullDiskKeepsATypedNewCodeFromBeingReserved)
{
    openDialog();
    f.data.diskHasRoom = false;
    type(dialog->codeEdit(), QStringLiteral("50"));
    QApplication::processEvents();
    EXPECT_EQ(f.countWhere("MeisaiCode = 50"), 0);
    EXPECT_EQ(dialog->editor().ownPlaceholder(), 0);
    EXPECT_EQ(f.placeholders(), 0) << "the earlier placeholder went as well";
    EXPECT_TRUE(f.peerLock(QStringLiteral("PC2"), Action::IsHeldElsewhere, 50));
    EXPECT_EQ(QApplication::focusWidget(), dialog->codeEdit());
}

TEST_F(ItemDialogTest, FullTableRefusesANewItemButAllowsEdits)
{
    f.data.sqlOnFile(QStringLiteral("011.mdb"),
                     "WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < "
                     "9999) INSERT INTO Meisai (MeisaiCode, Meisai, Furi, Kubun, Tanka) "
                     "SELECT n, '部品' || n, 'ﾌ', 10, n FROM c;");
    openDialog(ItemOrder::Code);
    EXPECT_EQ(dialog->list()->rowCount(), 9999);
    EXPECT_EQ(dialog->countLabel()->text(), QStringLiteral("9999/9999件"));
    EXPECT_EQ(messages().messages(),
              QStringList{QStringLiteral(
                  "未使用明細コードが存在しません！\nこれ以上明細を新規に追加することはできません")});
    EXPECT_EQ(dialog->codeEdit()->text(), QStringLiteral("0"));

    messages().clear();
    enterItem(QStringLiteral("新品"), QStringLiteral("ｼ"), QStringLiteral("1"), QStringLiteral("1"));
    clickRecord();
    // Leaving the code field with 0 asked for a free code again first.
    ASSERT_FALSE(messages().messages().isEmpty());
    EXPECT_EQ(messages().messages().back(),
              QStringLiteral("データが 9999 件(最大)存在します！\nこれ以上追加することはできません"));
    EXPECT_EQ(f.countWhere("Meisai = '新品'"), 0);

    messages().clear();
    type(dialog->codeEdit(), QStringLiteral("5"));
    EXPECT_EQ(dialog->textEdit()->text(), QStringLiteral("部品5"));
    EXPECT_EQ(dialog->list()->currentRow(), 4);
    type(dialog->textEdit(), QStringLiteral("部品五"));
    clickRecord();
    EXPECT_EQ(f.countWhere("MeisaiCode = 5 AND Meisai = '部品五'"), 1);
    EXPECT_EQ(dialog->countLabel()->text(), QStringLiteral("9999/9999件"));
    EXPECT_EQ(dialog->list()->cellText(4, 1), QStringLiteral("部品五"));
}

TEST_F(ItemDialogTest, RightClickDeletesAfterTheQuestion)
{
    f.addItems({ItemBuilder(1).text("ワイパー").reading("ﾜ").price(1000),
                ItemBuilder(2).text("バッテリー").reading("ﾊ").price(9000)});
    openDialog(ItemOrder::Code);
    EXPECT_EQ(dialog->countLabel()->text(), QStringLiteral("   2/9999件"));

    messages().answerNext(false);
    rightClickRow(1);
    EXPECT_EQ(messages().questions(), QStringList{QStringLiteral("削除します！\n本当によろしいですね？")});
    EXPECT_EQ(f.countWhere("MeisaiCode = 2"), 1);
    EXPECT_EQ(dialog->list()->rowCount(), 2);

    messages().answerNext(true);
    rightClickRow(1);
    EXPECT_EQ(messages().questions().size(), 2) << messages().messages().join('|').toStdString();
    EXPECT_EQ(messages().unscriptedQuestions(), 0);
    EXPECT_EQ(f.countWhere("Meisai = 'バッテリー'"), 0);
    ASSERT_EQ(dialog->list()->rowCount(), 1);
    EXPECT_EQ(dialog->list()->cellText(0, 0), QStringLiteral("0001"));
    EXPECT_EQ(dialog->countLabel()->text(), QStringLiteral("   1/9999件"));
    EXPECT_EQ(f.announcer.texts(), QStringList{QStringLiteral("Delete,作業・部品,2")});
    // The freed code is the next one offered, and nothing stays locked.
    EXPECT_EQ(dialog->codeEdit()->text(), QStringLiteral("2"));
    EXPECT_TRUE(f.peerLock(QStringLiteral("PC2"), Action::IsHeldElsewhere, 1));
}

TEST_F(ItemDialogTest, KanaIndexPicksTheFirstRowAtOrAfterTheKana)
{
    const ItemBuilder antenna = ItemBuilder(1).text("アンテナ").reading("ｱ");
    const ItemBuilder cover = ItemBuilder(2).text("カバー").reading("ｶ");
    const ItemBuilder handle = ItemBuilder(3).text("ハンドル").reading("ﾊ");
    const struct {
        std::vector<ItemBuilder> rows;
        const char* expected;
    } cases[] = {
        {{antenna, cover, handle}, "ﾊ"},
        {{antenna, cover}, "ｶ"},
    };
    for (const auto& c : cases) {
        kv::test::ItemTestFolder folder;
        folder.addItems(c.rows);
        folder.open();
        kv::masters::ItemProfile().setDialogOrder(ItemOrder::Reading);
        CDSetMeisai items(*folder.store, folder.doc->settings().categories(), folder.announcer);
        items.show();
        EXPECT_TRUE(items.kanaButtons()->isVisible());
        QTest::mouseClick(items.kanaButtons()->button(4), Qt::LeftButton);
        const int row = items.list()->currentRow();
        ASSERT_GE(row, 0);
        EXPECT_EQ(items.list()->cellText(row, 2), QString::fromUtf8(c.expected));
        EXPECT_TRUE(items.kanaButtons()->button(4)->isChecked());
        EXPECT_EQ(items.list()->verticalScrollBar()->value(), 0);
        items.reject();
    }
}

TEST_F(ItemDialogTest, ColumnTitlesSwitchTheOrderAndTheProfileKeepsIt)
{
    f.addItems({ItemBuilder(1).text("ワイパー").reading("ﾜ"),
                ItemBuilder(2).text("アンテナ").reading("ｱ"),
                ItemBuilder(3).text("カバー").reading("ｶ")});
    openDialog(ItemOrder::Reading);
    EXPECT_EQ(readings(), (QStringList{"ｱ", "ｶ", "ﾜ"}));

    QHeaderView* header = dialog->list()->header();
    const auto clickTitle = [&](int column) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
        QApplication::processEvents();
    };
    clickTitle(1);
    EXPECT_EQ(readings(), (QStringList{"ｱ", "ｶ", "ﾜ"}));
    clickTitle(0);
    EXPECT_EQ(readings(), (QStringList{"ﾜ", "ｱ", "ｶ"}));
    EXPECT_FALSE(dialog->kanaButtons()->isVisible());
    EXPECT_EQ(dialog->list()->currentRow(), 0);
    EXPECT_EQ(kv::masters::ItemProfile().dialogOrder(), ItemOrder::Code);
    clickTitle(2);
    EXPECT_EQ(readings(), (QStringList{"ｱ", "ｶ", "ﾜ"}));
    EXPECT_TRUE(dialog->kanaButtons()->isVisible());
    EXPECT_TRUE(dialog->kanaButtons()->button(0)->isChecked());
    EXPECT_EQ(kv::masters::ItemProfile().dialogOrder(), ItemOrder::Reading);
}

TEST_F(ItemDialogTest, ChoosingARowLoadsItAndFollowsAChangedRecord)
{
    f.addItems({ItemBuilder(1).text("ワイパー").reading("ﾜ").category(5).price(1200)});
    openDialog();
    f.data.sql(*f.doc, "UPDATE f011.Meisai SET Meisai = 'ワイパーゴム' WHERE MeisaiCode = 1;");
    clickRow(0);
    EXPECT_EQ(dialog->codeEdit()->text(), QStringLiteral("1"));
    EXPECT_EQ(dialog->textEdit()->text(), QStringLiteral("ワイパーゴム"));
    EXPECT_EQ(dialog->categoryEdit()->text(), QStringLiteral("交換"));
    EXPECT_EQ(dialog->priceEdit()->text(), QStringLiteral("1,200"));
    EXPECT_EQ(dialog->list()->cellText(0, 1), QStringLiteral("ワイパーゴム"));
    EXPECT_TRUE(dialog->editor().isModifying());
    EXPECT_EQ(f.placeholders(), 0) << "choosing another code gives the placeholder back";

    // A row whose item has gone meanwhile disappears.
    f.data.sql(*f.doc, "DELETE FROM f011.Meisai WHERE MeisaiCode = 1;");
    QTest::mouseClick(dialog->clearButton(), Qt::LeftButton);
    clickRow(0);
    EXPECT_EQ(dialog->list()->rowCount(), 0);
}

TEST_F(ItemDialogTest, MessagesFromOtherComputersUpdateTheList)
{
    f.addItems({ItemBuilder(1).text("ワイパー").reading("ﾜ")});
    openDialog(ItemOrder::Reading);
    ASSERT_EQ(CDSetMeisai::openInstance(), dialog.get());
    f.data.sql(*f.doc, "INSERT INTO f011.Meisai (MeisaiCode, Meisai, Furi, Kubun, Tanka) VALUES "
                       "(5, 'アンテナ', 'ｱ', 0, 0);");
    dialog->refreshItem(5, QStringLiteral("アンテナ"), QStringLiteral("ｱ"));
    EXPECT_EQ(readings(), (QStringList{"ｱ", "ﾜ"}));
    f.data.sql(*f.doc, "UPDATE f011.Meisai SET Furi = 'ｲ' WHERE MeisaiCode = 1;");
    dialog->refreshItem(1, QStringLiteral("ワイパー"), QStringLiteral("ｲ"));
    EXPECT_EQ(readings(), (QStringList{"ｱ", "ｲ"}));
    // A comma in the text splits it over the message's fields.
    f.data.sql(*f.doc, "INSERT INTO f011.Meisai (MeisaiCode, Meisai, Furi, Kubun, Tanka) VALUES "
                       "(7, 'オイル,フィルター', 'ｵ', 0, 0);");
    dialog->refreshItem(7, QStringLiteral("オイル"), QStringLiteral("フィルター"));
    EXPECT_EQ(readings(), (QStringList{"ｱ", "ｲ", "ｵ"}));
    EXPECT_EQ(dialog->list()->cellText(2, 1), QStringLiteral("オイル,フィルター"));
    dialog->removeItem(7);
    dialog->removeItem(5);
    EXPECT_EQ(readings(), QStringList{"ｲ"});
    // The input area stays the user's.
    EXPECT_EQ(dialog->codeEdit()->text(), QStringLiteral("2"));
}

TEST_F(ItemDialogTest, NoPlaceholderOrLockIsLeftHoweverTheDialogCloses)
{
    f.open();
    const std::function<void(CDSetMeisai&)> closings[] = {
        [](CDSetMeisai& d) { QTest::keyClick(d.codeEdit(), Qt::Key_Escape); },
        [](CDSetMeisai& d) { QTest::mouseClick(d.closeButton(), Qt::LeftButton); },
        [](CDSetMeisai& d) { d.close(); },
        [](CDSetMeisai&) {},
    };
    int way = 0;
    for (const auto& closeIt : closings) {
        openDialog();
        type(dialog->codeEdit(), QStringLiteral("42"));
        ASSERT_EQ(f.placeholders(), 1);
        ASSERT_FALSE(f.peerLock(QStringLiteral("PC2"), Action::IsHeldElsewhere, 42));
        closeIt(*dialog);
        dialog.reset();
        EXPECT_EQ(f.placeholders(), 0) << "way " << way;
        EXPECT_TRUE(f.peerLock(QStringLiteral("PC2"), Action::IsHeldElsewhere, 42)) << way;
        EXPECT_EQ(CDSetMeisai::openInstance(), nullptr);
        ++way;
    }
    EXPECT_EQ(f.doc->items().GetSort(), QStringLiteral("Furi, Meisai, MeisaiCode"));
}

TEST_F(ItemDialogTest, CategoryWindowFillsTheFieldAndRemembersItsState)
{
    openDialog();
    QTest::mouseClick(dialog->categoryButton(), Qt::LeftButton);
    ASSERT_NE(dialog->categoryWindow(), nullptr);
    EXPECT_TRUE(kv::masters::ItemProfile().isShown(QStringLiteral("MeisaiKubunRef")));
    kv::CListCtrlEx* categories = dialog->categoryWindow()->list();
    ASSERT_EQ(categories->rowCount(), 19);
    EXPECT_EQ(categories->cellText(18, 0), QStringLiteral("18"));
    QTest::mouseClick(categories->viewport(), Qt::LeftButton, {},
                      categories->visualRect(categories->rows()->index(3, 1)).center());
    EXPECT_EQ(dialog->categoryEdit()->text(), QStringLiteral("整備"));

    // Shown again when the dialog opens next time.
    dialog->reject();
    dialog.reset();
    openDialog();
    ASSERT_NE(dialog->categoryWindow(), nullptr);
    EXPECT_TRUE(dialog->categoryButton()->isChecked());
    QTest::mouseClick(dialog->categoryWindow()->findChild<QPushButton*>("cancel"), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(dialog->categoryWindow(), nullptr);
    EXPECT_FALSE(dialog->categoryButton()->isChecked());
    EXPECT_FALSE(kv::masters::ItemProfile().isShown(QStringLiteral("MeisaiKubunRef")));
}

TEST_F(ItemDialogTest, SelectedRowIsDrawnGreenWithWhiteText)
{
    f.addItems({ItemBuilder(1).text("ワイパー").reading("ﾜ"),
                ItemBuilder(2).text("アンテナ").reading("ｱ")});
    openDialog(ItemOrder::Code);
    clickRow(0);
    const QImage image = dialog->list()->viewport()->grab().toImage();
    const QRect selected = rowRect(0);
    const QRect other = rowRect(1);
    EXPECT_EQ(image.pixelColor(selected.left() + 1, selected.center().y()),
              kv::ListRowDelegate::solidSelectedBackground());
    EXPECT_EQ(image.pixelColor(other.left() + 1, other.center().y()),
              kv::ListRowDelegate::rowBackground());
    // The text's strokes, antialiased against the green.
    bool lightText = false;
    for (int x = selected.left(); x < selected.right() && !lightText; ++x)
        for (int y = selected.top(); y < selected.bottom() && !lightText; ++y) {
            const QColor pixel = image.pixelColor(x, y);
            lightText = pixel.red() > 160 && pixel.green() > 160 && pixel.blue() > 160;
        }
    EXPECT_TRUE(lightText);
}

} // namespace
