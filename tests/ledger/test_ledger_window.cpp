// The ledger window driven by its keys: sales and payments typed into the
// form with the automatic tax, the running balances read back from the
// list, changes and deletions, a line of a slip, the carried-forward
// balance dialog and a full ledger.

#include "ledger/ui/CDDennoSearch.h"
#include "ledger/ui/CDSetKuriZan.h"
#include "ledger/ui/CFMoto.h"
#include "ledger/ui/CMotoFrame.h"
#include "ledger/ui/LedgerListModel.h"

#include "LedgerShop.h"
#include "controls/CComboBoxEn.h"
#include "controls/CEditEx.h"
#include "controls/CListCtrlEx.h"
#include "controls/ListRowDelegate.h"
#include "data/service/ShareLockAction.h"
#include "support/LockHoldingComputer.h"
#include "support/ModalDialogHelper.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

using namespace kv::test;
using namespace kv::ledger;
using F = EntryField;

namespace {

constexpr int kBalance = int(LedgerColumn::Balance);

class LedgerWindow : public LedgerShop {
protected:
    void TearDown() override { delete frame; }

    void open()
    {
        frame = CMotoFrame::open(*doc, 1, &profile);
        ASSERT_TRUE(frame) << folder.messages.messages().join('|').toStdString();
        frame->show();
        QApplication::setActiveWindow(frame);
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    }

    CFMoto& form() { return *frame->form(); }

    // A key of the window, with the window active again after a dialog.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QApplication::setActiveWindow(frame);
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : frame.data(), key, modifiers);
        QApplication::processEvents();
    }

    // Types into a field as a user would and leaves it with Tab.
    void type(F which, const QString& text)
    {
        kv::CEditEx* edit = form().field(which);
        edit->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }

    QString shown(F which) { return form().field(which)->text(); }
    QStringList balances()
    {
        QStringList texts;
        kv::CListCtrlEx* list = form().list();
        for (int row = 0; row < list->rowCount(); ++row)
            texts << list->cellText(row, kBalance);
        return texts;
    }
    bool enabled(const QKeySequence& key) { return frame->commandAction(key)->isEnabled(); }
    QString messages() { return folder.messages.messages().join('|'); }

    // A delivery note 7 of vehicle 10 with two lines, posted to the ledger.
    void postedSlip()
    {
        sql("INSERT INTO f003.Syahead (DenNo, CarCode, SeiKokCode) VALUES (7, 10, 1)");
        sql("INSERT INTO f002.SyaJnl (DenNo, LineNo) VALUES (7, 0), (7, 1)");
        sql("INSERT INTO f013.ToriJnl (KokCode, Date, DenFlag, DenNo, NyuukoKbnCode, GTot)"
            " VALUES (1, 46000.5, 1, 7, 1, 31111)");
    }

    // F4 answered with the slip number.
    void searchSlip(int number)
    {
        dialogs.answerNext([number](QWidget* dialog) {
            auto* search = qobject_cast<CDDennoSearch*>(dialog);
            ASSERT_TRUE(search);
            search->field()->setText(QString::number(number));
            search->accept();
        });
        press(Qt::Key_F4);
        EXPECT_TRUE(dialogs.idle());
    }

    // Another computer is refused the customer.
    bool heldHere()
    {
        return !doc->ShareLock("010.mdb", "PC3", 1, kv::data::ShareLockAction::IsHeldElsewhere);
    }

    QPointer<CMotoFrame> frame;
    ModalDialogHelper dialogs;
};

