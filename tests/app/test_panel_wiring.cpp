// The main window with the customer and vehicle panel and its searches
// attached, on a document of a fresh data folder.

#include "support/FrameOnDocument.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/CommandId.h"
#include "controls/CEditEx.h"
#include "app/frame/DocumentFrameRecords.h"
#include "app/wiring/DialogSearchEntry.h"
#include "app/wiring/LedgerCommands.h"
#include "app/wiring/PanelFrameBridge.h"
#include "app/wiring/SlipCommands.h"
#include "records/panel/CFMainPanel.h"
#include "records/panel/PanelQueryForm.h"
#include "records/recording/CDSelectDeleteData.h"
#include "records/search/CAllSearchFrame.h"
#include "records/search/CAllSearchGroup.h"
#include "records/search/CAllSearchListView.h"
#include "records/search/CDKokCodeSearch.h"
#include "records/search/CKokRanSearchFrame.h"
#include "slips/core/SlipRecorder.h"
#include "slips/ui/CDenFrame.h"
#include "slips/ui/CSyareFrame.h"

#include "data/document/DocumentTestFolder.h"
#include "data/engine/DayNumber.h"
#include "data/service/ShareLockAction.h"
#include "ledger/ui/CDDennoSearch.h"
#include "ledger/ui/CDSetKuriZan.h"
#include "ledger/ui/CMotoFrame.h"
#include "support/CustomerBuilder.h"
#include "support/ModalDialogHelper.h"
#include "support/TestPaths.h"
#include "support/Utf8.h"
#include "support/VehicleBuilder.h"

#include <QApplication>
#include <QDir>
#include <QInputMethodEvent>
#include <QPointer>
#include <QRadioButton>
#include <QSettings>
#include <QTest>

using namespace kv::app;
using F = kv::records::PanelField;
using kv::test::CustomerBuilder;
using kv::test::u;
using kv::test::VehicleBuilder;

namespace {

class PanelWiring : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = folder.open();
        ASSERT_TRUE(doc);
        kv::data::DataStore& store = doc->store();
        CustomerBuilder(1)
            .name(u("山田"), u("太郎"))
            .reading(u("ﾔﾏﾀﾞ"))
            .address(u("東京都港区1-1"))
            .postalCode(1050001)
            .vehicles(2)
            .insertInto(store);
        CustomerBuilder(2).name(u("佐藤"), u("花子")).reading(u("ｻﾄｳ")).address(u("大阪府")).insertInto(store);
        VehicleBuilder(10).owner(1).plate(u("品川"), 500, u("あ"), 1234).chassis(u("A-1")).insertInto(store);
        VehicleBuilder(11).owner(1).plate(u("練馬"), 300, u("さ"), 42).chassis(u("A-2")).insertInto(store);
        // The document opened its recordsets before these rows existed.
        ASSERT_TRUE(doc->customers().Requery());
        ASSERT_TRUE(doc->vehicles().Requery());

