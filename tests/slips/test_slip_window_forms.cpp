// The header and totals forms of the real slip window by keys: the focus
// stays inside the active form and, after a refusal, on the refused field.

#include "SlipWindowTest.h"

#include "controls/CComboBoxEn.h"
#include "controls/CListCtrlEx.h"
#include "controls/CEditEx.h"
#include "controls/CNumericEditEx.h"
#include "data/tools/DataFolderCreator.h"
#include "masters/CKubunRefFrame.h"
#include "slips/ui/CFKihon.h"
#include "slips/ui/CFTot.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

using namespace kv::test;
using kv::slips::CDenFrame;
using kv::slips::CFKihon;
using kv::slips::CFTot;
using kv::slips::TotalsField;

namespace {

class SlipWindowForms : public SlipWindowTest {
protected:
    void SetUp() override
    {
        SlipWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(open());
        header = frame->findChild<CFKihon*>();
        totals = frame->findChild<CFTot*>();
        ASSERT_TRUE(header && totals);
    }
    static QWidget* focus() { return QApplication::focusWidget(); }

    CFKihon* header = nullptr;
    CFTot* totals = nullptr;
};

TEST_F(SlipWindowForms, EnterAndTabGoRoundTheActiveFormOnly)
{
    press(Qt::Key_F3);
    ASSERT_EQ(frame->activePane(), CDenFrame::Pane::Totals) << messages().toStdString();
    ASSERT_EQ(focus(), totals->field(TotalsField::PartsDiscount));
    press(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(focus(), totals->field(TotalsField::Received)) << "Shift+Enter wraps to the last";
    press(Qt::Key_Tab);
    EXPECT_EQ(focus(), totals->field(TotalsField::PartsDiscount)) << "Tab wraps to the first";
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focus(), totals->field(TotalsField::Received));
    press(Qt::Key_Return);
    EXPECT_EQ(focus(), totals->field(TotalsField::PartsDiscount));
    EXPECT_EQ(frame->activePane(), CDenFrame::Pane::Totals);

    // Still the totals' pane: F11 records.
    folder.messages.answerNext(false);
    press(Qt::Key_F11);
    EXPECT_TRUE(frame.isNull()) << messages().toStdString();
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f003.Syahead WHERE DenNo = 1"), 1);
}

TEST_F(SlipWindowForms, TheHeaderWrapsBetweenItsTypedFields)
{
    ASSERT_EQ(focus(), header->kindCombo());
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focus(), header->bodyWorkRateEdit());
    press(Qt::Key_Return);
    EXPECT_EQ(focus(), header->kindCombo()) << "the shown slip number is no stop";
    EXPECT_EQ(frame->activePane(), CDenFrame::Pane::Header);
}

TEST_F(SlipWindowForms, ARefusedCheckLeavesTheFocusOnTheRefusedField)
{
    // A date that passes its own field but does not exist.
    press(Qt::Key_Return);
    ASSERT_EQ(focus(), header->issueDateEdit());
    header->issueDateEdit()->selectAll();
    type("260230");
    ASSERT_EQ(header->issueDateEdit()->text(), "26/02/30");
    for (const int key : {Qt::Key_F2, Qt::Key_F3}) {
        folder.messages.clear();
        press(key);
        EXPECT_EQ(messages(), u("日付が異常です！\n年月日をよく確認して下さい"));
        EXPECT_EQ(focus(), header->issueDateEdit()) << "after F" << key - Qt::Key_F1 + 1;
        EXPECT_EQ(frame->activePane(), CDenFrame::Pane::Header);
    }
    header->issueDateEdit()->selectAll();
    type("260227");
    folder.messages.clear();

    // A billed amount beyond the range: F11 refuses it at the money
    // received, the field the sum stopped at.
    press(Qt::Key_F3);
    kv::CEditEx* received = totals->field(TotalsField::Received);
    received->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    received->selectAll();
    QTest::keyClicks(received, "-99999999");
    totals->field(TotalsField::PartsDiscount)->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    ASSERT_TRUE(messages().isEmpty()) << messages().toStdString();
    type("-1");
    const QString billed = u("御請求額が-99,999,999から99,999,999迄を\n超えないようにして下さい！");
    EXPECT_EQ(messages(), billed);
    folder.messages.clear();
    press(Qt::Key_F11);
    EXPECT_FALSE(frame.isNull());
    EXPECT_EQ(messages(), billed);
    EXPECT_EQ(focus(), totals->field(TotalsField::Received));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f003.Syahead"), 0);
}

