#include "app/frame/ApplicationFonts.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/CommandId.h"
#include "app/frame/FramePanel.h"
#include "app/frame/FrameRecords.h"
#include "app/frame/PickListEditor.h"
#include "app/frame/SearchEntry.h"
#include "app/help/HelpWindow.h"
#include "app/startup/ProcessFlags.h"
#include "app/wiring/BackupCommands.h"
#include "app/wiring/MasterCommands.h"
#include "app/wiring/PendingCommands.h"
#include "print/PrinterAccess.h"
#include "app/wiring/RecordCommands.h"
#include "data/service/ShareLockAction.h"
#include "data/settings/SettingsStore.h"
#include "support/GoldenImage.h"
#include "support/RecordingMessageGateway.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <optional>

using namespace kv::app;
using kv::test::RecordingMessageGateway;
using kv::test::TempFolder;
namespace Cmd = kv::app::CommandId;

namespace {

// The document side: remembers what the frame asked of it.
class FakeRecords final : public FrameRecords {
public:
    QStringList orders;
    QList<int> deletedCustomers;
    QList<int> deletedVehicles;
    QStringList locks;
    bool claimSucceeds = true;

    void orderCustomersAndVehicles(const QString& customerSort, const QString& vehicleSort) override
    {
        orders << customerSort + QStringLiteral(" / ") + vehicleSort;
    }
    void orderBalances(const QString& sort) override { orders << QStringLiteral("balances ") + sort; }
    void deleteCustomer(int code) override { deletedCustomers << code; }
    void deleteVehicle(int code) override { deletedVehicles << code; }
    bool ShareLock(const QString& resource, int code, int action) override
    {
        locks << QStringLiteral("%1 %2 %3").arg(resource).arg(code).arg(action);
        return action != kv::data::ShareLockAction::Claim || claimSucceeds;
    }
};

class FakePanel final : public FramePanel {
public:
    QStringList calls;
    bool found = true;
    bool deletes = true;
    int reservedCustomer = 0;
    bool ShowCustomer(int code, bool) override { calls << QStringLiteral("ShowCustomer %1").arg(code); return found; }
    bool ShowByReading(const QString& r) override { calls << QStringLiteral("ShowByReading ") + r; return found; }
    bool ShowVehicle(int code, bool) override { calls << QStringLiteral("ShowVehicle %1").arg(code); return found; }
    bool ShowByPlate(const QString& n) override { calls << QStringLiteral("ShowByPlate ") + n; return found; }
    void ShowOwnedVehicles() override { calls << QStringLiteral("ShowOwnedVehicles"); }
    void StepCustomer(bool next) override { calls << QStringLiteral("StepCustomer %1").arg(next); }
    void StepVehicle(bool next) override { calls << QStringLiteral("StepVehicle %1").arg(next); }
    int NewCustomer() override { calls << QStringLiteral("NewCustomer"); return reservedCustomer; }
    bool NewVehicle(int* code) override { calls << QStringLiteral("NewVehicle"); *code = 0; return true; }
    bool RecordNewVehicle() override { calls << QStringLiteral("RecordNewVehicle"); return true; }
    bool RecordCurrent() override { calls << QStringLiteral("RecordCurrent"); return true; }
    bool RecordNewCustomer() override { calls << QStringLiteral("RecordNewCustomer"); return true; }
    bool DeleteCustomer() override
    {
        calls << QStringLiteral("DeleteCustomer");
        return deletes;
    }
    bool DeleteVehicle() override { calls << QStringLiteral("DeleteVehicle"); return deletes; }
    void SetModeText(int mode) override { calls << QStringLiteral("SetModeText %1").arg(mode); }
};

class FakeEntry final : public SearchEntry {
public:
    std::optional<int> code;
    std::optional<QString> text;
    DeleteChoice choice = DeleteChoice::Cancel;
    int asked = 0;
    std::optional<int> customerCode() override { ++asked; return code; }
    std::optional<QString> customerReading() override { ++asked; return text; }
    std::optional<int> vehicleCode() override { ++asked; return code; }
    std::optional<QString> plateNumber() override { ++asked; return text; }
    DeleteChoice chooseDeleteData() override { ++asked; return choice; }
};

class FakePickLists final : public PickListEditor {
public:
    QList<int> edited;
    void edit(int command) override { edited << command; }
};

class FakePrinters final : public kv::print::PrinterAccess {
public:
    std::optional<kv::data::PrinterIdentity> answer;
    int asked = 0;
    std::optional<kv::data::PrinterIdentity> chooseSetup() override { ++asked; return answer; }
    bool hasPrinter() const override { return false; }
    bool print(kv::print::PagePainter&) override { return false; }
    void preview(kv::print::PagePainter&) override {}
    std::optional<QString> choosePdfFile(const QString&) override { return std::nullopt; }
};

// A main window on a profile of its own, with the commands registered as the
// program registers them and the later parts stood in by the fakes above,
// shown and active so its keys work.
struct FrameFixture {
    TempFolder temp;
    QSettings profile{temp.file(QStringLiteral("profile.ini")), QSettings::IniFormat};
    FakeRecords records;
    FakePanel panel;
    FakeEntry entry;
    FakePickLists pickLists;
    FakePrinters printers;
    int clients = 0;
    bool allowClose = true;
    int documentClosed = 0;
    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<RecordCommands> recordCommands;
    std::unique_ptr<MasterCommands> masterCommands;
    std::unique_ptr<PendingCommands> pendingCommands;

