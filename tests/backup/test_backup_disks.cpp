// The copy of the archive into backup files: over several removable disks
// (folders in their place), a disk refused or a destination filling up
// midway, volumes too small and archives too large for the header.
#include "BackupTestShop.h"
#include "FolderVolumes.h"

#include "backup/core/BackupCopier.h"
#include "backup/core/BackupHeader.h"
#include "backup/core/BackupPathCheck.h"
#include "backup/core/BackupRun.h"
#include "backup/core/DataRestore.h"
#include "data/tools/DemoData.h"

#include <csignal>
#include <sys/resource.h>

using namespace kv;
using namespace kv::backup;
using kv::test::BackupTestShop;
using kv::test::FolderVolumes;
using DriveType = BackupVolumes::DriveType;

namespace {

// A demo shop with its archive packed in the temporary folder.
struct PackedShop : BackupTestShop {
    std::atomic<bool> cancel{false};
    FolderVolumes unused{path("unused"), path("unused-out"), DriveType::Fixed, 1};
    BackupRun run{{data, QStringLiteral("Server"), QString(), {1, 2000}}, unused, messageGateway(), cancel};
    QByteArray archive;

    PackedShop()
    {
        EXPECT_TRUE(data::DemoData::write(data, QDate(2026, 12, 10)));
        EXPECT_TRUE(run.MakeArchive()) << messages.messages().join('|').toStdString();
        archive = root.read("Data/Temp/SABBACK.LZH");
    }

