// The backup's windows on their thread: the dialog's default name, checks
// and profile values; the backup run from the dialog to its last message,
// every message shown on the interface thread; the cancel.
#include "BackupTestShop.h"
#include "FolderVolumes.h"

#include "backup/core/BackupHeader.h"
#include "backup/core/BackupRun.h"
#include "backup/core/DataRestore.h"
#include "backup/core/platform/LinuxVolumes.h"
#include "backup/ui/BackupController.h"
#include "backup/ui/CDBackup.h"
#include "backup/ui/CDProgress.h"
#include "backup/ui/ProgressThread.h"
#include "backup/ui/CDNextDisk.h"
#include "controls/CEditEx.h"
#include "support/ModalDialogHelper.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace kv;
using namespace kv::backup;
using kv::test::BackupTestShop;
using kv::test::FolderVolumes;

namespace {

// Notes any message that reaches the gateway off the interface thread.
class ThreadCheckingGateway final : public MessageGateway {
public:
    explicit ThreadCheckingGateway(MessageGateway& next) : m_next(next) { installMessageGateway(this); }
    ~ThreadCheckingGateway() override { installMessageGateway(&m_next); }
    void showMessage(const QString& text, Icon icon) override
    {
        check();
        m_next.showMessage(text, icon);
    }
    bool askYesNo(const QString& text, bool defaultNo, Icon icon) override
    {
        check();
        return m_next.askYesNo(text, defaultNo, icon);
    }
    int offThread = 0;

private:
    void check()
    {
        if (QThread::currentThread() != qApp->thread())
            ++offThread;
    }
    MessageGateway& m_next;
};

QPushButton* button(QWidget* window, const QString& text)
{
    for (auto* candidate : window->findChildren<QPushButton*>()) {
        if (candidate->text() == text)
            return candidate;
    }
    return nullptr;
}

struct WindowShop : BackupTestShop {
    FolderVolumes volumes{path("drive"), BackupVolumes::DriveType::Fixed,
                          qint64(1) << 40};
    QSettings profile{path("profile.ini"), QSettings::IniFormat};
    BackupController controller{{data, data, "Server", &profile, &volumes, {1, 2000}}, nullptr};
    kv::test::ModalDialogHelper dialogs;

    // The backup command up to its thread, the dialog answered with file.
    bool start(const QString& file)
    {
        dialogs.answerNext([file](QWidget* dialog) {
            dialog->findChild<CEditEx*>("path")->setText(file);
            button(dialog, "実行(&Z)")->click();
        });
        return controller.start();
    }
};

} // namespace

TEST(BackupDialog, DefaultNameChecksAndProfileValues)
{
    WindowShop shop;
    const QDateTime now(QDate(2026, 12, 10), QTime(9, 5, 7));
    {
        CDBackup dialog(shop.volumes, &shop.profile, shop.data, nullptr, now);
        EXPECT_EQ(dialog.findChild<CEditEx*>("path")->text(),
                  shop.data + "/ｻﾋﾞｵﾝﾊﾞｯｸｱｯﾌﾟ 26年12月10日 09時05分07秒.SBK");
    }
    shop.profile.setValue("Backup/Path", shop.path("drive/last"));
    CDBackup dialog(shop.volumes, &shop.profile, shop.data, nullptr, now);
    auto* edit = dialog.findChild<CEditEx*>("path");
    EXPECT_EQ(edit->text(), shop.path("drive/last") + "/ｻﾋﾞｵﾝﾊﾞｯｸｱｯﾌﾟ 26年12月10日 09時05分07秒.SBK");
    EXPECT_EQ(edit->maxLength(), 255);

    dialog.show();
    edit->setText("nowhere");
    button(&dialog, "実行(&Z)")->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(shop.messages.messages().last(), "nowhere\nこのファイル名は無効です。");

    edit->setText(shop.path("drive/new/shop"));
    button(&dialog, "実行(&Z)")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.path(), shop.path("drive/new/shop.SBK"));
    EXPECT_EQ(shop.profile.value("Backup/Path").toString(), shop.path("drive/new"));
    EXPECT_EQ(shop.profile.value("Backup/FileName").toString(), "shop.SBK");
}

TEST(BackupController, RunsOnItsThreadAndEndsOnTheInterfaceThread)
{
    WindowShop shop;
    ThreadCheckingGateway checking(shop.messages);
    BackupController& controller = shop.controller;
    // An older file: the dialog asks, the copy does not ask again.
    ASSERT_TRUE(shop.root.write("drive/shop.SBK", "older"));
    shop.messages.answerNext(true);
    QSignalSpy finished(&controller, &BackupController::finished);
    ASSERT_TRUE(shop.start(shop.path("drive/shop.SBK")));
    ASSERT_TRUE(controller.isRunning());
    ASSERT_TRUE(controller.progressWindow() && controller.progressWindow()->isVisible());
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    EXPECT_EQ(shop.messages.messages().last(), "データバックアップ完了");
    EXPECT_EQ(shop.messages.questions().size(), 1);
    EXPECT_EQ(checking.offThread, 0);
    EXPECT_FALSE(controller.isRunning());
    EXPECT_TRUE(!controller.progressWindow() || !controller.progressWindow()->isVisible());
    EXPECT_GT(QFileInfo(shop.path("drive/shop.SBK")).size(), 1000);
}