        kv::test::openFrameOnDocument(*doc, temp.path(), profile, frame, records, bridge);
        entry = std::make_unique<DialogSearchEntry>(frame.get());
        frame->commands().setSearchEntry(entry.get());
        frame->refreshCommands();
        frame->resize(1100, 820);
        frame->show();
        frame->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }

    void TearDown() override
    {
        bridge.reset();
        frame.reset();
    }

    // F1 answered with the text typed into the code field, or cancelled
    // with Esc when text is null.
    void searchCustomerCode(const QString& text)
    {
        dialogs.answerNext([text](QWidget* dialog) {
            auto* search = qobject_cast<kv::records::search::CDKokCodeSearch*>(dialog);
            ASSERT_NE(search, nullptr) << "F1 opens the customer code entry";
            if (text.isNull()) {
                QTest::keyClick(search, Qt::Key_Escape);
                return;
            }
            search->field()->setText(text);
            search->accept();
        });
        // The keys are the window's shortcuts: it must be active again
        // after the last dialog.
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        QTest::keyClick(frame.get(), Qt::Key_F1);
        EXPECT_TRUE(dialogs.idle());
    }

    // A key of the main window's shortcuts, with the window active again.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        QTest::keyClick(frame.get(), key, modifiers);
    }

    // Types into a panel field as a user would and leaves it with Tab.
    void type(F field, const QString& text)
    {
        QWidget* edit = panel().fieldWidget(field);
        edit->setFocus(Qt::TabFocusReason);
        // Japanese arrives through the input method, not as key presses.
        bool ascii = true;
        for (const QChar c : text)
            ascii = ascii && c.unicode() < 0x80;
        if (ascii) {
            QTest::keyClicks(edit, text);
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QApplication::sendEvent(edit, &commit);
        }
        QTest::keyClick(edit, Qt::Key_Tab);
    }

    // The second Ctrl+F2; the result window it opened without a message.
    kv::records::search::CAllSearchFrame* executeQuery()
    {
        press(Qt::Key_F2, Qt::ControlModifier);
        EXPECT_TRUE(folder.messages.messages().isEmpty())
            << folder.messages.messages().join('|').toStdString();
        return bridge->queryForm().resultWindow();
    }

    bool queryMode() { return frame->state().queryMode; }
    QAction* queryButton() { return frame->action(CommandId::QueryByFormSearch); }
    kv::records::search::CAllSearchGroup* queryGroup() { return panel().queryGroup(); }

    kv::records::CFMainPanel& panel() { return bridge->panel(); }
    QString shown(F field) { return panel().heldValues().text(field); }

    kv::test::DocumentTestFolder folder;
    kv::test::TempFolder temp;
    QSettings profile{temp.file(QStringLiteral("profile.ini")), QSettings::IniFormat};
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;
    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<DocumentFrameRecords> records;
    std::unique_ptr<PanelFrameBridge> bridge;
    std::unique_ptr<DialogSearchEntry> entry;
    kv::test::ModalDialogHelper dialogs;
};

TEST_F(PanelWiring, CustomerCodeSearchShowsTheCustomerOnThePanel)
{
    ASSERT_TRUE(frame->isCommandEnabled(CommandId::CustomerCodeSearch));
    EXPECT_EQ(panel().parentWidget(), frame->viewSlot());
    EXPECT_EQ(panel().customerTotalText(), QStringLiteral("2"));
    EXPECT_EQ(panel().vehicleTotalText(), QStringLiteral("2"));

    searchCustomerCode(QStringLiteral("1"));
    EXPECT_TRUE(folder.messages.messages().isEmpty())
        << folder.messages.messages().join('|').toStdString();
    EXPECT_EQ(panel().shownCustomerCode(), 1);
    EXPECT_EQ(panel().shownVehicleCode(), 10);
    EXPECT_EQ(shown(F::UserName1), u("山田"));
    EXPECT_EQ(shown(F::Syatai), u("A-1"));
    EXPECT_EQ(frame->state().mode, 1);
    EXPECT_FALSE(panel().modeText().isEmpty());
    // The panel's buttons reached the frame: the vehicle searches, the
    // owned vehicles, recording and deleting are on; the slip work, whose
    // window is not part of the frame yet, stays off.
    EXPECT_TRUE(frame->isCommandEnabled(CommandId::VehicleCodeSearch));
    EXPECT_TRUE(frame->isCommandEnabled(CommandId::OwnedVehicles));
    for (const int command : {CommandId::NewCustomer, CommandId::NewVehicle,
                              CommandId::RecordCustomerVehicle, CommandId::Delete})
        EXPECT_TRUE(frame->isCommandEnabled(command)) << command;
    EXPECT_FALSE(frame->isCommandEnabled(CommandId::CreateSlip));

    const QDir shots(kv::test::buildDir() + QStringLiteral("/screenshots"));
    ASSERT_TRUE(shots.mkpath(QStringLiteral(".")));
    EXPECT_TRUE(frame->grab().save(shots.filePath(QStringLiteral("main_window_panel.png"))));
}

