#include "app/startup/InstanceLock.h"
#include "data/service/LockTables.h"
#include "data/service/ShareLockAction.h"
#include "support/ProgramInstallation.h"
#include "support/RecordingMessageGateway.h"
#include "support/TempFolder.h"
#include "uninstall/core/UninstallTexts.h"
#include "uninstall/core/Uninstaller.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTcpSocket>
#include <QThread>

#include <gtest/gtest.h>

using kv::test::RecordingMessageGateway;
using kv::test::TempFolder;
using kv::uninstall::Uninstaller;
using kv::uninstall::UserFolders;
namespace Texts = kv::uninstall::UninstallTexts;

namespace {

bool exists(const QString& path)
{
    return QFileInfo(path).exists() || QFileInfo(path).isSymLink();
}

// A user's installation below a temporary home: a program folder installed
// by hand with its help, a data folder with a backup in it, the profile,
// desktop entries, our MIME type and its association.
struct Home {
    TempFolder root;
    QString home = root.path();
    UserFolders folders = UserFolders::under(home);
    QString program = home + QStringLiteral("/apps/Sabion/Sabion");
    QString data = home + QStringLiteral("/shop/Data");
    int refreshes = 0;
    int confirmations = 0;
    bool confirmAnswer = true;

    Home()
    {
        write(program, "program");
        write(home + QStringLiteral("/apps/Sabion/Help/SabHelp.html"), "help");
        write(data + QStringLiteral("/010.mdb"), "customers");
        write(data + QStringLiteral("/Temp/Server/x.mdb"), "copy");
        write(data + QStringLiteral("/Backup/20261211.SBK"), "backup one");
        write(data + QStringLiteral("/old.sbk"), "backup two");
        write(folders.profileFile(), "[CFMainPanel]\n");
        for (const QString& entry : folders.desktopEntries())
            write(entry, "[Desktop Entry]\n");
        write(folders.mimePackage(), "<mime-info/>\n");
        write(folders.configHome + QStringLiteral("/mimeapps.list"),
              "[Default Applications]\napplication/x-sabion-backup=sabion.desktop\n"
              "text/plain=editor.desktop\n");
        writeInstallation(program, data, 0);
        QDir().mkpath(folders.runtime);
        // Qt takes a runtime folder only when it is the user's alone.
        QFile::setPermissions(folders.runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void writeInstallation(const QString& path, const QString& dataFolder, int role) const
    {
        write(folders.installFile, QStringLiteral("Port=7000\n[Sabion]\nPath=%1\nDataDirectoryPath=%2\n"
                                                  "SvrName=pc01\nKind\\sw=%3\n")
                                       .arg(path, dataFolder, QString::number(role))
                                       .toUtf8());
    }

    static void write(const QString& path, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(bytes);
    }

    Uninstaller::Outcome run(RecordingMessageGateway& messages, bool answers = true)
    {
        messages.answerNext(answers);
        messages.answerNext(answers);
        Uninstaller uninstaller(folders, hooks());
        const auto outcome = uninstaller.run();
        last = {uninstaller.removed(), uninstaller.left(), uninstaller.movedBackups()};
        return outcome;
    }

    Uninstaller::Hooks hooks()
    {
        Uninstaller::Hooks hooks;
        hooks.confirm = [this] {
            ++confirmations;
            return confirmAnswer;
        };
        hooks.refreshMime = [this](const QString& folder) {
            EXPECT_EQ(folder, folders.mimeFolder());
            ++refreshes;
        };
        return hooks;
    }

    // Nothing of the installation was touched.
    void expectUntouched() const
    {
        EXPECT_TRUE(exists(folders.installFile));
        EXPECT_TRUE(exists(program));
        EXPECT_TRUE(exists(data + QStringLiteral("/010.mdb")));
        EXPECT_TRUE(exists(data + QStringLiteral("/Backup/20261211.SBK")));
        EXPECT_TRUE(exists(folders.profileFile()));
        EXPECT_TRUE(exists(folders.mimePackage()));
    }

    struct Result {
        QStringList removed, left, moved;
    } last;
};

TEST(Uninstaller, RemovesTheUsersInstallationAndMovesTheBackupsHome)
{
    Home home;
    RecordingMessageGateway messages;
    EXPECT_EQ(home.run(messages), Uninstaller::Outcome::Completed);

    EXPECT_EQ(home.confirmations, 1);
    EXPECT_EQ(messages.questions(),
              QStringList({Texts::BackupDoneQuestion, Texts::ReallyContinueQuestion}));
    EXPECT_FALSE(exists(home.home + QStringLiteral("/apps/Sabion")));
    EXPECT_FALSE(exists(home.data));
    EXPECT_TRUE(exists(home.home + QStringLiteral("/shop"))) << "only the data folder itself goes";
    EXPECT_FALSE(exists(home.folders.profileFile()));
    EXPECT_FALSE(exists(home.folders.installFile));
    for (const QString& entry : home.folders.desktopEntries())
        EXPECT_FALSE(exists(entry)) << entry.toStdString();
    EXPECT_FALSE(exists(home.folders.mimePackage()));
    EXPECT_EQ(home.refreshes, 1);
    TempFolder* root = &home.root;
    EXPECT_EQ(root->read(QStringLiteral(".config/mimeapps.list")),
              "[Default Applications]\ntext/plain=editor.desktop\n");

    // The backups are in the home folder, and the last message says so.
    EXPECT_EQ(root->read(QStringLiteral("20261211.SBK")), "backup one");
    EXPECT_EQ(root->read(QStringLiteral("old.sbk")), "backup two");
    ASSERT_EQ(messages.messages().size(), 1);
    const QString last = messages.messages().front();
    EXPECT_TRUE(last.startsWith(Texts::Completed)) << last.toStdString();
    EXPECT_TRUE(last.contains(home.home + QStringLiteral("/20261211.SBK"))) << last.toStdString();
    EXPECT_TRUE(home.last.left.isEmpty()) << home.last.left.join(u'|').toStdString();
}

TEST(Uninstaller, ABackupOfTheSameNameAtHomeIsKeptBesideIt)
{
    Home home;
    Home::write(home.home + QStringLiteral("/old.sbk"), "already here");
    RecordingMessageGateway messages;
    EXPECT_EQ(home.run(messages), Uninstaller::Outcome::Completed);
    EXPECT_EQ(home.root.read(QStringLiteral("old.sbk")), "already here");
    EXPECT_EQ(home.root.read(QStringLiteral("old (2).sbk")), "backup two");
}

TEST(Uninstaller, EndsBeforeRemovingWhenNotConfirmedOrAlreadyRemoved)
{
    {
        Home home;
        home.confirmAnswer = false;
        RecordingMessageGateway messages;
        EXPECT_EQ(home.run(messages), Uninstaller::Outcome::Cancelled);
        EXPECT_TRUE(messages.questions().isEmpty());
        home.expectUntouched();
    }
    for (const bool firstAnswer : {false, true}) {
        Home home;
        RecordingMessageGateway messages;
        messages.answerNext(firstAnswer);
        messages.answerNext(false);
        Uninstaller uninstaller(home.folders, home.hooks());
        EXPECT_EQ(uninstaller.run(), Uninstaller::Outcome::Cancelled);
        EXPECT_EQ(messages.questions().size(), firstAnswer ? 2 : 1);
        home.expectUntouched();
    }
    {
        Home home;
        QFile::remove(home.folders.installFile);
        RecordingMessageGateway messages;
        EXPECT_EQ(home.run(messages), Uninstaller::Outcome::AlreadyRemoved);
        EXPECT_EQ(messages.messages(), QStringList{Texts::AlreadyRemoved});
        EXPECT_TRUE(exists(home.data + QStringLiteral("/010.mdb")));
    }
}

TEST(Uninstaller, ASecondUninstallerEndsSilentlyAndARunningProgramStopsIt)
{
    Home home;
    {
        kv::app::InstanceLock other(Texts::DeleteLockName, home.folders.runtime);
        ASSERT_TRUE(other.acquire());
        RecordingMessageGateway messages;
        EXPECT_EQ(home.run(messages), Uninstaller::Outcome::AnotherUninstaller);
        EXPECT_TRUE(messages.messages().isEmpty());
        EXPECT_TRUE(messages.questions().isEmpty());
        EXPECT_EQ(home.confirmations, 0);
        home.expectUntouched();
    }

    {
        // The uninstaller itself, started while another one runs.
        kv::app::InstanceLock other(Texts::DeleteLockName, home.folders.runtime);
        ASSERT_TRUE(other.acquire());
        QProcess second;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.home);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.folders.runtime);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.folders.configHome);
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.folders.dataHome);
        env.remove(QStringLiteral("SABION_INSTALL_INI"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        second.setProcessEnvironment(env);
        second.start(kv::test::buildDir() + QStringLiteral("/bin/Sabdel"));
        ASSERT_TRUE(second.waitForFinished(15000)) << "a window would keep it waiting";
        EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.exitCode(), 0);
        home.expectUntouched();
    }

