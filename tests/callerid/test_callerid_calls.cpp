// Calls from end to end: a simulated adapter on a pseudo-terminal sends
// call notices to the adapter library, and the program's caller ID finds
// the customer, keeps the call in "018.dat", tells the other computers,
// opens the pop-up and lists the call in the history window. Then the
// pop-ups and the settings dialogs on their own.
#include "AdapterSimulator.h"
#include "CallerIdTestShop.h"

#include "callerid/core/CallerIdService.h"
#include "callerid/core/CallerIdTexts.h"
#include "callerid/core/RingSound.h"
#include "callerid/core/RingSoundPlayer.h"
#include "callerid/ui/CDCtiInfo.h"
#include "callerid/ui/CDSetCTI.h"
#include "callerid/ui/CDSetCtiInfo.h"
#include "callerid/ui/CTelCallHistoryFrame.h"
#include "callerid/ui/CallPopups.h"
#include "controls/FileChooser.h"
#include "common/InstallSettings.h"
#include "controls/CListCtrlEx.h"
#include "controls/ListRowDelegate.h"
#include "lan/core/RecordingChangeAnnouncer.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>

using namespace kv;
using callerid::CallerIdTexts;
using callerid::CDCtiInfo;

namespace {

struct RecordingPlayer final : callerid::RingSoundPlayer {
    int plays = 0;
    void setSound(const QByteArray&) override {}
    void play() override { ++plays; }
};

// The program's caller ID on a shop, its adapter on COM1 of the
// installation: a simulated one on a pseudo-terminal.
struct CallerIdRig {
    test::CallerIdTestShop shop;
    test::TempFolder folder;
    tlx::test::AdapterSimulator adapter;
    QByteArray previousIni = qgetenv("SABION_INSTALL_INI");
    QByteArray previousRuntime = qgetenv("XDG_RUNTIME_DIR");
    lan::RecordingChangeAnnouncer announcer;
    QSettings profile{folder.file("profile.ini"), QSettings::IniFormat};
    RecordingPlayer player;
    callerid::RingSound sound{&player};
    bool suspended = false;
    int noticesLookedAt = 0;
    std::unique_ptr<callerid::CallerIdService> service;
    std::unique_ptr<callerid::CallPopups> popups;
    QList<int> shownOnPanel;