    bool copy(FolderVolumes& volumes, const QString& destination)
    {
        BackupCopier copier(volumes, messageGateway(), cancel);
        return copier.CopyToBackupFile(run.archivePath(), destination);
    }
    // A disk that takes `part` archive bytes after its header and the reserve.
    static qint64 diskFor(qint64 part)
    {
        return part + BackupHeader::kSize + BackupCopier::kReserve;
    }
};

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

TEST(BackupDisksTest, ThreeDisksJoinToTheArchiveAndRestore)
{
    PackedShop shop;
    const qint64 size = shop.archive.size();
    ASSERT_GT(size, 3000);
    const qint64 perDisk = (size + 2) / 3;
    FolderVolumes disks(shop.path("drive"), shop.path("ejected"), DriveType::Removable,
                        PackedShop::diskFor(perDisk));
    // The second disk still holds someone's files: removed after the yes.
    disks.nextDisk = [](int number, const QString& drive) {
        if (number == 2)
            QDir(drive).mkpath("old/photos");
    };
    shop.messages.answerNext(true); // 3 disks needed
    shop.messages.answerNext(true); // clear disk 2
    ASSERT_TRUE(shop.copy(disks, shop.path("drive/shop.SBK")))
        << shop.messages.messages().join('|').toStdString();
    EXPECT_EQ(shop.messages.questions().first(), "3 枚のディスクが必要です。\n準備はよろしいですか？");
    EXPECT_EQ(shop.messages.questions().size(), 2);
    EXPECT_TRUE(shop.messages.questions()[1].endsWith("のクイックフォーマットを行います！\nよろしいですか？"));
    // No fourth disk for a header alone.
    EXPECT_EQ(disks.disksAsked, (QList<int>{2, 3}));

    QByteArray joined;
    const QStringList parts = {disks.ejectedDisk(1), disks.ejectedDisk(2), shop.path("drive")};
    for (const QString& disk : parts) {
        EXPECT_EQ(entries(disk), QStringList{"shop.SBK"}) << disk.toStdString();
        QFile file(disk + "/shop.SBK");
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(BackupHeader::read(file.read(256)), quint32(size));
        const QByteArray part = file.readAll();
        EXPECT_LE(part.size(), perDisk);
        joined += part;
    }
    EXPECT_EQ(joined, shop.archive);

    // Read back disk by disk: the restore asks for the second and third.
    const auto before = BackupTestShop::tables(shop.data);
    FolderVolumes reading(shop.path("drive"), shop.path("read-out"), DriveType::Removable,
                          PackedShop::diskFor(perDisk));
    QDir().rename(shop.path("drive"), shop.path("disk3"));
    QDir().rename(disks.ejectedDisk(1), shop.path("drive"));
    reading.nextDisk = [&](int number, const QString& drive) {
        QDir(drive).removeRecursively();
        QDir().rename(number == 2 ? disks.ejectedDisk(2) : shop.path("disk3"), drive);
    };
    BackupTestShop::sql(shop.data + "/010.mdb", "DELETE FROM Kok");
    DataRestore restore(reading, messageGateway(), shop.data);
    ASSERT_TRUE(restore.prepare(shop.path("drive/shop.SBK")))
        << shop.messages.messages().join('|').toStdString();
    ASSERT_TRUE(restore.swapIn());
    EXPECT_EQ(reading.disksAsked, (QList<int>{2, 3}));
    EXPECT_EQ(BackupTestShop::tables(shop.data), before);
}

TEST(BackupDisksTest, TheQuestionCountsTheDisksAsTheyAreFilled)
{
    PackedShop shop;
    // Two disks hold all but 100 bytes: a third one takes the rest.
    const qint64 perDisk = (shop.archive.size() - 100) / 2;
    FolderVolumes disks(shop.path("drive"), shop.path("ejected"), DriveType::Removable,
                        PackedShop::diskFor(perDisk));
    shop.messages.answerNext(true);
    ASSERT_TRUE(shop.copy(disks, shop.path("drive/shop.SBK")))
        << shop.messages.messages().join('|').toStdString();
    ASSERT_FALSE(shop.messages.questions().isEmpty());
    EXPECT_EQ(shop.messages.questions().first(), "3 枚のディスクが必要です。\n準備はよろしいですか？");
    EXPECT_EQ(disks.disksAsked, (QList<int>{2, 3}));
}

TEST(BackupDisksTest, DiskRefusedMidwayEndsWithNoPartialFile)
{
    PackedShop shop;
    const qint64 perDisk = shop.archive.size() / 2 + 10;
    FolderVolumes disks(shop.path("drive"), shop.path("ejected"), DriveType::Removable,
                        PackedShop::diskFor(perDisk));
    disks.nextDisk = [](int, const QString& drive) {
        QFile keep(drive + "/keep.txt");
        keep.open(QIODevice::WriteOnly);
        keep.write("not ours");
    };
    shop.messages.answerNext(true);  // 2 disks
    shop.messages.answerNext(false); // do not clear the second
    EXPECT_FALSE(shop.copy(disks, shop.path("drive/shop.SBK")));
    EXPECT_EQ(disks.clears, 0);
    EXPECT_EQ(entries(shop.path("drive")), QStringList{"keep.txt"});
    EXPECT_EQ(shop.root.read("drive/keep.txt"), "not ours");
    EXPECT_EQ(entries(disks.ejectedDisk(1)), QStringList{"shop.SBK"});
}

TEST(BackupDisksTest, VolumeTooSmallIsRefusedAtOnce)
{
    PackedShop shop;
    FolderVolumes tiny(shop.path("drive"), shop.path("ejected"), DriveType::Removable,
                       PackedShop::diskFor(0));
    shop.messages.answerNext(true);
    EXPECT_FALSE(shop.copy(tiny, shop.path("drive/shop.SBK")));
    EXPECT_TRUE(tiny.disksAsked.isEmpty());
    EXPECT_EQ(shop.messages.messages().last(),
              "ドライブ (" + shop.path("drive") + ") の空き容量が足りません！\n整理して空き容量を増やして下さい");
    EXPECT_TRUE(entries(shop.path("drive")).isEmpty());

    // A fixed drive must take the whole archive before anything is written.
    FolderVolumes fixed(shop.path("fixed"), shop.path("ejected"), DriveType::Fixed,
                        PackedShop::diskFor(shop.archive.size() - 1));
    EXPECT_FALSE(shop.copy(fixed, shop.path("fixed/shop.SBK")));
    EXPECT_TRUE(entries(shop.path("fixed")).isEmpty());
}

TEST(BackupDisksTest, FullDestinationMidwayLeavesNoPartialFile)
{
    PackedShop shop;
    FolderVolumes drive(shop.path("drive"), shop.path("ejected"), DriveType::Fixed, qint64(1) << 40);
    // The file system refuses to grow any file past half the archive.
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit limit = old;
    limit.rlim_cur = rlim_t(shop.archive.size() / 2);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const bool copied = shop.copy(drive, shop.path("drive/shop.SBK"));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(copied);
    EXPECT_TRUE(entries(shop.path("drive")).isEmpty());
    ASSERT_FALSE(shop.messages.messages().isEmpty());
    EXPECT_TRUE(shop.messages.messages().last().contains(shop.path("drive/shop.SBK")));
}

TEST(BackupDisksTest, ArchiveBeyondTheHeaderSizeIsRefusedBeforeWriting)
{
    PackedShop shop;
    QFile archive(shop.run.archivePath());
    ASSERT_TRUE(archive.resize(BackupHeader::kMaxArchiveSize + 1)); // sparse
    FolderVolumes drive(shop.path("drive"), shop.path("ejected"), DriveType::Fixed, qint64(1) << 40);
    EXPECT_FALSE(shop.copy(drive, shop.path("drive/shop.SBK")));
    EXPECT_EQ(shop.messages.messages().last(),
              "データが大きすぎて１つのバックアップファイルに収まりません！(4294967296 バイト)");
    EXPECT_TRUE(entries(shop.path("drive")).isEmpty());
    archive.remove();
}

TEST(BackupPathTest, DestinationChecks)
{
    kv::test::BackupTestShop shop;
    FolderVolumes drive(shop.path("drive"), shop.path("ejected"), DriveType::Fixed, qint64(1) << 40);
    BackupPathCheck check(drive, messageGateway());
    DriveType type = DriveType::Unknown;
    QString folder;

    QString path = "relative/shop.SBK";
    EXPECT_FALSE(check.ValidateBackupPath(path, &type, &folder));
    EXPECT_EQ(shop.messages.messages().last(), "relative/shop.SBK\nこのファイル名は無効です。");
    path = shop.path("elsewhere/shop.SBK");
    EXPECT_FALSE(check.ValidateBackupPath(path, &type, &folder));
    EXPECT_EQ(shop.messages.messages().last(), "このドライブには保存できません！");

    // No extension: ".SBK"; the folder is made; the probe leaves nothing.
    path = shop.path("drive/sub/shop");
    ASSERT_TRUE(check.ValidateBackupPath(path, &type, &folder));
    EXPECT_EQ(path, shop.path("drive/sub/shop.SBK"));
    EXPECT_EQ(folder, shop.path("drive/sub"));
    EXPECT_EQ(type, DriveType::Fixed);
    EXPECT_TRUE(entries(folder).isEmpty());

    // An existing file is kept unless the user says to overwrite it.
    ASSERT_TRUE(shop.root.write("drive/sub/shop.SBK", "old"));
    shop.messages.answerNext(false);
    EXPECT_FALSE(check.ValidateBackupPath(path, &type, &folder));
    EXPECT_EQ(shop.messages.questions().last(), path + " ファイルは既に存在します。\n上書きしますか？");
    EXPECT_EQ(shop.root.read("drive/sub/shop.SBK"), "old");
    shop.messages.answerNext(true);
    EXPECT_TRUE(check.ValidateBackupPath(path, &type, &folder));
    EXPECT_EQ(shop.root.read("drive/sub/shop.SBK"), "old");
}