TEST_F(SlipWindowForms, ATransferredSlipIsTaxedAtTodaysRate)
{
    press(Qt::Key_F2);
    type("Oil");
    type("");
    type("");
    type("1");
    type("3700");
    press(Qt::Key_F3);
    folder.messages.answerNext(false);
    press(Qt::Key_F11);
    ASSERT_TRUE(frame.isNull()) << messages().toStdString();
    ASSERT_EQ(scalar("SELECT BuhiKouZei FROM f003.Syahead WHERE DenNo = 1"), 370);

    // The rate went down; the old slip is copied into slip 2.
    doc->settings().rounding().taxRate = 0.08;
    ASSERT_TRUE(access->open(1, 10).ok);
    kv::slips::SlipContext context;
    context.mode = kv::slips::SlipMode::Transfer;
    context.slipNumber = 2;
    context.sourceSlip = 1;
    context.customerCode = 1;
    context.vehicleCode = 10;
    ASSERT_TRUE(open(context));
    totals = frame->findChild<CFTot*>();
    EXPECT_EQ(totals->field(TotalsField::PartsLabourTax)->text(), "296");
    EXPECT_EQ(totals->shownField(CFTot::Shown::Billed)->text(), "3,996");
    press(Qt::Key_F3);
    folder.messages.answerNext(false);
    press(Qt::Key_F11);
    ASSERT_TRUE(frame.isNull()) << messages().toStdString();
    EXPECT_EQ(scalar("SELECT BuhiKouZei FROM f003.Syahead WHERE DenNo = 2"), 296);
    EXPECT_EQ(scalar("SELECT Seikyu FROM f003.Syahead WHERE DenNo = 2"), 3996);
    EXPECT_EQ(scalar("SELECT BuhiKouZei FROM f003.Syahead WHERE DenNo = 1"), 370);
}