    // The real program, started on this installation, holds its lock.
    ASSERT_TRUE(QFileInfo(kv::test::programPath()).isExecutable());
    kv::test::Installation installation;
    QProcess program;
    installation.prepare(program);
    program.start();
    ASSERT_TRUE(program.waitForStarted());
    const QString lock = installation.home.path() + QStringLiteral("/runtime/サビオン.lock");
    QDeadlineTimer deadline(20000);
    while (!QFileInfo(lock).isFile() && !deadline.hasExpired() && program.state() == QProcess::Running)
        QThread::msleep(50);
    ASSERT_TRUE(QFileInfo(lock).isFile()) << program.readAllStandardError().toStdString();

    home.folders.runtime = installation.home.path() + QStringLiteral("/runtime");
    RecordingMessageGateway messages;
    EXPECT_EQ(home.run(messages), Uninstaller::Outcome::ProgramRunning);
    EXPECT_EQ(messages.messages(), QStringList{Texts::ProgramRunning});
    EXPECT_EQ(home.confirmations, 0);
    home.expectUntouched();
    program.kill();
    program.waitForFinished(5000);
}

TEST(Uninstaller, AFolderThatIsNotPlainlyOursIsLeftAndNamed)
{
    struct Case {
        const char* what;
        QString dataFolder; // "~" stands for the home folder
        bool holdsData;     // a data file is put there (only below home)
    };
    const Case cases[] = {
        {"the home folder", QStringLiteral("~"), true},
        {"a user's standard folder", QStringLiteral("~/.config"), true},
        {"a folder above home", QStringLiteral("~/.."), false},
        {"a relative path", QStringLiteral("shop/Data"), false},
        {"a folder without the data files", QStringLiteral("~/shop/Data"), false},
        {"the root", QStringLiteral("/"), false},
        {"a system folder", QStringLiteral("/var/lib"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Home home;
        QString folder = c.dataFolder;
        folder.replace(QLatin1Char('~'), home.home);
        if (c.holdsData)
            Home::write(folder + QStringLiteral("/010.mdb"), "customers");
        else if (folder == home.data)
            QFile::remove(home.data + QStringLiteral("/010.mdb"));
        Home::write(home.home + QStringLiteral("/letter.txt"), "keep me");
        home.writeInstallation(home.program, folder, 0);

        RecordingMessageGateway messages;
        EXPECT_EQ(home.run(messages), Uninstaller::Outcome::Completed);
        EXPECT_EQ(home.root.read(QStringLiteral("letter.txt")), "keep me");
        EXPECT_TRUE(exists(home.data + QStringLiteral("/Backup/20261211.SBK")));
        ASSERT_EQ(home.last.left.size(), 1);
        EXPECT_TRUE(home.last.left.front().startsWith(folder + QStringLiteral(" (")))
            << home.last.left.front().toStdString();
        ASSERT_EQ(messages.messages().size(), 1);
        EXPECT_TRUE(messages.messages().front().contains(home.last.left.front()));
        EXPECT_FALSE(exists(home.folders.installFile)) << "the rest of the installation goes";
    }
}

TEST(Uninstaller, LinksAreRemovedAsLinksAndNeverFollowed)
{
    Home home;
    const QString elsewhere = home.home + QStringLiteral("/elsewhere");
    Home::write(elsewhere + QStringLiteral("/photo.jpg"), "photo");
    Home::write(elsewhere + QStringLiteral("/elsewhere.SBK"), "not ours to move");
    ASSERT_TRUE(QFile::link(elsewhere, home.data + QStringLiteral("/Photo")));
    ASSERT_TRUE(QFile::link(elsewhere + QStringLiteral("/photo.jpg"), home.data + QStringLiteral("/one.jpg")));

    RecordingMessageGateway messages;
    EXPECT_EQ(home.run(messages), Uninstaller::Outcome::Completed);
    EXPECT_FALSE(exists(home.data));
    EXPECT_EQ(home.root.read(QStringLiteral("elsewhere/photo.jpg")), "photo");
    EXPECT_EQ(home.root.read(QStringLiteral("elsewhere/elsewhere.SBK")), "not ours to move");
    EXPECT_FALSE(exists(home.home + QStringLiteral("/elsewhere.SBK")));

    // A data folder named through a link: the link goes, the folder stays.
    Home linked;
    const QString real = linked.home + QStringLiteral("/real");
    ASSERT_TRUE(QDir().rename(linked.data, real));
    ASSERT_TRUE(QFile::link(real, linked.data));
    EXPECT_EQ(linked.run(messages), Uninstaller::Outcome::Completed);
    EXPECT_FALSE(exists(linked.data));
    EXPECT_TRUE(exists(real + QStringLiteral("/010.mdb")));
    EXPECT_EQ(linked.last.left, QStringList{Texts::LeftLinkTarget.arg(real)});
}

TEST(Uninstaller, RefusesWhileAnotherComputerWorksOnTheDataFolder)
{
    using kv::data::ShareLockAction::Join;
    using kv::data::ShareLockAction::SetHeld;
    {
        Home home;
        kv::data::LockTables tables(home.data);
        ASSERT_TRUE(tables.ShareLock(QStringLiteral("010.mdb"), QStringLiteral("Server"), 0, Join));
        ASSERT_TRUE(tables.ShareLock(QStringLiteral("010.mdb"), QStringLiteral("192.168.1.12"), 0, Join));
        ASSERT_TRUE(tables.ShareLock(QStringLiteral("009.mdb"), QStringLiteral("192.168.1.12"), 7, SetHeld));
        RecordingMessageGateway messages;
        EXPECT_EQ(home.run(messages), Uninstaller::Outcome::DataFolderInUse);
        EXPECT_EQ(messages.messages(), QStringList{Texts::DataFolderInUse.arg(QStringLiteral("192.168.1.12"))});
        home.expectUntouched();
        for (const QString& entry : home.folders.desktopEntries())
            EXPECT_TRUE(exists(entry));
    }
    {
        // A computer that joined once but holds nothing, and a code this
        // computer's own program left behind, do not stop it.
        Home home;
        kv::data::LockTables tables(home.data);
        ASSERT_TRUE(tables.ShareLock(QStringLiteral("010.mdb"), QStringLiteral("192.168.1.12"), 0, Join));
        ASSERT_TRUE(tables.ShareLock(QStringLiteral("010.mdb"), QStringLiteral("Server"), 3, SetHeld));
        RecordingMessageGateway messages;
        EXPECT_EQ(home.run(messages), Uninstaller::Outcome::Completed);
        EXPECT_FALSE(exists(home.data));
    }
}

TEST(Uninstaller, AClientLeavesTheServersShareAndAPackageLeavesItsProgram)
{
    Home client;
    client.writeInstallation(client.program, client.data, 1);
    RecordingMessageGateway messages;
    EXPECT_EQ(client.run(messages), Uninstaller::Outcome::Completed);
    EXPECT_TRUE(exists(client.data + QStringLiteral("/010.mdb")));
    EXPECT_EQ(client.last.left, QStringList{Texts::LeftServerShare.arg(client.data)});
    EXPECT_FALSE(exists(client.folders.installFile));
    EXPECT_FALSE(exists(client.program));

    Home packaged;
    packaged.writeInstallation(QStringLiteral("/usr/lib/sabion/Sabion"), packaged.data, 0);
    messages.clear();
    EXPECT_EQ(packaged.run(messages), Uninstaller::Outcome::Completed);
    EXPECT_FALSE(exists(packaged.data));
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.messages().front().contains(Texts::PackageNote));
    EXPECT_TRUE(Uninstaller::isPackaged(QStringLiteral("/usr/lib/sabion/Sabion")));
    EXPECT_FALSE(Uninstaller::isPackaged(QStringLiteral("/usr/local/sabion/Sabion")));
    EXPECT_FALSE(Uninstaller::isPackaged(QStringLiteral("/opt/Sabion/Sabion")));
}

TEST(Uninstaller, AFailurePartWaySaysWhatWentAndWhatStayed)
{
    Home home;
    // A desktop entry that is a folder with something in it cannot be
    // removed as a file, whoever runs the uninstaller.
    const QString entry = home.folders.desktopEntries().at(1);
    QFile::remove(entry);
    Home::write(entry + QStringLiteral("/inside"), "x");

    RecordingMessageGateway messages;
    EXPECT_EQ(home.run(messages), Uninstaller::Outcome::StoppedPartWay);
    ASSERT_EQ(messages.messages().size(), 1);
    const QString text = messages.messages().front();
    EXPECT_TRUE(text.startsWith(Texts::FileDeleteError.arg(entry))) << text.toStdString();
    EXPECT_TRUE(text.contains(Texts::StoppedPartWay));
    EXPECT_TRUE(text.contains(Texts::RemovedHeading + QStringLiteral("\n  ") + home.home
                              + QStringLiteral("/apps/Sabion/Help")));
    EXPECT_TRUE(text.contains(home.data));
    EXPECT_TRUE(text.contains(Texts::LeftHeading + QStringLiteral("\n  ")
                              + Texts::LeftNotRemovable.arg(entry)));
    EXPECT_TRUE(text.contains(home.home + QStringLiteral("/20261211.SBK")));
    EXPECT_FALSE(exists(home.data));
    // What follows the failure is still there for a second run.
    EXPECT_TRUE(exists(home.folders.installFile));
    EXPECT_TRUE(exists(home.folders.profileFile()));
}

} // namespace