TEST_F(LedgerWindow, ASaleAndAPaymentTypedWithTheKeysRunTheBalanceDownAndBackUp)
{
    open();
    EXPECT_EQ(frame->windowTitle(), u("元帳   顧客：1  山田太郎"));
    EXPECT_EQ(form().carriedForwardField()->text(), "5,000");
    EXPECT_FALSE(enabled(Qt::Key_F2)) << "no lines to change";
    EXPECT_TRUE(enabled(Qt::Key_F5));

    // The sale: the taxes come by themselves as the amounts are left.
    type(F::Date, "261201");
    EXPECT_EQ(shown(F::Date), "26/12/01");
    type(F::CarCode, "10");
    EXPECT_EQ(shown(F::Rikuji), u("品川"));
    EXPECT_EQ(shown(F::Preno), "1234");
    type(F::Buhin, "12345");
    type(F::Koutin, "10000");
    EXPECT_EQ(shown(F::Zei), "2,234");
    type(F::KaSyohi, "5000");
    EXPECT_EQ(shown(F::SyoZei), "500");
    EXPECT_EQ(form().totalField()->text(), "30,079");
    type(F::Nyu, "10000");
    EXPECT_EQ(form().resultField()->text(), "20,079");
    press(Qt::Key_F12);
    ASSERT_EQ(messages(), "");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f013.ToriJnl WHERE KokCode = 1 AND ToriKbn = 0"
                     " AND Buhin = 12345 AND Koutin = 10000 AND Zei = 2234 AND KaSyohi = 5000"
                     " AND SyoZei = 500 AND Tot = 30079 AND Nyu = 10000 AND GTot = 20079"
                     " AND CarCode = 10 AND Preno = 1234"),
              1);
    EXPECT_EQ(balances(), QStringList{"25,079"});
    EXPECT_EQ(form().mode(), CFMoto::Mode::New);
    EXPECT_EQ(shown(F::Buhin), "0") << "a new entry follows";

    // The payment: its category switches the form to the payment layout.
    type(F::Date, "261202");
    form().categoryBox()->setFocus();
    press(Qt::Key_Down);
    EXPECT_EQ(form().resultCaption()->text(), u("入金合計"));
    EXPECT_FALSE(form().field(F::Buhin)->isEnabled());
    EXPECT_TRUE(form().field(F::Nyu)->isEnabled());
    type(F::Nyu, "20000");
    EXPECT_EQ(form().resultField()->text(), "20,000");
    press(Qt::Key_F12);
    ASSERT_EQ(messages(), "");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f013.ToriJnl WHERE ToriKbn = 2 AND GTot = -20000"
                     " AND Nyu = 20000 AND Buhin = 0 AND CarCode = 0"),
              1);
    EXPECT_EQ(balances(), (QStringList{"25,079", "5,079"}));
    EXPECT_EQ(form().list()->cellText(1, int(LedgerColumn::Payments)), "20,000");
    EXPECT_EQ(form().list()->cellText(1, int(LedgerColumn::Result)), "-20,000");

    // F2 loads the last line; Up moves to the sale, which is changed to a
    // sale on credit.
    press(Qt::Key_F2);
    ASSERT_EQ(form().mode(), CFMoto::Mode::Modify);
    EXPECT_EQ(shown(F::Nyu), "20,000");
    press(Qt::Key_Up);
    EXPECT_EQ(shown(F::Buhin), "12,345");
    EXPECT_EQ(form().resultCaption()->text(), u("差引合計"));
    EXPECT_TRUE(enabled(Qt::Key_F3));
    type(F::Nyu, "0");
    press(Qt::Key_F12);
    ASSERT_EQ(messages(), "");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f013.ToriJnl WHERE ToriKbn = 1 AND GTot = 30079"
                     " AND Zei = 2234"),
              1);
    EXPECT_EQ(balances(), (QStringList{"35,079", "15,079"}));

    // F3 on the payment, confirmed: the balance is back where the sale left it.
    press(Qt::Key_F2);
    ASSERT_EQ(form().mode(), CFMoto::Mode::Modify);
    folder.messages.answerNext(true);
    press(Qt::Key_F3);
    EXPECT_EQ(folder.messages.questions(), QStringList{u("削除します！\n本当によろしいですね？")});
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f013.ToriJnl"), 1);
    EXPECT_EQ(balances(), QStringList{"35,079"});
    EXPECT_EQ(form().mode(), CFMoto::Mode::New);
    EXPECT_FALSE(enabled(Qt::Key_F3));
}

TEST_F(LedgerWindow, ALineOfASlipIsNotRecordedHereButHandedToTheSlipWindow)
{
    postedSlip();
    open();
    std::vector<LedgerAccess::LinkedSlip> asked;
    bool accept = false;
    frame->setSlipOpener([&](const LedgerAccess::LinkedSlip& slip) {
        asked.push_back(slip);
        // As the slip work does: its claim replaces this computer's entry,
        // and a refusal gives it back.
        if (!accept)
            doc->ShareLock("010.mdb", "Server", 0, kv::data::ShareLockAction::Release);
        return accept;
    });
    EXPECT_FALSE(enabled(Qt::Key_F8));
    searchSlip(7);
    ASSERT_EQ(form().mode(), CFMoto::Mode::Modify);
    EXPECT_EQ(form().list()->cellText(0, int(LedgerColumn::SlipNo)), "000007");
    EXPECT_FALSE(enabled(Qt::Key_F12));
    EXPECT_TRUE(enabled(Qt::Key_F8));

    // Refused: the ledger stays and holds its customer again.
    press(Qt::Key_F8);
    ASSERT_TRUE(frame);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].slipNumber, 7);
    EXPECT_EQ(asked[0].customerCode, 1);
    EXPECT_EQ(asked[0].vehicleCode, 10);
    EXPECT_TRUE(heldHere());

    // Opened: the ledger gives way without giving back the slip's lock.
    accept = true;
    QSignalSpy closed(frame.data(), &CMotoFrame::closedWindow);
    press(Qt::Key_F8);
    QApplication::processEvents();
    EXPECT_TRUE(frame.isNull());
    ASSERT_EQ(closed.size(), 1);
    EXPECT_TRUE(closed[0][0].toBool());
    EXPECT_TRUE(heldHere());
}

