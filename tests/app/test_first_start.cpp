// The first start without an installation file: a new data folder with the
// shop's name, the demo data or a client of a server, each written as an
// installation the normal start reads; a refusal or Cancel writes nothing.
#include "app/firststart/CFirstStartDlg.h"
#include "app/firststart/FirstStartTexts.h"
#include "app/startup/AppGlobals.h"
#include "app/startup/InstallationReader.h"
#include "app/startup/platform/SystemFolderMaker.h"
#include "common/InstallSettings.h"
#include "controls/CEditEx.h"
#include "data/settings/SettingsStore.h"
#include "lan/core/LanTexts.h"
#include "lan/core/MountTable.h"
#include "support/RecordingMessageGateway.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace kv::app;
using kv::test::RecordingMessageGateway;
using kv::test::TempFolder;
using Kind = FirstStartSetup::Kind;
namespace Texts = FirstStartTexts;

namespace {

class FirstStartTest : public ::testing::Test {
protected:
    void SetUp() override { qputenv("XDG_DATA_HOME", temp.path().toUtf8() + "/share"); }
    void TearDown() override { qunsetenv("XDG_DATA_HOME"); }

    QString iniPath() const { return temp.file(QStringLiteral("config/Kelvane/Sabion-install.ini")); }

    FirstStartSetup setup(FirstStartSetup::MountLookup mounts = {})
    {
        return FirstStartSetup(settings, QStringLiteral("/usr/lib/sabion/Sabion"), std::move(mounts));
    }

    // The installation as the normal start reads it.
    bool readBack(AppGlobals& globals)
    {
        kv::InstallSettings written(iniPath());
        SystemFolderMaker maker;
        return InstallationReader(written, maker).readAll(globals);
    }

    static FirstStartSetup::MountLookup mountOf(const QString& type, const QStringList& options = {})
    {
        return [type, options](const QString& folder) {
            return std::optional<kv::lan::MountEntry>(
                kv::lan::MountEntry{QStringLiteral("//pc01/Sabion"), folder, type, options});
        };
    }

    TempFolder temp;
    kv::InstallSettings settings{iniPath()};
    RecordingMessageGateway messages;
};

TEST_F(FirstStartTest, ANewDataFolderGetsTheShopsNameAndTheInstallationPointsAtIt)
{
    auto first = setup();
    FirstStartSetup::Choice choice;
    choice.dataFolder = temp.file(QStringLiteral("shop/Data"));
    choice.shopName = QStringLiteral("山田自動車");
    choice.telephone = QStringLiteral("03-1234-5678");
    ASSERT_TRUE(first.apply(choice)) << messages.messages().join(u'|').toStdString();

    AppGlobals globals;
    ASSERT_TRUE(readBack(globals));
    EXPECT_EQ(globals.dataFolder, choice.dataFolder);
    EXPECT_EQ(globals.programFolder, QStringLiteral("/usr/lib/sabion"));
    EXPECT_EQ(globals.lanRole, 0);
    EXPECT_EQ(globals.port, FirstStartSetup::DefaultPort);
    kv::data::SettingsStore store(choice.dataFolder);
    ASSERT_TRUE(store.LoadSettingsFile(kv::data::SettingsFileId::Shop));
    EXPECT_EQ(store.shop().shopName, choice.shopName);
    EXPECT_EQ(store.shop().telephone1, choice.telephone);
    EXPECT_TRUE(messages.messages().isEmpty());
}

TEST_F(FirstStartTest, ARefusedNewDataFolderWritesNoInstallation)
{
    struct Case {
        const char* what;
        QString folder;
        QString shopName;
        QString message;
    };
    TempFolder foreign;
    foreign.write(QStringLiteral("letter.txt"), "keep");
    const Case cases[] = {
        {"relative", QStringLiteral("shop/Data"), QStringLiteral("山田自動車"), Texts::FolderNotAbsolute},
        {"no shop name", temp.file(QStringLiteral("shop/Data")), QStringLiteral("  "), Texts::ShopNameMissing},
        {"a folder with other files", foreign.path(), QStringLiteral("山田自動車"),
         Texts::FolderNotEmpty.arg(foreign.path())},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        messages.clear();
        auto first = setup();
        FirstStartSetup::Choice choice;
        choice.dataFolder = c.folder;
        choice.shopName = c.shopName;
        EXPECT_FALSE(first.apply(choice));
        EXPECT_EQ(messages.messages(), QStringList{c.message});
        EXPECT_FALSE(QFileInfo::exists(iniPath()));
    }
    EXPECT_EQ(foreign.read(QStringLiteral("letter.txt")), "keep");
    EXPECT_FALSE(QFileInfo::exists(foreign.file(QStringLiteral("010.mdb"))));
}

TEST_F(FirstStartTest, TheDemoDataIsMadeOnceInTheUsersDataFolder)
{
    FirstStartSetup::Choice choice;
    choice.kind = Kind::Demo;
    auto first = setup();
    ASSERT_TRUE(first.apply(choice)) << messages.messages().join(u'|').toStdString();
    const QString demo = temp.file(QStringLiteral("share/Kelvane/Sabion-demo/Data"));
    EXPECT_EQ(FirstStartSetup::demoDataFolder(), demo);
    EXPECT_TRUE(QFileInfo(demo + QStringLiteral("/010.mdb")).isFile());
    AppGlobals globals;
    ASSERT_TRUE(readBack(globals));
    EXPECT_EQ(globals.dataFolder, demo);
    // Set up again, the demo data already there is kept.
    QFile::remove(iniPath());
    ASSERT_TRUE(QFile(demo + QStringLiteral("/mark")).open(QIODevice::WriteOnly));
    kv::InstallSettings again(iniPath());
    FirstStartSetup second(again, QStringLiteral("/usr/lib/sabion/Sabion"));
    EXPECT_TRUE(second.apply(choice));
    EXPECT_TRUE(QFileInfo::exists(demo + QStringLiteral("/mark")));
}

TEST_F(FirstStartTest, AClientNeedsTheServersShareMountedWithWorkingLocks)
{
    TempFolder share;
    share.write(QStringLiteral("010.mdb"), "customers");
    FirstStartSetup::Choice choice;
    choice.kind = Kind::Client;
    choice.server = QStringLiteral("pc01");
    choice.port = 7010;
    choice.mountFolder = share.path();

    struct Refusal {
        const char* what;
        FirstStartSetup::MountLookup mounts;
        QString message;
    };
    const Refusal refusals[] = {
        {"not mounted", mountOf(QStringLiteral("ext4")), Texts::NotMounted.arg(share.path())},
        {"no locks", mountOf(QStringLiteral("cifs"), {QStringLiteral("rw"), QStringLiteral("nobrl")}),
         kv::lan::MountTable::lockRefusal(
             {QStringLiteral("//pc01/Sabion"), share.path(), QStringLiteral("cifs"), {QStringLiteral("nobrl")}},
             share.path())},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.what);
        messages.clear();
        auto first = setup(r.mounts);
        EXPECT_FALSE(first.apply(choice));
        EXPECT_EQ(messages.messages(), QStringList{r.message});
        EXPECT_FALSE(QFileInfo::exists(iniPath()));
    }
    ASSERT_FALSE(refusals[1].message.isEmpty());