    explicit FrameFixture(bool isClient = false, bool attachParts = true)
    {
        CMainFrame::Setup setup;
        setup.isClient = isClient;
        setup.clientCount = [this] { return clients; };
        setup.computerName = isClient ? QStringLiteral("PC2") : QStringLiteral("Server");
        setup.programFolder = temp.path();
        setup.profile = &profile;
        setup.printers = &printers;
        setup.canClose = [this] { return allowClose; };
        setup.closeDocument = [this] { ++documentClosed; };
        frame = std::make_unique<CMainFrame>(std::move(setup));
        recordCommands = std::make_unique<RecordCommands>(*frame);
        masterCommands = std::make_unique<MasterCommands>(*frame);
        pendingCommands = std::make_unique<PendingCommands>(*frame);
        if (attachParts) {
            frame->commands().setRecords(&records);
            frame->commands().setPanel(&panel);
            frame->commands().setSearchEntry(&entry);
            frame->commands().setPickListEditor(&pickLists);
            frame->refreshCommands();
        }
        frame->show();
        frame->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }

    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(frame.get(), key, modifiers);
    }
    bool enabled(int command) const { return frame->isCommandEnabled(command); }
};

// A main window that is never shown, for its commands' rules: the record
// and pending commands registered, the parts attached, the reading index
// standing in as a window that does nothing.
struct RulesFrame {
    FakeRecords records;
    FakePanel panel;
    FakeEntry entry;
    int clients = 0;
    CMainFrame frame;
    RecordCommands recordCommands;
    PendingCommands pendingCommands;

    explicit RulesFrame(bool isClient = false)
        : frame(setup(isClient))
        , recordCommands(frame, {.readingIndex = [] {}, .queryByForm = {}})
        , pendingCommands(frame)
    {
        frame.commands().setRecords(&records);
        frame.commands().setPanel(&panel);
        frame.commands().setSearchEntry(&entry);
    }

    CMainFrame::Setup setup(bool isClient)
    {
        CMainFrame::Setup setup;
        setup.isClient = isClient;
        setup.clientCount = [this] { return clients; };
        return setup;
    }

    // The command's rule, whether or not its window is built.
    bool ruleAllows(int command) const
    {
        const Command* registered = frame.registry().command(command);
        EXPECT_NE(registered, nullptr) << command;
        return registered && (!registered->available || registered->available());
    }
};

