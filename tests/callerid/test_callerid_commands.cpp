// Caller ID in the main window: the pop-up of a call brings the customer
// onto the panel, the call history holds the main window off while open,
// and the settings commands follow their rules.
#include "CallerIdTestShop.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/CommandId.h"
#include "app/frame/DocumentFrameRecords.h"
#include "app/startup/ProcessFlags.h"
#include "app/wiring/CallerIdCommands.h"
#include "app/wiring/CallerIdSystem.h"
#include "app/wiring/PanelFrameBridge.h"
#include "callerid/core/CallInfoStore.h"
#include "callerid/core/CallerIdService.h"
#include "callerid/core/CallerIdTexts.h"
#include "callerid/ui/CDCtiInfo.h"
#include "callerid/ui/CDSetCTI.h"
#include "callerid/ui/CTelCallHistoryFrame.h"
#include "callerid/ui/CallPopups.h"
#include "controls/CListCtrlEx.h"
#include "support/FrameOnDocument.h"
#include "support/ModalDialogHelper.h"

#include <QComboBox>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstring>

using namespace kv;
using namespace kv::app;
namespace Cmd = kv::app::CommandId;

namespace {

struct SilentPlayer final : callerid::RingSoundPlayer {
    void setSound(const QByteArray&) override {}
    void play() override {}
};

class CallerIdWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        shop.customer(1, "葛飾 太郎", "03-3611-9879");
        shop.customer(2, "江戸川 花子", "03-1111-2222");
        ASSERT_TRUE(shop.doc->customers().Requery());
        ASSERT_TRUE(shop.doc->vehicles().Requery());
        kv::test::openFrameOnDocument(*shop.doc, temp.path(), profile, frame, records, bridge);
        callerId = std::make_unique<CallerIdSystem>(*shop.doc, false, std::make_unique<SilentPlayer>());
        commands = std::make_unique<CallerIdCommands>(*frame, *bridge, *callerId, &profile);
        frame->refreshCommands();
        frame->show();
    }
    void TearDown() override
    {
        ProcessFlags::showReceivedCalls = false;
        commands.reset();
        callerId.reset();
        bridge.reset();
        frame.reset();
    }
    void call(const char* number)
    {
        TlxCallNotice notice{};
        std::strcpy(notice.number, number);
        std::strcpy(notice.date, "12-09");
        std::strcpy(notice.time, "10:30");
        callerId->service().OnAdapterCall(notice);
    }

    test::CallerIdTestShop shop;
    test::TempFolder temp;
    QSettings profile{temp.file("profile.ini"), QSettings::IniFormat};
    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<DocumentFrameRecords> records;
    std::unique_ptr<PanelFrameBridge> bridge;
    std::unique_ptr<CallerIdSystem> callerId;
    std::unique_ptr<CallerIdCommands> commands;
};

} // namespace