    CallerIdRig()
    {
        InstallSettings install(folder.file("install.ini"));
        install.setSerialDevice(1, QString::fromStdString(adapter.devicePath()));
        install.sync();
        qputenv("SABION_INSTALL_INI", folder.file("install.ini").toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", folder.path().toLocal8Bit());
        shop.customer(1, "葛飾 太郎", "03-3611-9879");
        shop.customer(2, "江戸川 花子", "03-1111-2222", "090-1234-5678");
        shop.customer(3, "新規作成中", "0312345678");
        shop.doc->settings().callerId().port = 1;

        callerid::CallerIdService::Setup setup;
        setup.settings = &shop.doc->settings();
        setup.lookup = shop.lookup.get();
        setup.calls = shop.calls.get();
        setup.lookupSuspended = [this] {
            ++noticesLookedAt;
            return suspended;
        };
        service = std::make_unique<callerid::CallerIdService>(std::move(setup));
        callerid::CallPopups::Setup popupSetup;
        popupSetup.profile = &profile;
        popupSetup.sound = &sound;
        popupSetup.showCustomer = [this](int code) {
            shownOnPanel << code;
            return true;
        };
        popups = std::make_unique<callerid::CallPopups>(std::move(popupSetup));
        service->setWatchStarted([this] { popups->resetCascade(); });
        service->setCallRecognised([this](const data::CallInfoEntry& call) { popups->open(call); });
        sound.LoadRingSound(QStringLiteral(KV_TEST_WAVE));
    }
    ~CallerIdRig()
    {
        service.reset();
        qputenv("SABION_INSTALL_INI", previousIni);
        qputenv("XDG_RUNTIME_DIR", previousRuntime);
    }

    // The adapter's notice of a call from the number.
    void ring(const char* number, const char* date = "12-09", const char* time = "10:30")
    {
        adapter.sendLine(std::string("INFO ") + number + " " + date + " " + time + "/C");
    }
    // Waits until the library has handed on this many notices in all.
    bool handedOn(int notices)
    {
        return QTest::qWaitFor([&] { return noticesLookedAt >= notices; }, 6000);
    }

    std::unique_ptr<callerid::CTelCallHistoryFrame> history()
    {
        callerid::CTelCallHistoryFrame::Setup setup;
        setup.profile = &profile;
        setup.showCustomer = [this](int code) { shownOnPanel << code; };
        return std::make_unique<callerid::CTelCallHistoryFrame>(*shop.calls, std::move(setup));
    }
};

QString field(CDCtiInfo* popup, const char* name)
{
    auto* edit = popup->findChild<QLineEdit*>(QString::fromLatin1(name));
    return edit ? edit->text() : QStringLiteral("<none>");
}

} // namespace

TEST(CallerIdCalls, ACustomersCallPopsUpIsKeptToldAndListedWhileOthersLeaveNoTrace)
{
    CallerIdRig rig;
    ASSERT_TRUE(rig.service->StartCallerId()) << rig.shop.folder.messages.messages().join('|').toStdString();
    ASSERT_TRUE(rig.service->isWatching());
    const std::vector<std::string> commands = rig.adapter.commands();
    ASSERT_GE(commands.size(), 4u);
    EXPECT_EQ(commands[1].substr(0, 5), "DATE ");
    EXPECT_EQ(commands.back(), "INFO 0");

    // Dropped while the lookup is suspended; nobody has an unknown number;
    // a placeholder is nobody.
    rig.suspended = true;
    rig.ring("0336119879");
    ASSERT_TRUE(rig.handedOn(1));
    rig.suspended = false;
    rig.ring("0399999999");
    rig.ring("0312345678");
    ASSERT_TRUE(rig.handedOn(3));
    EXPECT_TRUE(rig.popups->popups().isEmpty());
    EXPECT_TRUE(rig.announcer.texts().isEmpty());
    EXPECT_EQ(rig.shop.callFile().entries.back().kokCode, 0);
    EXPECT_EQ(rig.player.plays, 0);

    // The customer whose number is written with hyphens.
    rig.ring("0336119879", "12-09", "10:30");
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.popups->popups().size() == 1; }, 6000));
    CDCtiInfo* popup = rig.popups->popups().front();
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->customerCode(), 1);
    EXPECT_EQ(field(popup, "ownerName1"), "葛飾 太郎");
    EXPECT_EQ(field(popup, "tel1"), "03-3611-9879");
    const QString arrival = QStringLiteral("%1/12/09 10:30").arg(QDate::currentDate().year());
    EXPECT_TRUE(field(popup, "arrival") == arrival
                || field(popup, "arrival") == QStringLiteral("%1/12/09 10:30").arg(QDate::currentDate().year() - 1));
    EXPECT_EQ(rig.player.plays, 1);

    const data::CallInfoEntry kept = rig.shop.callFile().entries.back();
    EXPECT_EQ(kept.kokCode, 1);
    EXPECT_EQ(kept.ownerName1, "葛飾 太郎");
    EXPECT_EQ(kept.arrival, field(popup, "arrival"));
    EXPECT_EQ(rig.announcer.texts(),
              QStringList{QStringLiteral("TelCallInfo,1,葛飾 太郎,様方,ｶﾅ,東京都葛飾区,,03-3611-9879,,")
                          + kept.arrival});

    // Tel2, from the other customer.
    rig.ring("09012345678", "12-10", "08:05");
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.popups->popups().size() == 2; }, 6000));
    EXPECT_EQ(rig.popups->popups()[1]->customerCode(), 2);
    EXPECT_EQ(rig.popups->popups()[1]->pos() - popup->pos(), QPoint(20, 20));

    auto history = rig.history();
    history->show();
    CListCtrlEx* list = history->list();
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_EQ(list->cellText(0, 0), "000001");
    EXPECT_EQ(list->cellText(0, 1), "葛飾 太郎様方");
    EXPECT_EQ(list->cellText(0, 3), "03-3611-9879");
    EXPECT_EQ(list->cellText(1, 0), "000002");
    EXPECT_TRUE(list->cellText(1, 4).endsWith("/12/10 08:05"));
    const int arrivalWidth = list->fontMetrics().horizontalAdvance(list->cellText(1, 4))
        + 2 * list->rowDelegate()->textMargin();
    EXPECT_GE(list->columnWidth(4), arrivalWidth) << "date and time whole at the default width";
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_TRUE(rig.shownOnPanel.isEmpty()); // opening selects, it does not show

    // A click on the newest call, already selected, shows its customer.
    const QPoint newest = list->visualRect(list->rows()->index(1, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, newest);
    EXPECT_EQ(rig.shownOnPanel, QList<int>{2});

    // Choosing another row shows that customer on the panel, once.
    const QPoint oldest = list->visualRect(list->rows()->index(0, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, oldest);
    EXPECT_EQ(rig.shownOnPanel, (QList<int>{2, 1}));

    rig.service->StopCallerId();
    EXPECT_FALSE(rig.service->isWatching());
    EXPECT_TRUE(rig.shop.folder.messages.messages().isEmpty())
        << rig.shop.folder.messages.messages().join('|').toStdString();
}

TEST(CallerIdCalls, TheTwentyFirstCallDropsTheOldestFromTheFileAndTheHistory)
{
    CallerIdRig rig;
    ASSERT_TRUE(rig.service->StartCallerId());
    TlxCallNotice notice{};
    std::strcpy(notice.number, "0311112222");
    std::strcpy(notice.date, "11-30");
    for (int call = 0; call < 20; ++call) {
        std::snprintf(notice.time, sizeof notice.time, "09:%02d", call);
        rig.service->OnAdapterCall(notice);
    }
    rig.popups->closeAll();
    QTRY_VERIFY(rig.popups->popups().isEmpty());
    EXPECT_TRUE(rig.shop.callFile().entries.front().arrival.endsWith("11/30 09:00"));

    rig.ring("0336119879", "12-01", "12:00");
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.popups->popups().size() == 1; }, 6000));
    const data::CallInfoFile file = rig.shop.callFile();
    EXPECT_TRUE(file.entries.front().arrival.endsWith("11/30 09:01"));
    EXPECT_EQ(file.entries.back().kokCode, 1);

    auto history = rig.history();
    ASSERT_EQ(history->list()->rowCount(), 20);
    EXPECT_EQ(history->list()->currentRow(), 19);
    EXPECT_EQ(history->list()->codeOfRow(19), 1);
    EXPECT_TRUE(history->list()->cellText(0, 4).endsWith("11/30 09:01"));
}