    messages.clear();
    auto client = setup(mountOf(QStringLiteral("cifs"), {QStringLiteral("rw")}));
    ASSERT_TRUE(client.apply(choice)) << messages.messages().join(u'|').toStdString();
    AppGlobals globals;
    ASSERT_TRUE(readBack(globals));
    EXPECT_TRUE(globals.isClient());
    EXPECT_EQ(globals.serverName, QStringLiteral("pc01"));
    EXPECT_EQ(globals.port, 7010);
    EXPECT_EQ(globals.dataFolder, share.path());
}

TEST_F(FirstStartTest, TheWindowStartsWithEnterOnItsChoiceAndCancelWritesNothing)
{
    auto first = setup();
    {
        CFirstStartDlg window(first);
        window.dataFolderEdit()->setText(temp.file(QStringLiteral("shop/Data")));
        QTimer::singleShot(0, &window, [&window] { QTest::keyClick(&window, Qt::Key_Escape); });
        EXPECT_EQ(window.exec(), QDialog::Rejected);
        EXPECT_FALSE(QFileInfo::exists(iniPath()));
        EXPECT_FALSE(QFileInfo::exists(temp.file(QStringLiteral("shop/Data"))));
    }
    CFirstStartDlg window(first);
    EXPECT_EQ(window.windowTitle(), Texts::Title);
    EXPECT_TRUE(window.choiceButton(Kind::NewData)->isChecked());
    EXPECT_EQ(window.dataFolderEdit()->text(), FirstStartSetup::defaultDataFolder());
    EXPECT_FALSE(window.serverEdit()->isEnabled()) << "only the chosen way's fields take input";
    QTimer::singleShot(0, &window, [&window] {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        // Whatever happens, the window does not stay open.
        QTimer::singleShot(5000, &window, &QDialog::reject);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_2, Qt::AltModifier);
        // A button's mnemonic clicks it a moment later, as a user sees it pressed.
        QTest::qWait(300);
        EXPECT_TRUE(window.choiceButton(Kind::Demo)->isChecked());
        EXPECT_FALSE(window.shopNameEdit()->isEnabled());
        window.choiceButton(Kind::Demo)->setFocus();
        QTest::keyClick(window.choiceButton(Kind::Demo), Qt::Key_Return);
    });
    EXPECT_EQ(window.exec(), QDialog::Accepted) << messages.messages().join(u'|').toStdString();
    AppGlobals globals;
    ASSERT_TRUE(readBack(globals));
    EXPECT_EQ(globals.dataFolder, FirstStartSetup::demoDataFolder());
}

} // namespace