TEST_F(LedgerWindow, DeletingALineOfASlipTakesTheSlipAlongWhenTheUserSaysSo)
{
    postedSlip();
    open();
    // A search for a slip no line carries.
    searchSlip(8);
    EXPECT_EQ(messages(), u("該当伝票が存在しません！"));
    EXPECT_EQ(form().mode(), CFMoto::Mode::New);
    folder.messages.clear();

    searchSlip(7);
    folder.messages.answerNext(true);
    folder.messages.answerNext(true);
    press(Qt::Key_F3);
    EXPECT_EQ(folder.messages.questions(),
              (QStringList{u("削除します！\n本当によろしいですね？"), u("伝票も削除しますか？")}));
    EXPECT_EQ(scalar("SELECT (SELECT COUNT(*) FROM f013.ToriJnl) + (SELECT COUNT(*) FROM f003.Syahead)"
                     " + (SELECT COUNT(*) FROM f002.SyaJnl)"),
              0);
    EXPECT_EQ(form().list()->rowCount(), 0);
    EXPECT_FALSE(enabled(Qt::Key_F4));
}

TEST_F(LedgerWindow, TheTotalFollowsEveryAmountShownEvenOneTheFormComputed)
{
    open();
    type(F::Buhin, "1000");
    ASSERT_EQ(shown(F::Zei), "100");
    EXPECT_EQ(form().totalField()->text(), "1,100");
    // A sale free of tax: the computed tax typed over with 0.
    type(F::Zei, "0");
    EXPECT_EQ(form().totalField()->text(), "1,000");
    type(F::KaSyohi, "500");
    ASSERT_EQ(shown(F::SyoZei), "50");
    type(F::SyoZei, "0");
    EXPECT_EQ(form().totalField()->text(), "1,500");
    EXPECT_EQ(form().resultField()->text(), "1,500");

    // The payment layout clears the sales; typed again they count again.
    type(F::HikaSyohi, "300");
    form().categoryBox()->setCurrentIndex(1);
    ASSERT_EQ(shown(F::HikaSyohi), "0");
    form().categoryBox()->setCurrentIndex(0);
    type(F::HikaSyohi, "300");
    EXPECT_EQ(form().totalField()->text(), "300");
    EXPECT_EQ(messages(), "");
}

TEST_F(LedgerWindow, AChangeOfCategoryShowsTheResultOfTheNewLayout)
{
    open();
    form().categoryBox()->setCurrentIndex(1);
    type(F::Nyu, "20000");
    ASSERT_EQ(form().resultField()->text(), "20,000");
    ASSERT_EQ(form().resultCaption()->text(), u("入金合計"));
    // The same payment on a sale: nothing sold, 20,000 paid.
    form().categoryBox()->setCurrentIndex(0);
    EXPECT_EQ(form().resultCaption()->text(), u("差引合計"));
    EXPECT_EQ(form().resultField()->text(), "-20,000");
    EXPECT_EQ(messages(), "");
}

TEST_F(LedgerWindow, AFailedSlipSearchLeavesNoHiddenLineToDelete)
{
    sql("INSERT INTO f013.ToriJnl (KokCode, Date, NyuukoKbnCode, GTot)"
        " VALUES (1, 46000.5, 1, 1000), (1, 46001.5, 1, 2000)");
    open();
    press(Qt::Key_F2);
    press(Qt::Key_Up);
    ASSERT_EQ(form().mode(), CFMoto::Mode::Modify);
    ASSERT_EQ(form().list()->currentRow(), 0);

    // The last line is marked after the search; what F3 takes away must be
    // what the user sees marked, so the search ends the change.
    searchSlip(8);
    EXPECT_EQ(messages(), u("該当伝票が存在しません！"));
    EXPECT_EQ(form().mode(), CFMoto::Mode::New);
    EXPECT_FALSE(enabled(Qt::Key_F3));
    folder.messages.answerNext(true);
    press(Qt::Key_F3);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f013.ToriJnl"), 2);
}