TEST_F(SlipWindowForms, TheToolBarShowsEveryCommandAtTheDefaultWidth)
{
    delete frame;
    QWidget mainWindow;
    mainWindow.move(150, 30);
    kv::slips::SlipContext context;
    context.slipNumber = 1;
    context.customerCode = 1;
    context.vehicleCode = 10;
    frame = kv::slips::openSlipWindow(*doc, *access, items.get(), profile.get(), context,
                                      &mainWindow, nullptr, sets.get());
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->pos(), QPoint(157, 116));
    EXPECT_EQ(frame->size(), QSize(809, 584));
    frame->show();
    QApplication::setActiveWindow(frame);
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));

    auto* tools = frame->findChild<QToolBar*>("DenToolBar");
    ASSERT_TRUE(tools);
    QStringList buttons;
    for (QAction* action : tools->actions()) {
        if (action->isSeparator())
            continue;
        buttons << action->text();
        QWidget* button = tools->widgetForAction(action);
        EXPECT_TRUE(button && button->isVisible()) << action->text().toStdString();
    }
    EXPECT_EQ(buttons, (QStringList{u("基本項目"), u("明細"), u("合計"), u("行挿入"), u("行切取"),
                                    u("行ｺﾋﾟｰ"), u("行貼付"), u("印刷のみ"), u("記録のみ"),
                                    u("記録・印刷 連続"), u("PDFで保存"), u("印刷プレビュー"), u("印刷余白設定"),
                                    u("作業・部品一覧表示"), u("作業・部品ｾｯﾄ一覧表示"),
                                    u("区分一覧表示"), u("閉じる")}));
    auto* overflow = tools->findChild<QToolButton*>("qt_toolbar_ext_button");
    EXPECT_TRUE(!overflow || !overflow->isVisible()) << "nothing in the overflow menu";

    const auto action = [tools](const QString& text) -> QAction* {
        for (QAction* a : tools->actions()) {
            if (a->text() == text)
                return a;
        }
        return nullptr;
    };
    EXPECT_EQ(action(u("作業・部品一覧表示"))->toolTip(), u("作業・部品の一覧を表示します(Ctrl+1)"));
    EXPECT_EQ(action(u("作業・部品ｾｯﾄ一覧表示"))->toolTip(), u("作業・部品ｾｯﾄの一覧を表示します(Ctrl+2)"));
    EXPECT_EQ(action(u("区分一覧表示"))->toolTip(), u("区分の一覧を表示します(Ctrl+3)"));
    EXPECT_TRUE(action(u("区分一覧表示"))->isCheckable());

    // The active pane's button shows pressed, by key as by click.
    EXPECT_TRUE(action(u("基本項目"))->isChecked());
    press(Qt::Key_F2);
    EXPECT_TRUE(action(u("明細"))->isChecked());
    EXPECT_FALSE(action(u("基本項目"))->isChecked());
    press(Qt::Key_3, Qt::ControlModifier);
    EXPECT_TRUE(action(u("区分一覧表示"))->isChecked());
    auto* categories = shown<kv::masters::CKubunRefFrame>();
    ASSERT_TRUE(categories);
    QTest::keyClick(categories->list(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(action(u("区分一覧表示"))->isChecked());
    press(Qt::Key_F3);
    EXPECT_TRUE(action(u("合計"))->isChecked());

    // PDF has its key and its place in the menu.
    QAction* pdf = action(u("PDFで保存"));
    ASSERT_TRUE(pdf);
    EXPECT_FALSE(pdf->shortcut().isEmpty());
    bool inMenu = false;
    for (QAction* menu : frame->menuBar()->actions()) {
        if (menu->menu() && menu->menu()->actions().contains(pdf))
            inMenu = true;
    }
    EXPECT_TRUE(inMenu);
    delete frame;
}

// A data folder as the data-folder tool makes it for a new shop.
TEST(NewShopSlipWindow, ANewSlipStartsAsGeneralWorkWithoutTheInspectionCosts)
{
    DocumentTestFolder base;
    TempFolder parent;
    const QString created = parent.path() + "/data";
    QString error;
    ASSERT_TRUE(kv::data::DataFolderCreator::create(created, &error)) << error.toStdString();
    kv::data::DocumentConfig config = base.config();
    config.dataFolder = created;
    auto doc = std::make_unique<kv::data::CCarMaintenanceDoc>(config);
    ASSERT_TRUE(doc->OpenAllDatabases());
    const QDate expiry(2027, 5, 31);
    ASSERT_TRUE(CustomerBuilder(1).name(u("山田")).insertInto(doc->store()));
    ASSERT_TRUE(VehicleBuilder(10).owner(1).inspectionExpiry(expiry).insertInto(doc->store()));
    DocumentTestFolder::sql(*doc, "UPDATE f009.Car SET Jibai = 17650, JyuZei = 16400 WHERE CarCode = 10");
    const qint64 storedExpiry =
        DocumentTestFolder::scalar(*doc, "SELECT CAST(Syaman AS INTEGER) FROM f009.Car");
    ASSERT_TRUE(doc->customers().Requery());
    ASSERT_TRUE(doc->vehicles().Requery());

    TempFolder profileFolder;
    QSettings profile(profileFolder.path() + "/profile.ini", QSettings::IniFormat);
    kv::slips::SlipAccess access(*doc);
    ASSERT_TRUE(access.open(1, 10).ok);
    kv::slips::SlipContext context;
    context.slipNumber = 1;
    context.customerCode = 1;
    context.vehicleCode = 10;
    QPointer<CDenFrame> frame = kv::slips::openSlipWindow(*doc, access, nullptr, &profile, context);
    ASSERT_TRUE(frame);
    frame->show();
    QApplication::setActiveWindow(frame);
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    auto* header = frame->findChild<CFKihon*>();
    auto* totals = frame->findChild<CFTot*>();
    EXPECT_EQ(header->categoryCombo()->currentText(), u("一般整備"));
    EXPECT_EQ(totals->field(TotalsField::Jibai)->text(), "0");

    SlipWindowTest::press(Qt::Key_F3);
    base.messages.answerNext(false);
    SlipWindowTest::press(Qt::Key_F11);
    ASSERT_TRUE(frame.isNull()) << base.messages.messages().join('|').toStdString();
    EXPECT_EQ(DocumentTestFolder::scalar(*doc, "SELECT SyoTot FROM f003.Syahead WHERE DenNo = 1"), 0);
    EXPECT_EQ(DocumentTestFolder::scalar(*doc, "SELECT CAST(Syaman AS INTEGER) FROM f009.Car"),
              storedExpiry)
        << "general work leaves the inspection expiry";
    EXPECT_EQ(DocumentTestFolder::scalar(*doc, "SELECT k.NyuukoKind FROM f003.Syahead h JOIN"
                                               " f004.NyuukoKbn k ON k.NyuukoKbnCode = h.NyuukoKbnCode"),
              4);
}

} // namespace