TEST_F(PanelWiring, CancelledOrMissingCodeLeavesThePanelAsItWas)
{
    searchCustomerCode(QStringLiteral("1"));
    ASSERT_EQ(panel().shownCustomerCode(), 1);
    const QString modeBefore = panel().modeText();

    struct Case {
        QString text;
        const char* message;
    };
    const Case cases[] = {
        {QString(), nullptr},             // Esc
        {QStringLiteral("9"), "該当顧客が存在しません！"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.isNull() ? std::string("Esc") : c.text.toStdString());
        folder.messages.clear();
        searchCustomerCode(c.text);
        EXPECT_EQ(folder.messages.messages(),
                  c.message ? QStringList{u(c.message)} : QStringList{});
        EXPECT_EQ(panel().shownCustomerCode(), 1);
        EXPECT_EQ(shown(F::UserName1), u("山田"));
        EXPECT_EQ(frame->state().mode, 1);
        EXPECT_EQ(panel().modeText(), modeBefore);
    }
}

TEST_F(PanelWiring, StepMovesToTheNextCustomerInCodeOrder)
{
    searchCustomerCode(QStringLiteral("1"));
    ASSERT_TRUE(frame->isCommandEnabled(CommandId::Next));
    frame->runCommand(CommandId::Next);
    EXPECT_EQ(panel().shownCustomerCode(), 2);
    EXPECT_EQ(shown(F::UserName1), u("佐藤"));
}

TEST_F(PanelWiring, CtrlArrowsStepFromAnyFieldOfThePanel)
{
    kv::test::DocumentTestFolder::sql(
        *doc, "INSERT INTO f010.Kok (KokCode, UserName1, Furi) VALUES (3, '鈴木', 'ｽｽﾞｷ')");
    ASSERT_TRUE(doc->customers().Requery());
    searchCustomerCode(QStringLiteral("2"));
    ASSERT_EQ(panel().shownCustomerCode(), 2);

    // The keys go to the focused field, which has uses of its own for them
    // (a line edit moves by words); the frame's step must win in every kind.
    const struct {
        F field;
        Qt::Key key;
        int shown;
    } presses[] = {
        {F::OwnerName1, Qt::Key_Right, 3}, {F::OwnerName1, Qt::Key_Left, 2},
        {F::Shime1, Qt::Key_Left, 1},      {F::Shime1, Qt::Key_Right, 2},
        {F::Sama, Qt::Key_Right, 3},       {F::Sama, Qt::Key_Left, 2},
    };
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    for (const auto& press : presses) {
        QWidget* field = panel().fieldWidget(press.field);
        SCOPED_TRACE(field->metaObject()->className());
        field->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), field);
        QTest::keyClick(field, press.key, Qt::ControlModifier);
        EXPECT_EQ(panel().shownCustomerCode(), press.shown);
    }
    EXPECT_EQ(shown(F::UserName1), u("佐藤"));
    EXPECT_TRUE(folder.messages.messages().isEmpty())
        << folder.messages.messages().join('|').toStdString();
}

TEST_F(PanelWiring, ReadingIndexHoldsTheMainWindowUntilItCloses)
{
    searchCustomerCode(QStringLiteral("1"));
    ASSERT_TRUE(frame->isCommandEnabled(CommandId::ReadingIndexSearch));
    ASSERT_TRUE(frame->availability().buttonEnabled(CommandId::CreateSlip));
    frame->runCommand(CommandId::ReadingIndexSearch);
    kv::records::search::CKokRanSearchFrame* index = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<kv::records::search::CKokRanSearchFrame*>(window))
            index = found;
    }
    ASSERT_NE(index, nullptr);
    EXPECT_FALSE(frame->isEnabled());
    EXPECT_TRUE(frame->state().indexWindowOpen);
    EXPECT_FALSE(frame->availability().buttonEnabled(CommandId::CreateSlip));

    index->close();
    EXPECT_TRUE(frame->isEnabled());
    EXPECT_FALSE(frame->state().indexWindowOpen);
    EXPECT_TRUE(frame->isCommandEnabled(CommandId::CustomerCodeSearch));
    EXPECT_TRUE(frame->availability().buttonEnabled(CommandId::CreateSlip));
    EXPECT_TRUE(frame->isCommandEnabled(CommandId::RecordCustomerVehicle));
}