CommandAvailability::Flags allOn()
{
    CommandAvailability::Flags flags;
    flags.f3 = flags.f4 = flags.f5 = flags.previous = flags.next = flags.slip = true;
    flags.newCustomer = flags.newVehicle = flags.ledgerGroup = flags.record = true;
    return flags;
}

} // namespace

TEST(MainFrameRules, AtStartOnlyTheSearchesNewCustomerAndExitAreOffered)
{
    RulesFrame f;
    for (int command : {Cmd::CustomerCodeSearch, Cmd::CustomerReadingSearch, Cmd::VehicleCodeSearch,
                        Cmd::PlateNumberSearch, Cmd::NewCustomer, Cmd::ReadingIndexSearch, Cmd::Exit})
        EXPECT_TRUE(f.frame.registry().isAvailable(command)) << command;
    // The slip work's and the ledger's rules are their wirings', tested with them.
    for (int command : {Cmd::OwnedVehicles, Cmd::NewVehicle, Cmd::RecordCustomerVehicle,
                        Cmd::Delete, Cmd::Previous, Cmd::Next})
        EXPECT_FALSE(f.ruleAllows(command)) << command;
}

TEST(MainFrameRules, DeleteAndBackupNeedAServerWithoutClientsAndNoOpenWindow)
{
    struct Case {
        const char* name;
        bool client;
        int clients;
        bool backupRunning;
        bool indexOpen, slipOpen, ledgerOpen;
        bool deleteAvailable;
        bool backupAvailable;
    };
    const Case cases[] = {
        {"server alone", false, 0, false, false, false, false, true, true},
        {"client", true, 0, false, false, false, false, false, false},
        {"server with a client", false, 1, false, false, false, false, false, false},
        {"backup running", false, 0, true, false, false, false, true, false},
        {"index window open", false, 0, false, true, false, false, true, false},
        {"slip window open", false, 0, false, false, true, false, true, false},
        {"ledger window open", false, 0, false, false, false, true, true, false},
    };
    for (const Case& c : cases) {
        RulesFrame f(c.client);
        f.frame.SetCommandButtons(allOn());
        // The windows open after the buttons were set; connecting clients too.
        f.clients = c.clients;
        FrameState& state = f.frame.state();
        state.indexWindowOpen = c.indexOpen;
        state.slipWindowOpen = c.slipOpen;
        state.ledgerWindowOpen = c.ledgerOpen;
        ProcessFlags::backupIdle = !c.backupRunning;
        EXPECT_EQ(f.frame.registry().isAvailable(Cmd::Delete), c.deleteAvailable) << c.name;
        // The backup's rule, as its wiring registers it.
        EXPECT_EQ(BackupCommands::allowed(f.frame.availability(), f.frame.state()),
                  c.backupAvailable)
            << c.name;
        ProcessFlags::backupIdle = true;
    }
}

TEST(MainFrameRules, WhileAChildWindowIsOpenOnlyTheSearchAndStepButtonsChange)
{
    FrameState state;
    CommandAvailability rules(state, false, [] { return 0; });
    rules.SetCommandButtons({});
    state.slipWindowOpen = true;
    rules.SetCommandButtons(allOn());
    for (int command : {Cmd::VehicleCodeSearch, Cmd::PlateNumberSearch, Cmd::OwnedVehicles,
                        Cmd::Previous, Cmd::Next})
        EXPECT_TRUE(rules.buttonEnabled(command)) << command;
    for (int command : {Cmd::CreateSlip, Cmd::NewCustomer, Cmd::NewVehicle, Cmd::Ledger,
                        Cmd::CarriedForwardBalance, Cmd::Delete, Cmd::RecordCustomerVehicle})
        EXPECT_FALSE(rules.buttonEnabled(command)) << command;
}