TEST_F(LedgerWindow, TheCarriedForwardBalanceIsCheckedAndWrittenWithoutHoldingOthersOff)
{
    sql("INSERT INTO f013.ToriJnl (KokCode, Date, NyuukoKbnCode, GTot) VALUES (1, 46000.5, 1, 1000)");
    open();
    ASSERT_EQ(balances(), QStringList{"6,000"});
    bool othersCouldPrint = false;
    dialogs.answerNext([&](QWidget* dialog) {
        auto* balance = qobject_cast<CDSetKuriZan*>(dialog);
        ASSERT_TRUE(balance);
        EXPECT_EQ(balance->field()->text(), "5,000");
        balance->field()->setText("1,000,000,000");
        balance->accept();
        EXPECT_TRUE(balance->isVisible());
        EXPECT_EQ(balance->field()->text(), "5,000") << "the old value is shown again";
        {
            // While the dialog waits, another computer may record or print...
            LockHoldingComputer printing(folder.folder.path(), {"hold", "Printing"});
            othersCouldPrint = printing.ready;
            // ...and while it does, this one's value waits.
            balance->field()->setText("-999,999,999");
            balance->accept();
            EXPECT_TRUE(balance->isVisible());
        }
        balance->accept();
    });
    press(Qt::Key_F2, Qt::AltModifier);
    EXPECT_TRUE(dialogs.idle());
    EXPECT_TRUE(othersCouldPrint);
    EXPECT_EQ(folder.messages.messages(),
              (QStringList{u("-999,999,999から999,999,999迄の整数を入力してくだい！"),
                           u("他のコンピュータで印刷準備中です！\n暫くしてから再度記録を行ってください。")}));
    EXPECT_EQ(scalar("SELECT KuriZan FROM f014.Zan WHERE KokCode = 1"), -999'999'999);
    EXPECT_EQ(form().carriedForwardField()->text(), "-999,999,999");
    EXPECT_EQ(balances(), QStringList{"-999,998,999"});
}

TEST_F(LedgerWindow, AFullLedgerShowsEveryBalanceInSixtyFourBitsAndRefusesANewLine)
{
    // A thousand sales of 99,999,999: their sum passes what 32 bits hold.
    sql("WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < 1000)"
        " INSERT INTO f013.ToriJnl (KokCode, Date, NyuukoKbnCode, Buhin, Tot, GTot)"
        " SELECT 1, 45000 + n, 1, 99999999, 99999999, 99999999 FROM c");
    open();
    EXPECT_EQ(messages(), "") << "no message for a balance past 32 bits";
    ASSERT_EQ(form().list()->rowCount(), 1000);
    EXPECT_EQ(balances().constFirst(), "100,004,999");
    EXPECT_EQ(balances().constLast(), "100,000,004,000");

    type(F::Buhin, "1");
    press(Qt::Key_F12);
    EXPECT_EQ(messages(), u("明細が 1000 件(最大)存在します！\n更新を行って下さい"));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f013.ToriJnl"), 1000);

    // Existing lines are still changed.
    folder.messages.clear();
    press(Qt::Key_F2);
    ASSERT_EQ(form().mode(), CFMoto::Mode::Modify);
    type(F::Nyu, "99999999");
    press(Qt::Key_F12);
    EXPECT_EQ(messages(), "");
    EXPECT_EQ(balances()[998], "99,900,004,001");
    EXPECT_EQ(balances().constLast(), "99,900,004,001") << "the last line paid in full";
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f013.ToriJnl WHERE Nyu = 99999999"), 1);
}

TEST_F(LedgerWindow, EveryAmountOfARangeShowsWholeUnlessTheUserChoseAWidth)
{
    // A 車検 sale beside an eleven-digit balance: the widest amounts a range holds.
    sql("INSERT INTO f013.ToriJnl (KokCode, Date, NyuukoKbnCode, Buhin, Koutin, Sonota, Zei,"
        " HikaSyohi, KaSyohi, SyoZei, Tot, Nyu, NyuCho, GTot) VALUES"
        " (1, 46000.5, 1, -20000000, 17700000, 99999999, -9999999, 9999999, 9999999, 999999,"
        " -99999999, -99999999, -99999999, -99999999)");
    sql("UPDATE f014.Zan SET KuriZan = -999999999 WHERE KokCode = 1");
    for (int i = 0; i < 100; ++i)
        sql("INSERT INTO f013.ToriJnl (KokCode, Date, NyuukoKbnCode, GTot)"
            " VALUES (1, 46001.5, 1, -99999999)");
    open();
    kv::CListCtrlEx* list = form().list();
    ASSERT_EQ(list->rowCount(), 101);
    const int margins = 2 * list->rowDelegate()->textMargin();
    for (int column = int(LedgerColumn::Buhin); column <= kBalance; ++column) {
        for (int row = 0; row < list->rowCount(); ++row) {
            const QString text = list->cellText(row, column);
            EXPECT_GE(list->columnWidth(column), list->fontMetrics().horizontalAdvance(text) + margins)
                << "column " << column << " cuts " << text.toStdString();
        }
    }
    EXPECT_EQ(balances().constLast(), "-11,099,999,898");

    delete frame;
    profile.setValue(LedgerListModel::widthKey(kBalance), 40);
    open();
    EXPECT_EQ(form().list()->columnWidth(kBalance), 40) << "a width the user dragged wins";
}

} // namespace