TEST_F(PanelWiring, F10ThenF12RecordsANewCustomerAndReturnsToTheSearch)
{
    searchCustomerCode(QStringLiteral("1"));
    press(Qt::Key_F10);
    EXPECT_EQ(frame->state().mode, 100);
    EXPECT_EQ(frame->state().reservedCustomerCode, 3);
    EXPECT_EQ(shown(F::KokCode), QStringLiteral("3"));
    EXPECT_FALSE(frame->isCommandEnabled(CommandId::NewVehicle));

    auto* name = static_cast<kv::CEditEx*>(panel().fieldWidget(F::OwnerName1));
    name->setFocus(Qt::TabFocusReason);
    QInputMethodEvent commit;
    commit.setCommitString(u("新井"));
    QApplication::sendEvent(name, &commit);
    press(Qt::Key_F12);
    EXPECT_TRUE(folder.messages.messages().isEmpty())
        << folder.messages.messages().join('|').toStdString();
    EXPECT_EQ(kv::test::DocumentTestFolder::scalar(
                  *doc, "SELECT COUNT(*) FROM f010.Kok WHERE KokCode = 3 AND UserName1 = '新井'"),
              1);
    EXPECT_EQ(frame->state().mode, 1);
    EXPECT_EQ(frame->state().reservedCustomerCode, 0);
    EXPECT_TRUE(frame->isCommandEnabled(CommandId::NewVehicle));
    EXPECT_EQ(panel().customerTotalText(), QStringLiteral("3"));
}

TEST_F(PanelWiring, AltF5DeletesTheCustomerChosenAndConfirmed)
{
    searchCustomerCode(QStringLiteral("1"));
    dialogs.answerNext([](QWidget* dialog) {
        auto* chooser = qobject_cast<kv::records::CDSelectDeleteData*>(dialog);
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(chooser->windowTitle(), u("削除データ選択"));
        EXPECT_TRUE(chooser->vehicleButton()->isChecked());
        chooser->customerButton()->setChecked(true);
        QTest::keyClick(chooser, Qt::Key_Return);
    });
    folder.messages.answerNext(true);
    press(Qt::Key_F5, Qt::AltModifier);
    EXPECT_TRUE(dialogs.idle());
    EXPECT_EQ(folder.messages.questions(),
              QStringList{u("表示中の顧客・保有車輌とその車歴・取引明細を削除します！\n"
                            "本当によろしいですね？")});
    EXPECT_TRUE(folder.messages.messages().isEmpty());
    EXPECT_EQ(kv::test::DocumentTestFolder::scalar(
                  *doc, "SELECT COUNT(*) FROM f010.Kok WHERE KokCode = 1"),
              0);
    EXPECT_EQ(kv::test::DocumentTestFolder::scalar(*doc, "SELECT COUNT(*) FROM f009.Car"), 0);
    EXPECT_EQ(frame->state().mode, 0);
    EXPECT_EQ(panel().customerTotalText(), QStringLiteral("1"));
    EXPECT_FALSE(frame->isCommandEnabled(CommandId::Delete));
    EXPECT_TRUE(frame->isCommandEnabled(CommandId::NewCustomer));
}

