// The backup and restore commands of the main window on a document: a
// customer deleted after a backup is there again once the backup is
// restored, with the old data kept; a restore cancelled from its progress
// window leaves the data as it was; the restore is refused while another
// computer works on the data.
#include "app/frame/CMainFrame.h"
#include "app/frame/CommandId.h"
#include "app/frame/DocumentFrameRecords.h"
#include "app/wiring/BackupCommands.h"
#include "app/wiring/PanelFrameBridge.h"
#include "backup/BackupTestShop.h"
#include "backup/FolderVolumes.h"
#include "backup/ui/BackupController.h"
#include "backup/ui/CDProgress.h"
#include "backup/ui/ProgressThread.h"
#include "controls/CEditEx.h"
#include "controls/FileChooser.h"
#include "data/document/DocumentTestFolder.h"
#include "records/panel/CFMainPanel.h"
#include "support/CustomerBuilder.h"
#include "support/FrameOnDocument.h"
#include "support/LockHoldingComputer.h"
#include "support/ModalDialogHelper.h"
#include "support/Utf8.h"

#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QThread>

using namespace kv::app;
using kv::test::u;

namespace {

class FixedChooser final : public kv::FileChooser {
public:
    FixedChooser() { kv::installFileChooser(this); }
    ~FixedChooser() override { kv::installFileChooser(nullptr); }
    QString file;
    QStringList openFiles(QWidget*, const QString&, const QString&, const QString&) override
    {
        return file.isEmpty() ? QStringList() : QStringList{file};
    }
    QString saveFile(QWidget*, const QString&, const QString&, const QString&) override { return file; }
    QString folder(QWidget*, const QString&, const QString&) override { return {}; }
};

class BackupCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = folder.open();
        ASSERT_TRUE(doc);
        for (int code : {1, 2})
            kv::test::CustomerBuilder(code).name(u("山田"), u("太郎")).reading(u("ﾔﾏﾀﾞ")).insertInto(doc->store());
        ASSERT_TRUE(doc->customers().Requery());
        kv::test::openFrameOnDocument(*doc, temp.path(), profile, frame, records, bridge);
        commands = std::make_unique<BackupCommands>(
            *frame, *doc, *bridge,
            BackupCommands::Setup{folder.folder.path(), &profile, records.get(), &volumes});
        frame->refreshCommands();
        frame->show();
    }

    void TearDown() override
    {
        commands.reset();
        bridge.reset();
        frame.reset();
        doc.reset();
        for (const QString& kept : keptFolders())
            QDir(kept).removeRecursively();
    }

    QStringList keptFolders() const
    {
        const QFileInfo data(folder.folder.path());
        QStringList found;
        for (const QString& name : data.dir().entryList({data.fileName() + "_*"}, QDir::Dirs))
            found.append(data.dir().filePath(name));
        return found;
    }

    bool backUp(const QString& file)
    {
        dialogs.answerNext([file](QWidget* dialog) {
            dialog->findChild<kv::CEditEx*>("path")->setText(file);
            for (auto* button : dialog->findChildren<QPushButton*>())
                if (button->text() == u"実行(&Z)")
                    button->click();
        });
        QSignalSpy finished(commands->controller(), &kv::backup::BackupController::finished);
        if (!frame->registry().run(CommandId::Backup))
            return false;
        // The main window waits for the backup's thread.
        EXPECT_FALSE(frame->isEnabled());
        EXPECT_FALSE(frame->isCommandEnabled(CommandId::Backup));
        const bool done = finished.wait(60000) && finished.at(0).at(0).toBool();
        EXPECT_TRUE(frame->isEnabled());
        return done;
    }

    // Runs the restore command on file, yes to its question; true once the
    // restore's thread runs behind its progress window.
    bool startRestore(const QString& file)
    {
        chooser.file = file;
        folder.messages.answerNext(true);
        if (!frame->registry().run(CommandId::Restore))
            return false;
        kv::backup::CDProgress* progress = commands->restoreThread()->progressWindow();
        EXPECT_TRUE(progress && progress->isVisible());
        EXPECT_FALSE(frame->isEnabled());
        EXPECT_FALSE(frame->isCommandEnabled(CommandId::Restore));
        return progress != nullptr;
    }

    kv::test::DocumentTestFolder folder;
    kv::test::TempFolder temp;
    QSettings profile{temp.file(QStringLiteral("profile.ini")), QSettings::IniFormat};
    kv::test::FolderVolumes volumes{temp.file("drive"),
                                    kv::backup::BackupVolumes::DriveType::Fixed, qint64(1) << 40};
    FixedChooser chooser;
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;
    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<DocumentFrameRecords> records;
    std::unique_ptr<PanelFrameBridge> bridge;
    std::unique_ptr<BackupCommands> commands;
    kv::test::ModalDialogHelper dialogs;
};

} // namespace