TEST(BackupController, CancelFromTheProgressWindowLeavesNoFile)
{
    WindowShop shop;
    ASSERT_TRUE(shop.generate({3000, 3000, 6000, 60000}));
    ThreadCheckingGateway checking(shop.messages);
    QSignalSpy finished(&shop.controller, &BackupController::finished);
    ASSERT_TRUE(shop.start(shop.path("drive/shop.SBK")));
    CDProgress* progress = shop.controller.progressWindow();
    ASSERT_TRUE(progress);
    shop.messages.answerNext(false); // not yet
    progress->reject();
    EXPECT_TRUE(progress->isVisible());
    shop.messages.answerNext(true);
    progress->reject();
    EXPECT_FALSE(progress->isVisible());
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_FALSE(finished.at(0).at(0).toBool());
    EXPECT_EQ(shop.messages.questions(), QStringList(2, "本当によろしいですね？"));
    EXPECT_EQ(shop.messages.messages().last(), "データバックアップを中止します！");
    EXPECT_EQ(checking.offThread, 0);
    EXPECT_TRUE(QDir(shop.path("drive")).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_TRUE(QDir(shop.data + "/Temp").entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST(BackupDialog, AFolderOnTmpfsTakesTheBackup)
{
    WindowShop shop;
    QTemporaryDir shm(QStringLiteral("/dev/shm/sabion-test-XXXXXX"));
    ASSERT_TRUE(shm.isValid());
    ASSERT_EQ(QStorageInfo(shm.path()).fileSystemType(), "tmpfs");
    LinuxVolumes volumes(shop.data);
    {
        CDBackup dialog(volumes, &shop.profile, shop.data);
        dialog.show();
        dialog.findChild<CEditEx*>("path")->setText(shm.path() + "/backups/shop");
        button(&dialog, "実行(&Z)")->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << shop.messages.messages().join('|').toStdString();
        EXPECT_EQ(dialog.driveType(), BackupVolumes::DriveType::Fixed);
    }

    // The whole backup, from the dialog to its last message.
    BackupController controller({shop.data, shop.data, "Server", &shop.profile, &volumes, {1, 2000}},
                                nullptr);
    QSignalSpy finished(&controller, &BackupController::finished);
    shop.dialogs.answerNext([&](QWidget* dialog) {
        dialog->findChild<CEditEx*>("path")->setText(shm.path() + "/backups/shop.SBK");
        button(dialog, "実行(&Z)")->click();
    });
    ASSERT_TRUE(controller.start()) << shop.messages.messages().join('|').toStdString();
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_EQ(shop.messages.messages().last(), "データバックアップ完了");
    QFile file(shm.path() + "/backups/shop.SBK");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(BackupHeader::read(file.read(256)), quint32(file.size() - 256));
}

TEST(LinuxVolumesTest, EveryKindOfMountedFolderIsADestination)
{
    using Type = BackupVolumes::DriveType;
    const std::pair<const char*, Type> kinds[] = {
        {"ext4", Type::Fixed},   {"tmpfs", Type::Fixed},   {"zfs", Type::Fixed},
        {"btrfs", Type::Fixed},  {"fuse", Type::Fixed},    {"fuse.gvfsd-fuse", Type::Network},
        {"nfs4", Type::Network}, {"cifs", Type::Network},  {"overlay", Type::Fixed},
    };
    for (const auto& [type, kind] : kinds)
        EXPECT_EQ(LinuxVolumes::kindOf(type, false), kind) << type;
    EXPECT_EQ(LinuxVolumes::kindOf("vfat", true), Type::Removable);
}

namespace {

// Sticks mounted as a desktop mounts them: media/<label>.
struct StickShop : WindowShop {
    FolderVolumes sticks;

    QString media(int stick) const { return path("media/STICK%1").arg(stick); }
    void plug(int stick, qint64 total)
    {
        sticks.plug(media(stick), BackupVolumes::DriveType::Removable, total);
    }
    // In the open next-disk dialog: the sticks listed, by their roots.
    static QStringList listed(QWidget* dialog)
    {
        QStringList roots;
        auto* list = dialog->findChild<QListWidget*>("volumes");
        for (int row = 0; list && row < list->count(); ++row)
            roots.append(list->item(row)->data(Qt::UserRole).toString());
        return roots;
    }
};

} // namespace

TEST(NextDiskDialog, FollowsTheSticksPutInAndTakenOutWhileItIsOpen)
{
    StickShop shop;
    shop.plug(1, 1 << 20);
    CDNextDisk dialog(shop.sticks, 2, "バックアップ中");
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "バックアップ中");
    EXPECT_TRUE(dialog.findChild<QLabel*>()->text().startsWith("2 枚目のディスクをドライブに入れてください。"));
    EXPECT_EQ(StickShop::listed(&dialog), QStringList{shop.media(1)});
    // The stick there is not chosen for the user: it is the one just written.
    EXPECT_FALSE(button(&dialog, "OK")->isEnabled());

    shop.plug(2, 1 << 20);
    shop.sticks.unplug(shop.media(1), shop.path("pulled/STICK1"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return StickShop::listed(&dialog) == QStringList{shop.media(2)}; }, 5000));
    // The stick put in is.
    ASSERT_TRUE(button(&dialog, "OK")->isEnabled());
    button(&dialog, "OK")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.chosenRoot(), shop.media(2));
}