TEST_F(CallerIdWindow, APopupOnlyWhileReceivedCallsShowAndEnterShowsTheCustomerWhenThePanelIsFree)
{
    ProcessFlags::showReceivedCalls = false;
    call("0336119879");
    EXPECT_TRUE(commands->popups().popups().isEmpty());
    EXPECT_EQ(shop.callFile().entries.back().kokCode, 1); // kept all the same

    ProcessFlags::showReceivedCalls = true;
    call("0311112222");
    ASSERT_EQ(commands->popups().popups().size(), 1);
    callerid::CDCtiInfo* popup = commands->popups().popups().front();

    // A new customer is being entered: refused, the pop-up stays.
    frame->state().mode = FrameState::NewCustomer;
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_EQ(shop.folder.messages.messages(), QStringList{callerid::CallerIdTexts::PanelBusy});
    EXPECT_EQ(commands->popups().popups().size(), 1);

    frame->state().mode = FrameState::Nothing;
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_EQ(bridge->shownCustomerCode(), 2);
    EXPECT_TRUE(commands->popups().popups().isEmpty());

    // A pop-up still open does not keep the program running once the main
    // window closes.
    profile.setValue("CtiInfo/ButtonPush", 1);
    call("0336119879");
    ASSERT_EQ(commands->popups().popups().size(), 1);
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    QTimer closing;
    closing.setSingleShot(true);
    QObject::connect(&closing, &QTimer::timeout, frame.get(), [this] { frame->close(); });
    closing.start(0);
    QTimer stillRunning;
    stillRunning.setSingleShot(true);
    QObject::connect(&stillRunning, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    stillRunning.start(3000);
    EXPECT_EQ(qApp->exec(), 0) << "the program ended with the main window";
    EXPECT_EQ(lastClosed.count(), 1);
}

TEST_F(CallerIdWindow, TheHistoryHoldsTheMainWindowOffAndShowsWhatTheLanSaysCameIn)
{
    call("0336119879");
    ASSERT_TRUE(frame->isCommandEnabled(Cmd::CallHistory));
    frame->runCommand(Cmd::CallHistory);
    callerid::CTelCallHistoryFrame* history = commands->historyWindow();
    ASSERT_NE(history, nullptr);
    EXPECT_EQ(history->windowTitle(), "TEL着信履歴");
    EXPECT_EQ(history->size(), QSize(761, 327));
    EXPECT_EQ(history->pos(), frame->geometry().topLeft() + QPoint(7, 86));
    EXPECT_FALSE(frame->isEnabled());
    EXPECT_FALSE(frame->isCommandEnabled(Cmd::CallHistory));
    EXPECT_EQ(history->list()->rowCount(), 1);

    // Another computer (the server) recorded a call and said so.
    data::CallInfoFile onServer = shop.callFile();
    onServer.entries[18] = onServer.entries[19];
    onServer.entries[19].kokCode = 2;
    onServer.entries[19].ownerName1 = "江戸川 花子";
    ASSERT_TRUE(shop.folder.folder.write("018.dat", onServer.toBytes()));
    commands->onTelCallInfo();
    ASSERT_EQ(history->list()->rowCount(), 2);
    EXPECT_EQ(history->list()->codeOfRow(1), 2);
    EXPECT_EQ(shop.doc->settings().callInfo().entries[19].kokCode, 2);

    history->resize(700, 300);
    history->close();
    QTRY_VERIFY(commands->historyWindow() == nullptr);
    EXPECT_EQ(profile.value("TelCallHistoryFrame/cx").toInt(), 700);
    EXPECT_TRUE(frame->isEnabled());
    EXPECT_TRUE(frame->isCommandEnabled(Cmd::CallHistory));
}

TEST_F(CallerIdWindow, CallerIdSettingsAreStoredForTheNextStartAndEndTheProgram)
{
    EXPECT_FALSE(frame->isCommandEnabled(Cmd::PopupSettings)) << "no port";
    ASSERT_TRUE(frame->isCommandEnabled(Cmd::CallerIdSettings));
    test::ModalDialogHelper dialogs;
    bool suspendedMeanwhile = false;
    dialogs.answerNext([&](QWidget* dialog) {
        auto* settings = qobject_cast<callerid::CDSetCTI*>(dialog);
        ASSERT_NE(settings, nullptr);
        suspendedMeanwhile = ProcessFlags::callLookupSuspended;
        settings->portList()->setCurrentIndex(4);
        settings->silentChoice()->setChecked(true);
        settings->accept();
    });
    frame->runCommand(Cmd::CallerIdSettings);
    EXPECT_TRUE(dialogs.idle());
    EXPECT_TRUE(suspendedMeanwhile);
    EXPECT_FALSE(ProcessFlags::callLookupSuspended);
    const data::CallerIdSettings stored =
        data::CallerIdSettings::fromBytes(shop.folder.folder.read("017.dat"));
    EXPECT_EQ(stored.port, 4);
    EXPECT_EQ(stored.soundOption, 1);
    EXPECT_EQ(shop.doc->settings().callerId().port, 0) << "this run goes on as it started";
    EXPECT_FALSE(frame->isVisible()) << "the program ends";
}