TEST(CallPopups, CascadeCloseByThemselvesOrStayAndShowTheCustomerOnEnter)
{
    test::TempFolder folder;
    QSettings profile(folder.file("profile.ini"), QSettings::IniFormat);
    test::RecordingMessageGateway messages;
    bool panelFree = false;
    QList<int> shown;
    callerid::CallPopups::Setup setup;
    setup.profile = &profile;
    setup.showCustomer = [&](int code) {
        if (!panelFree) {
            kv::showMessage(CallerIdTexts::PanelBusy);
            return false;
        }
        shown << code;
        return true;
    };
    callerid::CallPopups popups(setup);
    data::CallInfoEntry call;
    call.kokCode = 5;

    profile.setValue("CtiInfo/ButtonPush", 1);
    QList<QPoint> places;
    for (int i = 0; i < 4; ++i)
        places << popups.open(call)->pos();
    const QPoint corner = callerid::CallPopups::place(0);
    EXPECT_EQ(places, (QList<QPoint>{corner, corner + QPoint(20, 20), corner + QPoint(40, 40), corner}));
    for (CDCtiInfo* popup : popups.popups())
        EXPECT_FALSE(popup->closesByItself());

    // Enter while other work holds the panel: refused, the pop-up stays.
    CDCtiInfo* first = popups.popups().front();
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_EQ(messages.messages(), QStringList{CallerIdTexts::PanelBusy});
    EXPECT_TRUE(first->isVisible());
    panelFree = true;
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_EQ(shown, QList<int>{5});
    EXPECT_EQ(popups.popups().size(), 3);
    QTest::keyClick(popups.popups().front(), Qt::Key_Escape);
    EXPECT_EQ(popups.popups().size(), 2);
    EXPECT_EQ(shown.size(), 1);
    popups.closeAll();
    EXPECT_TRUE(popups.popups().isEmpty());

    profile.setValue("CtiInfo/ButtonPush", 0);
    profile.setValue("CtiInfo/DspSecond", 1);
    CDCtiInfo* timed = popups.open(call);
    EXPECT_TRUE(timed->closesByItself());
    QTRY_VERIFY_WITH_TIMEOUT(popups.popups().isEmpty(), 10000);
}