TEST_F(BackupCommandsTest, ACustomerDeletedAfterTheBackupIsBackAfterTheRestore)
{
    const QString file = temp.file("drive/shop.SBK");
    ASSERT_TRUE(backUp(file)) << folder.messages.messages().join('|').toStdString();
    EXPECT_EQ(folder.messages.messages().last(), "データバックアップ完了");
    EXPECT_TRUE(frame->isCommandEnabled(CommandId::Restore));

    kv::test::DocumentTestFolder::sql(*doc, "DELETE FROM Kok WHERE KokCode = 2");
    ASSERT_FALSE(doc->FindCustomer(2));
    QSignalSpy finished(commands->restoreThread(), &kv::backup::ProgressThread::finished);
    ASSERT_TRUE(startRestore(file));
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    EXPECT_TRUE(frame->isEnabled());
    ASSERT_EQ(folder.messages.questions().size(), 1);
    EXPECT_TRUE(folder.messages.questions()[0].endsWith("本当によろしいですね？"));
    EXPECT_TRUE(folder.messages.messages().last().startsWith("データ復元完了"))
        << folder.messages.messages().join('|').toStdString();
    // The document works on the restored data.
    EXPECT_TRUE(doc->isOpen());
    EXPECT_TRUE(doc->FindCustomer(2));
    EXPECT_EQ(bridge->panel().shownCustomerCode(), 0);
    EXPECT_EQ(keptFolders().size(), 1);
}

TEST_F(BackupCommandsTest, ARestoreCancelledBeforeTheSwapLeavesTheDataFolderAsItWas)
{
    const QString file = temp.file("drive/shop.SBK");
    ASSERT_TRUE(backUp(file));
    kv::test::DocumentTestFolder::sql(*doc, "DELETE FROM Kok WHERE KokCode = 2");
    const auto data = kv::test::BackupTestShop::files(folder.folder.path());
    const QString prepared = folder.folder.path() + ".restore";

    // Cancelled while the thread works, and once it has prepared the backup
    // but before the interface thread has swapped it in.
    for (const bool waitForPrepared : {false, true}) {
        SCOPED_TRACE(waitForPrepared);
        folder.messages.clear();
        QSignalSpy finished(commands->restoreThread(), &kv::backup::ProgressThread::finished);
        ASSERT_TRUE(startRestore(file));
        if (waitForPrepared) {
            // Without the event loop, so the end of the thread stays queued.
            for (int i = 0; i < 3000 && !QFileInfo::exists(prepared + "/Printer"); ++i)
                QThread::msleep(10);
            ASSERT_TRUE(QFileInfo::exists(prepared + "/Printer"));
            QThread::msleep(200);
        }
        folder.messages.answerNext(true);
        commands->restoreThread()->progressWindow()->reject();
        ASSERT_TRUE(finished.wait(60000));
        EXPECT_FALSE(finished.at(0).at(0).toBool());
        ASSERT_EQ(folder.messages.questions().size(), 2);
        EXPECT_EQ(folder.messages.questions()[1], "本当によろしいですね？");
        EXPECT_EQ(folder.messages.messages().last(), "データ復元を中止します！");
        EXPECT_EQ(kv::test::BackupTestShop::files(folder.folder.path()), data);
        EXPECT_TRUE(keptFolders().isEmpty());
        EXPECT_FALSE(QFileInfo::exists(prepared));
        EXPECT_FALSE(QFileInfo::exists(prepared + ".LZH"));
        // The document goes on with the data it had.
        EXPECT_TRUE(frame->isEnabled());
        EXPECT_TRUE(frame->isCommandEnabled(CommandId::Restore));
        EXPECT_TRUE(doc->isOpen());
        EXPECT_FALSE(doc->FindCustomer(2));
        EXPECT_TRUE(doc->FindCustomer(1));
    }
}