TEST(MainFrameRules, SetSearchOrderSortsByTheMode)
{
    FrameState state;
    CommandAvailability rules(state, false, {});
    FrameCommands commands(state, rules, QStringLiteral("Server"));
    FakeRecords records;
    commands.setRecords(&records);
    const struct {
        int mode;
        QStringList orders;
        int searchOrder;
    } cases[] = {
        {2, {"Furi, KokCode / KokCode, CarCode", "balances KokCode"}, 2},
        {1, {"KokCode / KokCode, CarCode", "balances KokCode"}, 1},
        {3, {"KokCode / CarCode", "balances KokCode"}, 3},
        {4, {"KokCode / Preno, CarCode", "balances KokCode"}, 4},
        {100, {"balances KokCode"}, 4},
        {0, {"balances KokCode"}, 4},
    };
    for (const auto& c : cases) {
        records.orders.clear();
        commands.SetSearchOrder(c.mode);
        EXPECT_EQ(records.orders, c.orders) << c.mode;
        EXPECT_EQ(state.searchOrder, c.searchOrder) << c.mode;
    }
}

TEST(MainFrame, WithoutTheLaterWindowsTheirCommandsStayDisabled)
{
    FrameFixture f(false, false);
    for (int command : {Cmd::CustomerCodeSearch, Cmd::NewCustomer, Cmd::Backup, Cmd::CreateSlip,
                        Cmd::LedgerReport, Cmd::CompanyInformation, Cmd::CustomerNameList,
                        Cmd::QueryByFormSearch, Cmd::CallHistory})
        EXPECT_FALSE(f.enabled(command)) << command;
    for (int command : {Cmd::Exit, Cmd::HelpContents, Cmd::VersionInfo, Cmd::PrinterSetup,
                        Cmd::ShowReceivedCalls})
        EXPECT_TRUE(f.enabled(command)) << command;
    f.press(Qt::Key_F1);
    EXPECT_EQ(f.entry.asked, 0);
}