namespace {

struct ScriptedChooser final : kv::FileChooser {
    ScriptedChooser() { kv::installFileChooser(this); }
    ~ScriptedChooser() override { kv::installFileChooser(nullptr); }
    QStringList answers;
    int asked = 0;
    QStringList openFiles(QWidget*, const QString&, const QString&, const QString&) override
    {
        ++asked;
        return answers.isEmpty() ? QStringList() : QStringList{answers.takeFirst()};
    }
    QString saveFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString folder(QWidget*, const QString&, const QString&) override { return {}; }
};

} // namespace

TEST(CallerIdSettingsDialogs, PortSoundAndPopupSettingsAreCheckedAndStored)
{
    test::TempFolder folder;
    test::RecordingMessageGateway messages;
    RecordingPlayer player;
    callerid::RingSound sound(&player);
    ScriptedChooser chooser;
    QList<data::CallerIdSettings> stored;
    callerid::CDSetCTI::Setup setup;
    setup.sound = &sound;
    setup.store = [&](const data::CallerIdSettings& settings) {
        stored << settings;
        return true;
    };
    {
        callerid::CDSetCTI dialog(setup);
        EXPECT_FALSE(dialog.ringChoice()->isEnabled());
        EXPECT_FALSE(dialog.pathField()->isEnabled());
        dialog.portList()->setCurrentIndex(3);
        EXPECT_TRUE(dialog.pathField()->isEnabled());
        dialog.silentChoice()->setChecked(true);
        EXPECT_FALSE(dialog.browseButton()->isEnabled());
        dialog.ringChoice()->setChecked(true);

        // A file that cannot be loaded keeps the window open; browsing asks
        // again until one loads.
        dialog.pathField()->setText(folder.file("missing.wav"));
        dialog.accept();
        EXPECT_TRUE(stored.isEmpty());
        EXPECT_EQ(messages.messages().size(), 1);
        chooser.answers = {folder.file("gone.wav"), QStringLiteral(KV_TEST_WAVE)};
        QTest::mouseClick(dialog.browseButton(), Qt::LeftButton);
        EXPECT_EQ(chooser.asked, 2);
        EXPECT_EQ(dialog.pathField()->text(), QStringLiteral(KV_TEST_WAVE));
        QTest::mouseClick(dialog.testButton(), Qt::LeftButton);
        EXPECT_EQ(player.plays, 1);
        dialog.accept();
        ASSERT_EQ(stored.size(), 1);
        EXPECT_EQ(stored[0].port, 3);
        EXPECT_EQ(stored[0].soundOption, 0);
        EXPECT_EQ(stored[0].soundPath, QStringLiteral(KV_TEST_WAVE));
    }
    {
        // With the sound off no file is needed.
        setup.current.port = 2;
        setup.current.soundOption = 1;
        callerid::CDSetCTI dialog(setup);
        EXPECT_TRUE(dialog.silentChoice()->isChecked());
        dialog.accept();
        ASSERT_EQ(stored.size(), 2);
        EXPECT_EQ(stored[1].port, 2);
        EXPECT_EQ(stored[1].soundOption, 1);
    }

    QSettings profile(folder.file("profile.ini"), QSettings::IniFormat);
    callerid::CDSetCtiInfo popupSettings(&profile);
    EXPECT_TRUE(popupSettings.closesChoice()->isChecked());
    EXPECT_EQ(popupSettings.secondsField()->value(), 30);
    popupSettings.secondsField()->setValue(5);
    popupSettings.staysChoice()->setChecked(true);
    EXPECT_FALSE(popupSettings.secondsField()->isEnabled());
    popupSettings.accept();
    EXPECT_EQ(profile.value("CtiInfo/ButtonPush").toInt(), 1);
    EXPECT_EQ(profile.value("CtiInfo/DspSecond").toInt(), 5);
}