TEST_F(BackupCommandsTest, RestoreIsRefusedWhileAnotherComputerHoldsALock)
{
    const QString file = temp.file("drive/shop.SBK");
    ASSERT_TRUE(backUp(file));
    kv::test::LockHoldingComputer other(folder.folder.path(), {"claim", "010.mdb", "1"});
    ASSERT_TRUE(other.ready);
    chooser.file = file;
    folder.messages.clear();
    ASSERT_TRUE(frame->registry().run(CommandId::Restore));
    EXPECT_EQ(folder.messages.messages(),
              QStringList{"他のコンピュータでデータを使用中です！\n他のコンピュータを終了してから実行して下さい。"});
    EXPECT_TRUE(folder.messages.questions().isEmpty());
    EXPECT_TRUE(keptFolders().isEmpty());
}

TEST_F(BackupCommandsTest, AComputerThatStartsWhileTheBackupIsReadStopsTheSwap)
{
    const QString file = temp.file("drive/shop.SBK");
    ASSERT_TRUE(backUp(file));
    kv::test::DocumentTestFolder::sql(*doc, "DELETE FROM Kok WHERE KokCode = 2");
    folder.messages.clear();
    QSignalSpy finished(commands->restoreThread(), &kv::backup::ProgressThread::finished);
    ASSERT_TRUE(startRestore(file));
    // Without the event loop, so the swap waits for the other computer.
    const QString prepared = folder.folder.path() + ".restore";
    for (int i = 0; i < 3000 && !QFileInfo::exists(prepared + "/Printer"); ++i)
        QThread::msleep(10);
    kv::test::LockHoldingComputer other(folder.folder.path(), {"claim", "010.mdb", "1"});
    ASSERT_TRUE(other.ready);
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_FALSE(finished.at(0).at(0).toBool());
    EXPECT_EQ(folder.messages.messages().last(),
              "他のコンピュータでデータを使用中です！\n他のコンピュータを終了してから実行して下さい。");
    EXPECT_TRUE(keptFolders().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(prepared));
    EXPECT_TRUE(doc->isOpen());
    EXPECT_FALSE(doc->FindCustomer(2));
}

TEST_F(BackupCommandsTest, ABackupFileTheProgramWasOpenedOnIsOfferedForItsRestore)
{
    const QString file = temp.file("drive/opened.sbk");
    ASSERT_TRUE(backUp(file)) << folder.messages.messages().join('|').toStdString();
    EXPECT_EQ(BackupCommands::backupFileIn({"Sabion", temp.file("drive/missing.SBK"), file}), file);
    EXPECT_EQ(BackupCommands::backupFileIn({"Sabion", temp.file("profile.ini")}), QString());
    EXPECT_EQ(BackupCommands::backupFileIn({file}), QString()) << "the program itself is no argument";

    // No chooser: the question names the opened file, and No leaves the data.
    chooser.file.clear();
    folder.messages.answerNext(false);
    commands->restore(file);
    ASSERT_EQ(folder.messages.questions().size(), 1);
    EXPECT_TRUE(folder.messages.questions()[0].startsWith(file + QStringLiteral(" の内容でデータを置き換えます。")));
    EXPECT_FALSE(commands->restoreThread()->isRunning());
    EXPECT_TRUE(keptFolders().isEmpty());
}