TEST_F(PanelWiring, QueryByFormIsEnteredOnThePanelAndEndsWithItsResultWindow)
{
    searchCustomerCode(QStringLiteral("1"));
    ASSERT_TRUE(frame->isCommandEnabled(CommandId::QueryByFormSearch));
    press(Qt::Key_F2, Qt::ControlModifier);
    ASSERT_TRUE(queryMode());
    EXPECT_TRUE(queryButton()->isChecked());
    EXPECT_TRUE(queryGroup()->isVisible());
    EXPECT_EQ(panel().shownCustomerCode(), 0);
    EXPECT_TRUE(panel().customerGroupEnabled());
    EXPECT_FALSE(panel().vehicleGroupEnabled());
    EXPECT_FALSE(static_cast<kv::CEditEx*>(panel().fieldWidget(F::KokCode))->isReadOnly());
    EXPECT_EQ(QApplication::focusWidget(), panel().fieldWidget(F::KokCode));
    // The panel holds search values: nothing may record, delete or search it.
    for (const int command : {CommandId::RecordCustomerVehicle, CommandId::Delete,
                              CommandId::CustomerCodeSearch, CommandId::NewCustomer,
                              CommandId::Next, CommandId::ReadingIndexSearch})
        EXPECT_FALSE(frame->isCommandEnabled(command)) << command;

    // Switching the target switches the group that takes the values.
    queryGroup()->vehicleButton()->click();
    EXPECT_FALSE(panel().customerGroupEnabled());
    EXPECT_TRUE(panel().vehicleGroupEnabled());
    EXPECT_EQ(QApplication::focusWidget(), panel().fieldWidget(F::CarCode));
    queryGroup()->customerButton()->click();
    queryGroup()->orButton()->click();
    type(F::UserName1, u("山田"));
    type(F::UserName2, u("花子"));
    QPointer<kv::records::search::CAllSearchFrame> results = executeQuery();
    ASSERT_TRUE(results);
    EXPECT_EQ(results->windowTitle(), u("指定検索　該当顧客 = 2件"));
    EXPECT_EQ(results->listView()->rowCount(), 2);
    EXPECT_FALSE(queryGroup()->isVisible());
    EXPECT_EQ(profile.value(QStringLiteral("AllSearch/Conditions")).toInt(), 1);
    EXPECT_EQ(panel().shownCustomerCode(), 1);
    EXPECT_EQ(frame->state().mode, 1);

    // A second Ctrl+F2 brings the open results back instead of a new query.
    press(Qt::Key_F2, Qt::ControlModifier);
    EXPECT_EQ(bridge->queryForm().resultWindow(), results.data());
    EXPECT_TRUE(queryMode());

    QTest::keyClick(results->listView(), Qt::Key_Down);
    EXPECT_EQ(panel().shownCustomerCode(), 2);
    QTest::keyClick(results->listView(), Qt::Key_Escape);
    QTRY_VERIFY(!results || !results->isVisible());
    EXPECT_FALSE(queryMode());
    EXPECT_FALSE(queryButton()->isChecked());
    EXPECT_TRUE(frame->isCommandEnabled(CommandId::RecordCustomerVehicle));
    EXPECT_TRUE(frame->isCommandEnabled(CommandId::CustomerCodeSearch));
    EXPECT_EQ(frame->state().mode, 1);
    EXPECT_EQ(panel().shownCustomerCode(), 2);
}

TEST_F(PanelWiring, QueryByFormFindsTheVehiclesOfOneExpiryDay)
{
    kv::test::DocumentTestFolder::sql(
        *doc, "UPDATE f009.Car SET Syaman = "
                  + QByteArray::number(kv::data::toDayNumber(QDate(2027, 3, 15)), 'f', 1)
                  + " WHERE CarCode = 11");
    ASSERT_TRUE(doc->vehicles().Requery());
    press(Qt::Key_F2, Qt::ControlModifier);
    queryGroup()->vehicleButton()->click();
    type(F::Syaman, QStringLiteral("090315"));
    QPointer<kv::records::search::CAllSearchFrame> results = executeQuery();
    ASSERT_TRUE(results);
    EXPECT_EQ(results->windowTitle(), u("指定検索　該当車輌 = 1件"));
    EXPECT_EQ(panel().shownVehicleCode(), 11);
    EXPECT_EQ(profile.value(QStringLiteral("AllSearch/KokCar")).toInt(), 1);
    QTest::keyClick(results->listView(), Qt::Key_Return);
    QTRY_VERIFY(!queryMode());
}