TEST(BackupController, ASetOverTwoSticksAsTheDesktopMountsThem)
{
    StickShop shop;
    // How big the archive of this data comes out.
    qint64 size = 0;
    {
        std::atomic<bool> cancel{false};
        BackupRun probe({shop.data, "Server", QString(), {1, 2000}}, shop.sticks, messageGateway(), cancel);
        ASSERT_TRUE(probe.MakeArchive());
        size = QFileInfo(probe.archivePath()).size();
        QFile::remove(probe.archivePath());
    }
    const qint64 stick = size / 2 + 10 + BackupHeader::kSize + 100000;
    // Both sticks are in, each mounted under its label.
    shop.plug(1, stick);
    shop.plug(2, stick);
    shop.sticks.elsewhere = BackupVolumes::DriveType::Fixed;
    BackupController controller({shop.data, shop.data, "Server", &shop.profile, &shop.sticks, {1, 2000}},
                                nullptr);
    QSignalSpy finished(&controller, &BackupController::finished);
    shop.dialogs.answerNext([&](QWidget* dialog) {
        dialog->findChild<CEditEx*>("path")->setText(shop.media(1) + "/shop.SBK");
        button(dialog, "実行(&Z)")->click();
    });
    shop.messages.answerNext(true); // 2 disks
    // Asked for the second disk, the user takes the first out and chooses
    // the second.
    shop.dialogs.answerNext([&](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "バックアップ中");
        EXPECT_EQ(StickShop::listed(dialog), (QStringList{shop.media(1), shop.media(2)}));
        shop.sticks.unplug(shop.media(1), shop.path("pulled/STICK1"));
        dialog->findChild<QListWidget*>("volumes")->setCurrentRow(1);
        button(dialog, "OK")->click();
    });
    ASSERT_TRUE(controller.start());
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_EQ(shop.messages.messages().last(), "データバックアップ完了");
    EXPECT_EQ(shop.messages.questions().first(), "2 枚のディスクが必要です。\n準備はよろしいですか？");
    EXPECT_FALSE(QFileInfo::exists(shop.media(1)));
    QFile first(shop.path("pulled/STICK1/shop.SBK"));
    QFile second(shop.media(2) + "/shop.SBK");
    ASSERT_TRUE(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
    const auto named = BackupHeader::read(first.read(256));
    ASSERT_TRUE(named);
    EXPECT_EQ(BackupHeader::read(second.read(256)), named);
    EXPECT_EQ(first.size() - 256 + second.size() - 256, qint64(*named));
    EXPECT_GT(second.size(), 256);
    first.close();
    second.close();

    // The restore asks for the second stick the same way: the first is
    // mounted again under its label, beside the second.
    shop.sticks.plugBack(shop.path("pulled/STICK1"), shop.media(1), BackupVolumes::DriveType::Removable,
                         stick);
    ProgressThread thread(nullptr);
    DataRestore restore(shop.sticks, thread.messages(), shop.data, &thread.cancelFlag(), thread.progress(),
                        &thread.diskQuestion());
    shop.dialogs.answerNext([&](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "データ復元中");
        ASSERT_EQ(StickShop::listed(dialog), (QStringList{shop.media(2), shop.media(1)}));
        dialog->findChild<QListWidget*>("volumes")->setCurrentRow(0);
        button(dialog, "OK")->click();
    });
    QSignalSpy restored(&thread, &ProgressThread::finished);
    ASSERT_TRUE(thread.start("データ復元中", [&] { return restore.prepare(shop.media(1) + "/shop.SBK"); }));
    ASSERT_TRUE(restored.wait(60000));
    EXPECT_TRUE(restored.at(0).at(0).toBool()) << shop.messages.messages().join('|').toStdString();
    EXPECT_TRUE(QFileInfo::exists(restore.preparedFolder() + "/010.mdb"));
}
