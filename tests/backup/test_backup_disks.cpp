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
    FolderVolumes unused{path("unused"), DriveType::Fixed, 1};
    BackupRun run{{data, QStringLiteral("Server"), QString(), {1, 2000}}, unused, messageGateway(), cancel};
    QByteArray archive;

    PackedShop()
    {
        EXPECT_TRUE(data::DemoData::write(data, QDate(2026, 12, 10)));
        EXPECT_TRUE(run.MakeArchive()) << messages.messages().join('|').toStdString();
        archive = root.read("Data/Temp/SABBACK.LZH");
    }

    bool copy(FolderVolumes& volumes, const QString& destination,
              kv::test::ScriptedDisks* disks = nullptr)
    {
        BackupCopier copier(volumes, messageGateway(), cancel, {}, disks);
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

// Sticks as a desktop mounts them, each at media/<its label>; the one
// written is taken out before the next goes in.
struct Sticks {
    PackedShop& shop;
    FolderVolumes volumes;
    kv::test::ScriptedDisks disks;
    qint64 total;
    qint64 overhead;

    Sticks(PackedShop& shop, qint64 total, qint64 overhead = 0)
        : shop(shop)
        , total(total)
        , overhead(overhead)
    {
        // Where no volume is, is the system disk.
        volumes.elsewhere = DriveType::Fixed;
        volumes.plug(media(1), DriveType::Removable, total, overhead);
    }
    QString media(int stick) const { return shop.path("media/STICK%1").arg(stick); }
    QString pulled(int stick) const { return shop.path("pulled/STICK%1").arg(stick); }
    // Disk `number` asked for: the last one goes out, the next comes in.
    void swapOnEveryQuestion()
    {
        disks.answer = [this](int number) {
            volumes.unplug(media(number - 1), pulled(number - 1));
            volumes.plug(media(number), DriveType::Removable, total, overhead);
            return media(number);
        };
    }
};

TEST(BackupDisksTest, ThreeSticksEachAtItsOwnMountJoinToTheArchiveAndRestore)
{
    PackedShop shop;
    const qint64 size = shop.archive.size();
    ASSERT_GT(size, 3000);
    const qint64 perDisk = (size + 2) / 3;
    Sticks sticks(shop, PackedShop::diskFor(perDisk));
    sticks.swapOnEveryQuestion();
    // The second stick still holds someone's photos: removed after the yes.
    const auto answer = sticks.disks.answer;
    sticks.disks.answer = [&](int number) {
        const QString root = answer(number);
        if (number == 2)
            shop.root.write(QDir(shop.root.path()).relativeFilePath(root) + "/old/photo.jpg", "old");
        return root;
    };
    shop.messages.answerNext(true); // 3 disks needed
    shop.messages.answerNext(true); // clear disk 2
    ASSERT_TRUE(shop.copy(sticks.volumes, sticks.media(1) + "/backup/shop.SBK", &sticks.disks))
        << shop.messages.messages().join('|').toStdString();
    EXPECT_EQ(shop.messages.questions().first(), "3 枚のディスクが必要です。\n準備はよろしいですか？");
    EXPECT_EQ(shop.messages.questions().size(), 2);
    EXPECT_TRUE(shop.messages.questions()[1].endsWith("のクイックフォーマットを行います！\nよろしいですか？"));
    // No fourth disk for a header alone.
    EXPECT_EQ(sticks.disks.asked, (QList<int>{2, 3}));
    // Nothing was made where a stick was mounted.
    EXPECT_EQ(entries(shop.path("media")), QStringList{"STICK3"});

    QByteArray joined;
    for (const QString& disk : {sticks.pulled(1), sticks.pulled(2), sticks.media(3)}) {
        EXPECT_EQ(entries(disk), QStringList{"backup"}) << disk.toStdString();
        EXPECT_EQ(entries(disk + "/backup"), QStringList{"shop.SBK"}) << disk.toStdString();
        QFile file(disk + "/backup/shop.SBK");
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(BackupHeader::read(file.read(256)), quint32(size));
        const QByteArray part = file.readAll();
        EXPECT_LE(part.size(), perDisk);
        joined += part;
    }
    EXPECT_EQ(joined, shop.archive);

    // Read back stick by stick, each mounted under its own label again;
    // the restore asks for the second and third the same way.
    const auto before = BackupTestShop::tables(shop.data);
    FolderVolumes reading;
    reading.elsewhere = DriveType::Fixed;
    sticks.volumes.unplug(sticks.media(3), sticks.pulled(3));
    // A stick's clock is coarse (two seconds on FAT): parts written in a row
    // may carry one time, and the first two have one size too.
    const QDateTime written = QDateTime::currentDateTime().addSecs(-60);
    for (int stick = 1; stick <= 3; ++stick) {
        QFile part(sticks.pulled(stick) + "/backup/shop.SBK");
        ASSERT_TRUE(part.open(QIODevice::ReadWrite));
        ASSERT_TRUE(part.setFileTime(written, QFileDevice::FileModificationTime));
    }
    reading.plugBack(sticks.pulled(1), sticks.media(1), DriveType::Removable, sticks.total);
    kv::test::ScriptedDisks asked;
    asked.answer = [&](int number) -> QString {
        if (asked.asked.size() > 4)
            return {}; // taken for the disk read already, again and again
        reading.unplug(sticks.media(number - 1), sticks.pulled(number - 1));
        reading.plugBack(sticks.pulled(number), sticks.media(number), DriveType::Removable,
                         sticks.total);
        return sticks.media(number);
    };
    BackupTestShop::sql(shop.data + "/010.mdb", "DELETE FROM Kok");
    DataRestore restore(reading, messageGateway(), shop.data, nullptr, {}, &asked);
    ASSERT_TRUE(restore.prepare(sticks.media(1) + "/backup/shop.SBK"))
        << shop.messages.messages().join('|').toStdString();
    ASSERT_TRUE(restore.swapIn());
    EXPECT_EQ(asked.asked, (QList<int>{2, 3}));
    EXPECT_EQ(BackupTestShop::tables(shop.data), before);
}

TEST(BackupDisksTest, TheQuestionCountsTheDisksFromTheirFreeSpace)
{
    PackedShop shop;
    // By their total size two sticks would hold it; what an empty stick's
    // file system leaves free takes three.
    const qint64 perDisk = shop.archive.size() / 2 + 10;
    const qint64 overhead = 200;
    Sticks sticks(shop, PackedShop::diskFor(perDisk), overhead);
    sticks.swapOnEveryQuestion();
    shop.messages.answerNext(true);
    ASSERT_TRUE(shop.copy(sticks.volumes, sticks.media(1) + "/shop.SBK", &sticks.disks))
        << shop.messages.messages().join('|').toStdString();
    ASSERT_FALSE(shop.messages.questions().isEmpty());
    EXPECT_EQ(shop.messages.questions().first(), "3 枚のディスクが必要です。\n準備はよろしいですか？");
    EXPECT_EQ(sticks.disks.asked, (QList<int>{2, 3}));
}

TEST(BackupDisksTest, TheStickJustWrittenOrAFolderIsRefusedAsTheNextDisk)
{
    PackedShop shop;
    const qint64 perDisk = shop.archive.size() / 2 + 10;
    Sticks sticks(shop, PackedShop::diskFor(perDisk));
    sticks.volumes.plug(shop.path("fixed"), DriveType::Fixed, qint64(1) << 40);
    int tries = 0;
    // Both sticks are in: first the one just written, then a folder of
    // the fixed disk, then the empty stick.
    sticks.disks.answer = [&](int) {
        ++tries;
        if (tries == 1) {
            sticks.volumes.plug(sticks.media(2), DriveType::Removable, sticks.total);
            return sticks.media(1);
        }
        return tries == 2 ? shop.path("fixed") : sticks.media(2);
    };
    shop.messages.answerNext(true); // 2 disks
    ASSERT_TRUE(shop.copy(sticks.volumes, sticks.media(1) + "/shop.SBK", &sticks.disks))
        << shop.messages.messages().join('|').toStdString();
    EXPECT_EQ(sticks.disks.asked, (QList<int>{2, 2, 2}));
    EXPECT_EQ(shop.messages.messages(),
              (QStringList{sticks.media(1) + "\nこのディスクには既にこのバックアップの 1 枚目が入っています！"
                                             "\n別のディスクを選んで下さい。",
                           "このドライブには保存できません！"}));
    EXPECT_EQ(sticks.volumes.clears, 0);
    QByteArray joined;
    for (int stick : {1, 2})
        joined += shop.root.read(QStringLiteral("media/STICK%1/shop.SBK").arg(stick)).mid(256);
    EXPECT_EQ(joined, shop.archive);
}

TEST(BackupDisksTest, DiskRefusedMidwayEndsWithNoPartialFile)
{
    PackedShop shop;
    const qint64 perDisk = shop.archive.size() / 2 + 10;
    Sticks sticks(shop, PackedShop::diskFor(perDisk));
    sticks.swapOnEveryQuestion();
    const auto answer = sticks.disks.answer;
    sticks.disks.answer = [&](int number) {
        const QString root = answer(number);
        shop.root.write(QDir(shop.root.path()).relativeFilePath(root) + "/keep.txt", "not ours");
        return root;
    };
    shop.messages.answerNext(true);  // 2 disks
    shop.messages.answerNext(false); // do not clear the second
    EXPECT_FALSE(shop.copy(sticks.volumes, sticks.media(1) + "/shop.SBK", &sticks.disks));
    EXPECT_EQ(sticks.volumes.clears, 0);
    EXPECT_EQ(entries(sticks.media(2)), QStringList{"keep.txt"});
    EXPECT_EQ(shop.root.read("media/STICK2/keep.txt"), "not ours");
    EXPECT_EQ(entries(sticks.pulled(1)), QStringList{"shop.SBK"});

    // The user stops at the question for the next disk.
    shop.messages.clear();
    Sticks again(shop, PackedShop::diskFor(perDisk));
    shop.messages.answerNext(true);
    EXPECT_FALSE(shop.copy(again.volumes, again.media(1) + "/shop.SBK", &again.disks));
    EXPECT_EQ(again.disks.asked, QList<int>{2});
}

TEST(BackupDisksTest, VolumeTooSmallIsRefusedAtOnce)
{
    PackedShop shop;
    FolderVolumes tiny(shop.path("drive"), DriveType::Removable,
                       PackedShop::diskFor(0));
    shop.messages.answerNext(true);
    EXPECT_FALSE(shop.copy(tiny, shop.path("drive/shop.SBK")));
    EXPECT_EQ(shop.messages.messages().last(),
              "ドライブ (" + shop.path("drive") + ") の空き容量が足りません！\n整理して空き容量を増やして下さい");
    EXPECT_TRUE(entries(shop.path("drive")).isEmpty());

    // A fixed drive must take the whole archive before anything is written.
    FolderVolumes fixed(shop.path("fixed"), DriveType::Fixed,
                        PackedShop::diskFor(shop.archive.size() - 1));
    EXPECT_FALSE(shop.copy(fixed, shop.path("fixed/shop.SBK")));
    EXPECT_TRUE(entries(shop.path("fixed")).isEmpty());
}

TEST(BackupDisksTest, FullDestinationMidwayLeavesNoPartialFile)
{
    PackedShop shop;
    FolderVolumes drive(shop.path("drive"), DriveType::Fixed, qint64(1) << 40);
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
    FolderVolumes drive(shop.path("drive"), DriveType::Fixed, qint64(1) << 40);
    EXPECT_FALSE(shop.copy(drive, shop.path("drive/shop.SBK")));
    EXPECT_EQ(shop.messages.messages().last(),
              "データが大きすぎて１つのバックアップファイルに収まりません！(4294967296 バイト)");
    EXPECT_TRUE(entries(shop.path("drive")).isEmpty());
    archive.remove();
}

TEST(BackupPathTest, DestinationChecks)
{
    kv::test::BackupTestShop shop;
    FolderVolumes drive(shop.path("drive"), DriveType::Fixed, qint64(1) << 40);
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