TEST_F(PanelWiring, QueryByFormWithoutResultOrWithARefusedValue)
{
    // No customer at all: the query does not start.
    kv::test::DocumentTestFolder::sql(*doc, "DELETE FROM f010.Kok");
    ASSERT_TRUE(doc->customers().Requery());
    press(Qt::Key_F2, Qt::ControlModifier);
    EXPECT_EQ(folder.messages.messages(), QStringList{u("顧客が存在しません！")});
    EXPECT_FALSE(queryMode());
    EXPECT_FALSE(queryButton()->isChecked());
    CustomerBuilder(1).name(u("山田")).reading(u("ﾔﾏﾀﾞ")).insertInto(doc->store());
    ASSERT_TRUE(doc->customers().Requery());
    folder.messages.clear();

    // A stray quote is the engine's message; the user corrects the field.
    searchCustomerCode(QStringLiteral("1"));
    press(Qt::Key_F2, Qt::ControlModifier);
    type(F::UserName1, u("山\"田"));
    press(Qt::Key_F2, Qt::ControlModifier);
    ASSERT_EQ(folder.messages.messages().size(), 1);
    EXPECT_TRUE(folder.messages.messages().front().startsWith(u("クエリ式")));
    EXPECT_TRUE(queryMode());
    EXPECT_TRUE(queryGroup()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), panel().fieldWidget(F::UserName1));
    EXPECT_EQ(bridge->queryForm().resultWindow(), nullptr);

    // Nothing matches: the mode before the query, an empty panel.
    folder.messages.clear();
    static_cast<kv::CEditEx*>(panel().fieldWidget(F::UserName1))->clear();
    type(F::UserName1, u("鈴木"));
    press(Qt::Key_F2, Qt::ControlModifier);
    EXPECT_EQ(folder.messages.messages(), QStringList{u("該当データが存在しません！")});
    EXPECT_FALSE(queryMode());
    EXPECT_FALSE(queryGroup()->isVisible());
    EXPECT_EQ(frame->state().mode, 1);
    EXPECT_EQ(panel().shownCustomerCode(), 0);
    EXPECT_FALSE(panel().customerGroupEnabled());
    EXPECT_FALSE(frame->isCommandEnabled(CommandId::RecordCustomerVehicle));
    EXPECT_TRUE(frame->isCommandEnabled(CommandId::CustomerCodeSearch));
    EXPECT_TRUE(frame->isCommandEnabled(CommandId::NewCustomer));
}

TEST_F(PanelWiring, F8OpensANewSlipOrTheHistoryAndHoldsTheRecordCommandsMeanwhile)
{
    SlipCommands slips(*frame, *doc, *bridge, nullptr, &profile);
    frame->refreshCommands();
    EXPECT_FALSE(frame->isCommandEnabled(CommandId::CreateSlip)) << "nothing shown yet";
    searchCustomerCode(QStringLiteral("1"));
    ASSERT_EQ(panel().shownVehicleCode(), 10);
    ASSERT_TRUE(frame->isCommandEnabled(CommandId::CreateSlip));

    // A vehicle without slips: a new slip at once.
    press(Qt::Key_F8);
    QPointer<kv::slips::CDenFrame> window = frame->findChild<kv::slips::CDenFrame*>();
    ASSERT_TRUE(window) << folder.messages.messages().join('|').toStdString();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->mode(), kv::slips::SlipMode::New);
    for (const int command : {CommandId::CreateSlip, CommandId::RecordCustomerVehicle,
                              CommandId::NewVehicle, CommandId::Ledger})
        EXPECT_FALSE(frame->isCommandEnabled(command)) << command;
    window->close();
    QApplication::processEvents();
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(frame->isCommandEnabled(CommandId::CreateSlip));
    EXPECT_TRUE(frame->isCommandEnabled(CommandId::RecordCustomerVehicle));
    EXPECT_TRUE(doc->ShareLock("009.mdb", "PC3", 10, kv::data::ShareLockAction::IsHeldElsewhere))
        << "closing gave the vehicle back";

    // A vehicle with slips: its history.
    kv::slips::SlipRecording estimate;
    estimate.customerCode = 1;
    estimate.header.m_DenNo = 5;
    estimate.header.m_CarCode = 10;
    estimate.header.m_SeiKokCode = 1;
    estimate.header.m_DenKind = kv::slips::Estimate;
    ASSERT_TRUE(kv::slips::SlipRecorder(*doc).record(estimate).recorded);
    press(Qt::Key_F8);
    QPointer<kv::slips::CSyareFrame> history = frame->findChild<kv::slips::CSyareFrame*>();
    ASSERT_TRUE(history);
    EXPECT_EQ(history->currentSlip(), 5);
    EXPECT_TRUE(history->windowTitle().startsWith(u("車歴一覧   顧客：1 山田太郎")))
        << history->windowTitle().toStdString();
    history->close();
    QApplication::processEvents();
    EXPECT_TRUE(frame->isCommandEnabled(CommandId::CreateSlip));
}