TEST(MainFrame, KeysAtStartFollowTheAvailability)
{
    FrameFixture f;
    for (int command : {Cmd::CustomerCodeSearch, Cmd::CustomerReadingSearch, Cmd::VehicleCodeSearch,
                        Cmd::PlateNumberSearch, Cmd::NewCustomer})
        EXPECT_TRUE(f.enabled(command)) << command;
    for (int command : {Cmd::OwnedVehicles, Cmd::NewVehicle, Cmd::RecordCustomerVehicle, Cmd::Delete,
                        Cmd::Previous, Cmd::Next})
        EXPECT_FALSE(f.enabled(command)) << command;

    // Disabled commands do nothing when their keys are pressed.
    f.press(Qt::Key_F5);
    f.press(Qt::Key_F11);
    f.press(Qt::Key_F12);
    f.press(Qt::Key_F5, Qt::AltModifier);
    f.press(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_TRUE(f.panel.calls.isEmpty()) << f.panel.calls.join(',').toStdString();
    EXPECT_EQ(f.entry.asked, 0);
}

TEST(MainFrame, F12InModeZeroDoesNothing)
{
    FrameFixture f;
    f.frame->SetCommandButtons(allOn());
    ASSERT_TRUE(f.enabled(Cmd::RecordCustomerVehicle));
    f.press(Qt::Key_F12);
    EXPECT_TRUE(f.panel.calls.isEmpty());
    EXPECT_EQ(f.frame->state().mode, 0);
    EXPECT_EQ(f.frame->state().previousSearchMode, 0);
}

TEST(MainFrame, ACancelledSearchChangesNothing)
{
    FrameFixture f;
    f.frame->state().mode = 3;
    f.frame->state().previousSearchMode = 3;
    f.frame->state().searchOrder = 3;
    for (Qt::Key key : {Qt::Key_F1, Qt::Key_F2, Qt::Key_F4}) {
        f.press(key);
    }
    EXPECT_EQ(f.entry.asked, 3);
    EXPECT_TRUE(f.records.orders.isEmpty());
    EXPECT_TRUE(f.panel.calls.isEmpty());
    EXPECT_EQ(f.frame->state().mode, 3);
    EXPECT_EQ(f.frame->state().searchOrder, 3);
}

TEST(MainFrame, AFailedSearchReappliesTheCurrentModesOrder)
{
    FrameFixture f;
    f.frame->state().mode = 1;
    f.frame->state().previousSearchMode = 1;
    f.entry.text = QStringLiteral("ﾔﾏﾀﾞ");
    f.panel.found = false;
    f.press(Qt::Key_F2);
    EXPECT_EQ(f.panel.calls, QStringList{QStringLiteral("ShowByReading ﾔﾏﾀﾞ")});
    EXPECT_EQ(f.records.orders, (QStringList{"Furi, KokCode / KokCode, CarCode", "balances KokCode",
                                             "KokCode / KokCode, CarCode", "balances KokCode"}));
    EXPECT_EQ(f.frame->state().mode, 1);
    EXPECT_EQ(f.frame->state().previousSearchMode, 1);
}

TEST(MainFrame, F10ThenF1DropsThePlaceholderCustomer)
{
    FrameFixture f;
    f.panel.reservedCustomer = 7;
    f.press(Qt::Key_F10);
    EXPECT_EQ(f.frame->state().mode, 100);
    EXPECT_EQ(f.frame->state().reservedCustomerCode, 7);
    // Entering a new customer: F12 offered, F10 no more.
    EXPECT_TRUE(f.enabled(Cmd::RecordCustomerVehicle));
    EXPECT_FALSE(f.enabled(Cmd::NewCustomer));

    f.entry.code = 3;
    f.press(Qt::Key_F1);
    EXPECT_EQ(f.panel.calls, (QStringList{"NewCustomer", "ShowCustomer 3"}));
    EXPECT_EQ(f.records.deletedCustomers, QList<int>{7});
    EXPECT_EQ(f.frame->state().reservedCustomerCode, 0);
    EXPECT_EQ(f.frame->state().mode, 1);
    EXPECT_EQ(f.frame->state().previousSearchMode, 1);
    EXPECT_EQ(f.records.locks, (QStringList{"NewKokDummy 0 0", "NewCarDummy 0 0"}));
}

TEST(MainFrame, RecordingANewCustomerReturnsToCustomerCodeOrder)
{
    FrameFixture f;
    f.panel.reservedCustomer = 12;
    f.press(Qt::Key_F10);
    f.press(Qt::Key_F12);
    EXPECT_EQ(f.panel.calls, (QStringList{"NewCustomer", "RecordNewCustomer"}));
    EXPECT_EQ(f.frame->state().mode, 1);
    EXPECT_EQ(f.frame->state().previousSearchMode, 1);
    EXPECT_EQ(f.frame->state().reservedCustomerCode, 0) << "recorded, no longer a placeholder";
    EXPECT_TRUE(f.enabled(Cmd::NewVehicle));
    EXPECT_TRUE(f.enabled(Cmd::Delete));
}

TEST(MainFrame, AltF5IsDisabledOnAClientAndWhileAClientIsConnected)
{
    for (bool client : {true, false}) {
        FrameFixture f(client);
        f.clients = client ? 0 : 1;
        f.frame->SetCommandButtons(allOn());
        f.frame->state().mode = 1;
        EXPECT_FALSE(f.enabled(Cmd::Delete)) << client;
        EXPECT_FALSE(f.enabled(Cmd::Backup)) << client;
        f.press(Qt::Key_F5, Qt::AltModifier);
        EXPECT_EQ(f.entry.asked, 0) << client;
    }
}

TEST(MainFrame, AClientConnectingAfterTheButtonsWereSetStillBlocksAltF5)
{
    FrameFixture f;
    f.frame->SetCommandButtons(allOn());
    ASSERT_TRUE(f.enabled(Cmd::Delete));
    f.clients = 1;
    f.press(Qt::Key_F5, Qt::AltModifier);
    EXPECT_EQ(f.entry.asked, 0);
}

TEST(MainFrame, TheLastClientLeavingBringsAltF5Back)
{
    FrameFixture f;
    f.clients = 1;
    // The server's user moves to another record while the client works.
    f.frame->SetCommandButtons(allOn());
    f.frame->state().mode = 1;
    ASSERT_FALSE(f.enabled(Cmd::Delete));
    f.clients = 0;
    f.frame->refreshCommands();
    EXPECT_TRUE(f.enabled(Cmd::Delete));
    f.press(Qt::Key_F5, Qt::AltModifier);
    EXPECT_EQ(f.entry.asked, 1);
}

TEST(MainFrame, AltF5AsksBeforeDeletingAndSuspendsCallLookups)
{
    FrameFixture f;
    f.frame->SetCommandButtons(allOn());
    f.frame->state().mode = 3;
    struct Case {
        SearchEntry::DeleteChoice choice;
        bool yes;
        QStringList calls;
        int mode;
        QStringList questions;
    };
    const QString customerQuestion = QStringLiteral(
        "表示中の顧客・保有車輌とその車歴・取引明細を削除します！\n本当によろしいですね？");
    const QString vehicleQuestion = QStringLiteral("表示中の車輌とその車歴を削除します！\n本当によろしいですね？");
    const Case cases[] = {
        {SearchEntry::DeleteChoice::Cancel, true, {}, 3, {}},
        {SearchEntry::DeleteChoice::Vehicle, false, {}, 3, {vehicleQuestion}},
        {SearchEntry::DeleteChoice::Vehicle, true, {"DeleteVehicle", "SetModeText 1"}, 1, {vehicleQuestion}},
        {SearchEntry::DeleteChoice::Customer, true, {"DeleteCustomer"}, 0, {customerQuestion}},
    };
    for (const Case& c : cases) {
        RecordingMessageGateway messages;
        messages.answerNext(c.yes);
        f.panel.calls.clear();
        f.frame->state().mode = 3;
        f.entry.choice = c.choice;
        f.frame->SetCommandButtons(allOn());
        f.press(Qt::Key_F5, Qt::AltModifier);
        EXPECT_EQ(f.panel.calls, c.calls);
        EXPECT_EQ(f.frame->state().mode, c.mode);
        EXPECT_EQ(messages.questions(), c.questions);
        EXPECT_FALSE(ProcessFlags::callLookupSuspended);
    }
}

TEST(MainFrame, ARefusedDeletionKeepsTheModeOfTheRecordStillShown)
{
    FrameFixture f;
    f.panel.deletes = false;
    for (const auto choice : {SearchEntry::DeleteChoice::Customer, SearchEntry::DeleteChoice::Vehicle}) {
        RecordingMessageGateway messages;
        messages.answerNext(true);
        f.frame->state().mode = 3;
        f.entry.choice = choice;
        f.frame->SetCommandButtons(allOn());
        f.press(Qt::Key_F5, Qt::AltModifier);
        EXPECT_EQ(f.frame->state().mode, 3);
        EXPECT_TRUE(f.enabled(Cmd::RecordCustomerVehicle));
        EXPECT_TRUE(f.enabled(Cmd::Next));
    }
}

TEST(MainFrame, ANewCustomerStartedInVehicleOrderReturnsToCustomerCodeOrder)
{
    for (const int before : {3, 4}) {
        FrameFixture f;
        f.frame->SetCommandButtons(allOn());
        f.frame->SetSearchOrder(before);
        f.frame->state().mode = before;
        f.panel.reservedCustomer = 12;
        f.press(Qt::Key_F10);
        f.press(Qt::Key_F12);
        EXPECT_EQ(f.frame->state().mode, 1) << before;
        EXPECT_EQ(f.frame->state().searchOrder, 1) << "the recordsets follow the mode";
    }
}

TEST(MainFrame, PickListsAreEditedOnlyUnderTheirLock)
{
    for (bool claimed : {true, false}) {
        FrameFixture f;
        RecordingMessageGateway messages;
        f.records.claimSucceeds = claimed;
        f.frame->action(Cmd::AddressList)->trigger();
        if (claimed) {
            EXPECT_EQ(f.pickLists.edited, QList<int>{Cmd::AddressList});
            EXPECT_EQ(f.records.locks, (QStringList{"007.mdb 1 1", "007.mdb 0 0"}));
            EXPECT_TRUE(messages.messages().isEmpty());
        } else {
            EXPECT_TRUE(f.pickLists.edited.isEmpty());
            EXPECT_EQ(messages.messages(),
                      QStringList{QStringLiteral("このデータは他のコンピュータで編集中です！")});
        }
    }
}

TEST(MainFrame, TheWindowPositionIsStoredEvenWhenClosingIsCancelled)
{
    FrameFixture f;
    f.allowClose = false;
    f.frame->move(140, 90);
    QApplication::processEvents();
    const QPoint place = f.frame->pos();
    EXPECT_FALSE(f.frame->close());
    EXPECT_TRUE(f.frame->isVisible());
    EXPECT_EQ(f.documentClosed, 0);
    EXPECT_EQ(f.profile.value(QStringLiteral("MainWindowPlace/x")).toInt(), place.x());
    EXPECT_EQ(f.profile.value(QStringLiteral("MainWindowPlace/y")).toInt(), place.y());

    f.allowClose = true;
    EXPECT_TRUE(f.frame->close());
    EXPECT_EQ(f.documentClosed, 1);
}

TEST(MainFrame, TheStoredPositionIsRestored)
{
    TempFolder temp;
    QSettings profile(temp.file(QStringLiteral("profile.ini")), QSettings::IniFormat);
    profile.setValue(QStringLiteral("MainWindowPlace/x"), 55);
    profile.setValue(QStringLiteral("MainWindowPlace/y"), 66);
    CMainFrame::Setup setup;
    setup.profile = &profile;
    CMainFrame frame(std::move(setup));
    EXPECT_EQ(frame.pos(), QPoint(55, 66));
}

TEST(MainFrame, TheLanPaneNamesAClientOnceTheWindowIsActive)
{
    for (bool client : {true, false}) {
        FrameFixture f(client);
        EXPECT_EQ(f.frame->lanPane()->text(),
                  client ? QStringLiteral(" クライアント") : QString(17, QLatin1Char(' ')));
        EXPECT_FALSE(f.frame->state().lanPanePending);
    }
}

TEST(MainFrame, MenuTextsAndToolbarPrompts)
{
    FrameFixture f;
    QStringList titles;
    for (QAction* menu : f.frame->menuBar()->actions())
        titles << menu->text();
    EXPECT_EQ(titles, (QStringList{"ファイル(&F)", "帳票(&T)", "設定(&S)", "ヘルプ(&H)"}));
    EXPECT_EQ(f.frame->action(Cmd::Exit)->text(), QStringLiteral("サビオンの終了(&X)"));
    EXPECT_EQ(f.frame->action(Cmd::Exit)->statusTip(), QStringLiteral("サビオンを終了します(Alt+F4)"));
    EXPECT_EQ(f.frame->action(Cmd::VehicleKinds)->text(), QStringLiteral("種別（&S）..."));
    EXPECT_EQ(f.frame->action(Cmd::CustomerCodeSearch)->toolTip(), QStringLiteral("顧客ｺｰﾄﾞ検索"));
    EXPECT_EQ(f.frame->action(Cmd::CustomerCodeSearch)->statusTip(),
              QStringLiteral("顧客ｺｰﾄﾞで検索します(F1)"));
    EXPECT_EQ(f.frame->mainToolBar()->actions().size(), 15);
    EXPECT_EQ(f.frame->searchToolBar()->actions().size(), 7);
    for (QToolBar* bar : {f.frame->mainToolBar(), f.frame->searchToolBar()})
        for (QAction* action : bar->actions())
            EXPECT_TRUE(action->isSeparator() || !action->icon().isNull()) << action->toolTip().toStdString();
}

TEST(MainFrame, ShowReceivedCallsIsKeptInTheProfile)
{
    FrameFixture f;
    QAction* calls = f.frame->action(Cmd::ShowReceivedCalls);
    EXPECT_FALSE(calls->isChecked());
    calls->trigger();
    EXPECT_TRUE(ProcessFlags::showReceivedCalls);
    EXPECT_EQ(f.profile.value(QStringLiteral("CtiInfo/DspReceiveInfo")).toInt(), 1);
    calls->trigger();
    EXPECT_FALSE(ProcessFlags::showReceivedCalls);
    EXPECT_EQ(f.profile.value(QStringLiteral("CtiInfo/DspReceiveInfo")).toInt(), 0);
}

TEST(MainFrame, HelpOpensOnceAndIsOfferedAgainWhenClosed)
{
    FrameFixture f;
    QDir(f.temp.path()).mkpath(QStringLiteral("Help"));
    ASSERT_TRUE(QFile::copy(kv::test::sourceDir() + QStringLiteral("/Help/SabHelp.html"),
                            f.temp.file(QStringLiteral("Help/SabHelp.html"))));
    f.frame->action(Cmd::HelpContents)->trigger();
    HelpWindow* help = f.frame->helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->documentTitle(), QStringLiteral("自動車整備業システム サビオン ヘルプ"));
    EXPECT_TRUE(help->toPlainText().contains(QStringLiteral("キー操作一覧")));
    EXPECT_FALSE(f.enabled(Cmd::HelpContents));
    help->close();
    QApplication::processEvents();
    EXPECT_EQ(f.frame->helpWindow(), nullptr);
    EXPECT_TRUE(f.enabled(Cmd::HelpContents));
}

TEST(MainFrame, AMissingHelpPageIsReported)
{
    FrameFixture f;
    RecordingMessageGateway messages;
    f.frame->action(Cmd::HelpContents)->trigger();
    EXPECT_EQ(f.frame->helpWindow(), nullptr);
    EXPECT_EQ(messages.messages(),
              QStringList{QStringLiteral("ヘルプファイル %1/Help/SabHelp.html がありません！").arg(f.temp.path())});
}

TEST(MainFrame, PrinterSetupSwitchesThePositionFile)
{
    FrameFixture f;
    kv::data::SettingsStore store(f.temp.path());
    QDir(f.temp.path()).mkpath(QStringLiteral("Printer"));
    f.frame->commands().setSettingsStore(&store);

    f.frame->action(Cmd::PrinterSetup)->trigger();
    EXPECT_EQ(f.printers.asked, 1);
    EXPECT_TRUE(store.positionFileName().isEmpty()) << "cancelled: nothing changes";

    f.printers.answer = kv::data::PrinterIdentity{QStringLiteral("Office-A4"), {}, {}, false};
    f.frame->action(Cmd::PrinterSetup)->trigger();
    ASSERT_FALSE(store.positionFileName().isEmpty());
    EXPECT_TRUE(QFileInfo(store.printerFolder() + QLatin1Char('/') + store.positionFileName()).isFile())
        << "a new printer gets the default positions written";
}

// The empty main window with a status tip, against its reviewed picture;
// the tolerance absorbs anti-aliasing but not a missing text.
TEST(MainFrame, LooksAsReviewed)
{
    const kv::test::GoldenImage::Tolerance tolerance{48, 0.0001};
    ApplicationFonts::install();
    EXPECT_EQ(QFontInfo(QApplication::font()).family(), QStringLiteral("IPAPGothic"));
    QApplication::setCursorFlashTime(0);
    FrameFixture f(false, false);
    f.frame->resize(1024, 720);
    f.frame->statusBar()->showMessage(f.frame->action(Cmd::CustomerCodeSearch)->statusTip());
    QApplication::processEvents();
    const QImage shot = f.frame->grab().toImage();
    EXPECT_TRUE(kv::test::GoldenImage::matches(shot, QStringLiteral("app/main_window"), tolerance));

    f.frame->statusBar()->clearMessage();
    QApplication::processEvents();
    const auto withoutTip = kv::test::GoldenImage::compare(shot, f.frame->grab().toImage(),
                                                           tolerance.channelTolerance);
    EXPECT_GT(withoutTip.differingShare(), tolerance.maxDifferingShare);
}