TEST_F(PanelWiring, F9OpensTheLedgerWhoseF8HandsALineOverToItsSlip)
{
    SlipCommands slips(*frame, *doc, *bridge, nullptr, &profile);
    LedgerCommands ledger(*frame, *doc, *bridge, slips, &profile);
    kv::test::DocumentTestFolder::sql(*doc, "INSERT INTO f014.Zan (KokCode, KuriZan) VALUES (1, 0)");
    kv::slips::SlipRecording note;
    note.customerCode = 1;
    note.header.m_DenNo = 5;
    note.header.m_CarCode = 10;
    note.header.m_SeiKokCode = 1;
    note.header.m_HatuDate = 46000.5;
    note.header.m_Tot = note.header.m_Seikyu = 3300;
    folder.messages.answerNext(true);
    ASSERT_TRUE(kv::slips::SlipRecorder(*doc).record(note).recorded);
    frame->refreshCommands();
    EXPECT_FALSE(frame->isCommandEnabled(CommandId::Ledger)) << "nothing shown yet";
    searchCustomerCode(QStringLiteral("1"));
    ASSERT_TRUE(frame->isCommandEnabled(CommandId::Ledger));
    const auto heldHere = [this] {
        return !doc->ShareLock("010.mdb", "PC3", 1, kv::data::ShareLockAction::IsHeldElsewhere);
    };

    // Alt+F2 holds the customer while its dialog is open, and not after.
    bool heldMeanwhile = false;
    dialogs.answerNext([&](QWidget* dialog) {
        ASSERT_TRUE(qobject_cast<kv::ledger::CDSetKuriZan*>(dialog));
        heldMeanwhile = heldHere();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    press(Qt::Key_F2, Qt::AltModifier);
    EXPECT_TRUE(dialogs.idle());
    EXPECT_TRUE(heldMeanwhile);
    EXPECT_FALSE(heldHere());

    // F9: the ledger, the record commands off while it is open.
    press(Qt::Key_F9);
    QPointer<kv::ledger::CMotoFrame> window = ledger.window();
    ASSERT_TRUE(window) << folder.messages.messages().join('|').toStdString();
    EXPECT_EQ(window->windowTitle(), u("元帳   顧客：1  山田太郎"));
    EXPECT_TRUE(heldHere());
    EXPECT_FALSE(frame->isEnabled()) << "nothing can be typed into the panel meanwhile";
    EXPECT_TRUE(window->isEnabled());
    for (const int command : {CommandId::CreateSlip, CommandId::Ledger,
                              CommandId::CarriedForwardBalance, CommandId::RecordCustomerVehicle})
        EXPECT_FALSE(frame->isCommandEnabled(command)) << command;

    // Its line of slip 5 opens the slip for modification in place of the ledger.
    dialogs.answerNext([](QWidget* dialog) {
        auto* search = qobject_cast<kv::ledger::CDDennoSearch*>(dialog);
        ASSERT_TRUE(search);
        search->field()->setText(QStringLiteral("5"));
        search->accept();
    });
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_F4);
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F8);
    QApplication::processEvents();
    EXPECT_TRUE(window.isNull()) << folder.messages.messages().join('|').toStdString();
    QPointer<kv::slips::CDenFrame> slip = frame->findChild<kv::slips::CDenFrame*>();
    ASSERT_TRUE(slip);
    EXPECT_TRUE(slip->isEnabled()) << "the slip window is the main window's own";
    EXPECT_EQ(slip->mode(), kv::slips::SlipMode::Modify);
    EXPECT_TRUE(heldHere()) << "the slip work holds the customer now";
    EXPECT_FALSE(frame->isCommandEnabled(CommandId::Ledger));
    slip->close();
    QApplication::processEvents();
    EXPECT_FALSE(heldHere());
    EXPECT_TRUE(frame->isCommandEnabled(CommandId::Ledger));

    // Closed with Alt+F4, the ledger gives the customer and the commands back.
    press(Qt::Key_F9);
    window = ledger.window();
    ASSERT_TRUE(window);
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::AltModifier);
    QApplication::processEvents();
    EXPECT_TRUE(window.isNull());
    EXPECT_FALSE(heldHere());
    EXPECT_TRUE(frame->isEnabled());
    EXPECT_TRUE(frame->isCommandEnabled(CommandId::Ledger));
    EXPECT_TRUE(frame->isCommandEnabled(CommandId::RecordCustomerVehicle));
}

} // namespace
