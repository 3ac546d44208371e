// Backing up a data folder into a backup file and putting it back: the
// restored tables equal the backed-up ones row for row, the file is what
// the header promises, and a damaged file never reaches the data folder.
#include "BackupTestShop.h"
#include "FolderVolumes.h"

#include "backup/core/BackupHeader.h"
#include "backup/core/BackupRun.h"
#include "backup/core/DataRestore.h"
#include "data/tools/DemoData.h"
#include "support/LockHoldingComputer.h"
#include "support/TestPaths.h"

#include <QDirIterator>
#include <QProcess>
#include <QThread>
#include <QStandardPaths>

using namespace kv;
using namespace kv::backup;
using kv::test::BackupTestShop;
using kv::test::FolderVolumes;

namespace {

constexpr qint64 kLargeDisk = qint64(1) << 40;

struct Backup {
    BackupTestShop& shop;
    FolderVolumes volumes{shop.path("drive"),
                          BackupVolumes::DriveType::Fixed, kLargeDisk};
    std::atomic<bool> cancel{false};
    QString file = shop.path("drive/shop.SBK");

    bool run(std::function<void(int)> progress = {})
    {
        BackupRun run({shop.data, QStringLiteral("Server"), file, {1, 2000}}, volumes,
                      messageGateway(), cancel, std::move(progress));
        return run.run();
    }
};

// How many different rounds of the writer the customers carry.
int roundsIn(const QString& database)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(database).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_busy_timeout(db, 5000);
    QStringList values;
    BackupTestShop::query(db, "SELECT DISTINCT Hoyu FROM Kok", &values);
    sqlite3_close(db);
    return int(values.size());
}

bool restore(BackupTestShop& shop, const QString& file)
{
    FolderVolumes volumes(shop.path("drive"),
                          BackupVolumes::DriveType::Fixed, kLargeDisk);
    DataRestore restore(volumes, messageGateway(), shop.data);
    return restore.prepare(file) && restore.swapIn();
}

// Names and contents of the files of a data folder that are not its
// databases or settings files, as text a failure shows.
std::map<std::string, std::string> filesBesideTheDatabases(const QString& folder)
{
    std::map<std::string, std::string> found;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        const QString name = QDir(folder).relativeFilePath(file.fileName());
        if (name.endsWith(".mdb") || name.endsWith(".dat"))
            continue;
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        found[name.toStdString()] = file.readAll().toStdString();
    }
    return found;
}

} // namespace

TEST(BackupHeaderTest, BytesAsTheFileLayoutGivesThem)
{
    const QByteArray header = BackupHeader::make(0x01020304u);
    ASSERT_EQ(header.size(), 256);
    EXPECT_EQ(header.left(19), QByteArray("Sabion Backup Data", 19));
    EXPECT_EQ(header.mid(18, 6), QByteArray(6, '\0'));
    EXPECT_EQ(header.mid(24, 4), QByteArray("\x04\x03\x02\x01", 4));
    EXPECT_EQ(header.mid(28), QByteArray(228, '\0'));
    EXPECT_EQ(BackupHeader::read(header), 0x01020304u);
    QByteArray other = header;
    other[3] = 'x';
    EXPECT_FALSE(BackupHeader::read(other));
    other = header;
    other[200] = 1;
    EXPECT_FALSE(BackupHeader::read(other));
}

TEST(BackupRestoreTest, DemoDataComesBackRowForRowAndTheFileHoldsTheArchive)
{
    BackupTestShop shop;
    ASSERT_TRUE(data::DemoData::write(shop.data, QDate(2026, 12, 10)));
    QFile photo(shop.data + "/Photo/写真1.jpg");
    ASSERT_TRUE(photo.open(QIODevice::WriteOnly));
    photo.write(QByteArray(5000, 'p'));
    photo.close();
    // Never packed: an older backup, an archive, the temporary folder.
    for (const char* name : {"/old.SBK", "/x.lzh", "/Temp/work.mdb"}) {
        QFile stray(shop.data + QString::fromUtf8(name));
        ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
        stray.write("stray");
    }
    const auto before = BackupTestShop::tables(shop.data);
    const auto photos = BackupTestShop::files(shop.data + "/Photo");
    ASSERT_GT(before.at("010.mdb/Kok").size(), 5);

    Backup backup{shop};
    QList<int> progress;
    ASSERT_TRUE(backup.run([&](int percent) { progress.append(percent); }))
        << shop.messages.messages().join('|').toStdString();
    EXPECT_EQ(shop.messages.messages().last(), "データバックアップ完了");
    EXPECT_EQ(progress.last(), 100);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(QDir(shop.data + "/Temp").entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{});

    QFile file(backup.file);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(BackupHeader::read(bytes), quint32(bytes.size() - 256));

    // Debian's reader lists and tests what we wrote.
    const QString lha = QStandardPaths::findExecutable("lha");
    if (!lha.isEmpty()) {
        QFile archive(shop.path("copy.lzh"));
        ASSERT_TRUE(archive.open(QIODevice::WriteOnly));
        archive.write(bytes.mid(256));
        archive.close();
        QProcess list;
        list.start(lha, {"-t", archive.fileName()});
        ASSERT_TRUE(list.waitForFinished(60000));
        EXPECT_EQ(list.exitCode(), 0) << list.readAllStandardError().toStdString();
        list.start(lha, {"-l", archive.fileName()});
        ASSERT_TRUE(list.waitForFinished(60000));
        const QByteArray listing = list.readAllStandardOutput();
        EXPECT_TRUE(listing.contains("010.mdb"));
        EXPECT_FALSE(listing.contains("old.SBK") || listing.contains("x.lzh")
                     || listing.contains("work.mdb"));
    }

    // The customer deleted after the backup is back after the restore.
    BackupTestShop::sql(shop.data + "/010.mdb", "DELETE FROM Kok WHERE KokCode = 1");
    ASSERT_NE(BackupTestShop::tables(shop.data), before);
    shop.messages.clear();
    ASSERT_TRUE(restore(shop, backup.file)) << shop.messages.messages().join('|').toStdString();
    EXPECT_EQ(BackupTestShop::tables(shop.data), before);
    EXPECT_EQ(BackupTestShop::files(shop.data + "/Photo"), photos);
    EXPECT_FALSE(QFileInfo::exists(shop.data + "/old.SBK"));
    // The data as it was before the restore is kept under a dated name.
    const QStringList kept = QDir(shop.root.path()).entryList({"Data_*"}, QDir::Dirs);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_TRUE(QFileInfo::exists(shop.path(kept[0]) + "/old.SBK"));
}

TEST(BackupRestoreTest, GeneratedDataComesBackRowForRow)
{
    BackupTestShop shop;
    ASSERT_TRUE(shop.generate({600, 900, 1500, 9000}));
    const auto before = BackupTestShop::tables(shop.data);

    Backup backup{shop};
    ASSERT_TRUE(backup.run()) << shop.messages.messages().join('|').toStdString();
    BackupTestShop::sql(shop.data + "/003.mdb", "DELETE FROM Syahead");
    BackupTestShop::sql(shop.data + "/002.mdb", "DELETE FROM SyaJnl");
    ASSERT_TRUE(restore(shop, backup.file)) << shop.messages.messages().join('|').toStdString();
    EXPECT_EQ(BackupTestShop::tables(shop.data), before);
}

TEST(BackupRestoreTest, DamagedFileIsRefusedAndTheDataFolderStaysAsItWas)
{
    BackupTestShop shop;
    ASSERT_TRUE(data::DemoData::write(shop.data, QDate(2026, 12, 10)));
    Backup backup{shop};
    ASSERT_TRUE(backup.run());
    const auto data = BackupTestShop::files(shop.data);
    QFile file(backup.file);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    file.close();

    // A byte flipped in the header, in compressed data, in the last entry.
    for (const qsizetype at : {qsizetype(5), good.size() / 3, good.size() / 2, good.size() - 40}) {
        SCOPED_TRACE(at);
        QByteArray bad = good;
        bad[at] = char(bad[at] ^ 0x10);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bad);
        file.close();
        shop.messages.clear();
        EXPECT_FALSE(restore(shop, backup.file));
        ASSERT_EQ(shop.messages.messages().size(), 1);
        const QString message = shop.messages.messages()[0];
        EXPECT_TRUE(message.startsWith(at < 256 ? "/" : "バックアップファイルが壊れています！")
                    || message.startsWith("復元したデータ"))
            << message.toStdString();
        EXPECT_EQ(BackupTestShop::files(shop.data), data);
        EXPECT_EQ(QDir(shop.root.path()).entryList({"Data*"}, QDir::Dirs | QDir::Files),
                  QStringList{"Data"});
    }
    // Cut short.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(good.left(good.size() - 1000));
    file.close();
    shop.messages.clear();
    EXPECT_FALSE(restore(shop, backup.file));
    EXPECT_EQ(BackupTestShop::files(shop.data), data);
}

TEST(BackupRestoreTest, CancelWhileReadingUnpackingOrCheckingLeavesNothingBehind)
{
    BackupTestShop shop;
    ASSERT_TRUE(data::DemoData::write(shop.data, QDate(2026, 12, 10)));
    Backup backup{shop};
    ASSERT_TRUE(backup.run());
    BackupTestShop::sql(shop.data + "/010.mdb", "DELETE FROM Kok WHERE KokCode = 1");
    const auto data = BackupTestShop::files(shop.data);
    FolderVolumes volumes(shop.path("drive"), BackupVolumes::DriveType::Fixed,
                          kLargeDisk);

    // Reading the file ends at 30 %, unpacking at 85 %, checking at 95 %.
    for (const int at : {1, 50, 90}) {
        SCOPED_TRACE(at);
        shop.messages.clear();
        std::atomic<bool> cancel{false};
        QList<int> progress;
        {
            DataRestore restore(volumes, messageGateway(), shop.data, &cancel, [&](int percent) {
                progress.append(percent);
                if (percent >= at)
                    cancel = true;
            });
            EXPECT_FALSE(restore.prepare(backup.file));
            EXPECT_FALSE(QFileInfo::exists(restore.preparedFolder()));
        }
        // Noticed within the step, silently.
        EXPECT_LT(progress.last(), DataRestore::kPreparedPercent);
        EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
        EXPECT_EQ(shop.messages.messages(), QStringList{});
        EXPECT_EQ(BackupTestShop::files(shop.data), data);
        EXPECT_EQ(QDir(shop.root.path()).entryList({"Data*"}, QDir::Dirs | QDir::Files),
                  QStringList{"Data"});
    }
}

TEST(BackupRestoreTest, RefusedWhileAnotherComputerHoldsALock)
{
    BackupTestShop shop;
    kv::test::LockHoldingComputer other(shop.data, {"claim", "010.mdb", "3"});
    ASSERT_TRUE(other.ready);
    Backup backup{shop};
    EXPECT_FALSE(backup.run());
    EXPECT_EQ(shop.messages.messages(),
              (QStringList{"他のコンピュータでデータを使用中です！\n他のコンピュータを終了してから実行して下さい。",
                           "データバックアップを中止します！"}));
    EXPECT_FALSE(QFileInfo::exists(backup.file));
}

TEST(BackupRestoreTest, CancelLeavesNoFileAndAnOlderBackupWhole)
{
    BackupTestShop shop;
    ASSERT_TRUE(data::DemoData::write(shop.data, QDate(2026, 12, 10)));
    Backup backup{shop};
    QDir().mkpath(shop.path("drive"));
    QFile older(backup.file);
    ASSERT_TRUE(older.open(QIODevice::WriteOnly));
    older.write("older backup");
    older.close();
    shop.messages.answerNext(true); // overwrite
    // Cancelled once the copy has begun.
    EXPECT_FALSE(backup.run([&](int percent) {
        if (percent > 80)
            backup.cancel = true;
    }));
    EXPECT_EQ(shop.messages.messages().last(), "データバックアップを中止します！");
    EXPECT_EQ(QDir(shop.path("drive")).entryList(QDir::Files | QDir::Hidden), QStringList{"shop.SBK"});
    EXPECT_EQ(shop.root.read("drive/shop.SBK"), "older backup");
    EXPECT_EQ(QDir(shop.data + "/Temp").entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{});
}

TEST(BackupRestoreTest, BackupWhileAnotherProgramRecordsGivesSoundDatabases)
{
    BackupTestShop shop;
    ASSERT_TRUE(shop.generate({400, 400, 10, 10}));
    QProcess writer;
    writer.start(kv::test::peerProgram(), {"engine", shop.data, "churn"});
    ASSERT_TRUE(writer.waitForStarted());
    // Until the writer's first round is in, so every customer carries a round.
    for (int i = 0; i < 200 && roundsIn(shop.data + "/010.mdb") != 1; ++i)
        QThread::msleep(50);
    ASSERT_EQ(roundsIn(shop.data + "/010.mdb"), 1);

    Backup backup{shop};
    const bool done = backup.run();
    writer.kill();
    writer.waitForFinished();
    ASSERT_TRUE(done) << shop.messages.messages().join('|').toStdString();

    FolderVolumes volumes(shop.path("drive"), BackupVolumes::DriveType::Fixed,
                          kLargeDisk);
    DataRestore restore(volumes, messageGateway(), shop.data);
    ASSERT_TRUE(restore.prepare(backup.file)) << shop.messages.messages().join('|').toStdString();
    // One round of the writer's work, never half of one.
    EXPECT_EQ(roundsIn(restore.preparedFolder() + "/010.mdb"), 1);
}

TEST(BackupRestoreTest, NamesWhoseCp932BytesHoldABackslashComeBackByteForByte)
{
    BackupTestShop shop;
    ASSERT_TRUE(data::DemoData::write(shop.data, QDate(2026, 12, 10)));
    // 0x5C is the second byte of 表 能 十 ソ 予 申 構 in CP932; a backslash
    // of its own is a character of a name too.
    const QStringList names = {"表.txt", "能.txt", "ソフト.txt", "予定/十月.txt", "予定/申/構.txt",
                               "Photo/表紙.jpg", "a\\b.txt"};
    // Beside what the demo folder brings of its own (its postcard picture).
    std::map<std::string, std::string> written = filesBesideTheDatabases(shop.data);
    for (qsizetype i = 0; i < names.size(); ++i) {
        const std::string bytes(size_t(100 + i), char('a' + i));
        written[names[i].toStdString()] = bytes;
        ASSERT_TRUE(shop.root.write("Data/" + names[i], QByteArray::fromStdString(bytes)));
    }

    Backup backup{shop};
    ASSERT_TRUE(backup.run()) << shop.messages.messages().join('|').toStdString();
    for (const QString& name : names)
        ASSERT_TRUE(QFile::remove(shop.data + "/" + name));
    ASSERT_TRUE(restore(shop, backup.file)) << shop.messages.messages().join('|').toStdString();
    // Every name and every byte as it was, and nothing else beside them.
    EXPECT_EQ(filesBesideTheDatabases(shop.data), written);

    // The restored folder backs up again.
    shop.messages.clear();
    QFile::remove(backup.file);
    EXPECT_TRUE(backup.run()) << shop.messages.messages().join('|').toStdString();
}

TEST(BackupRestoreTest, NamesOutsideCp932AreBackedUpNamedAtTheEndAndComeBack)
{
    BackupTestShop shop;
    ASSERT_TRUE(data::DemoData::write(shop.data, QDate(2026, 12, 10)));
    const std::map<std::string, std::string> photos = {{"Photo/café.jpg", std::string(4000, 'c')},
                                                       {"Photo/写真−1.jpg", "minus sign"},
                                                       {"Photo/写真1.jpg", "ordinary"}};
    std::map<std::string, std::string> written = filesBesideTheDatabases(shop.data);
    for (const auto& [name, bytes] : photos) {
        ASSERT_TRUE(shop.root.write("Data/" + QString::fromStdString(name), QByteArray::fromStdString(bytes)));
        written[name] = bytes;
    }

    Backup backup{shop};
    ASSERT_TRUE(backup.run()) << shop.messages.messages().join('|').toStdString();
    EXPECT_EQ(shop.messages.messages().last(),
              "データバックアップ完了\n\n次のファイルは名前に Shift-JIS で表せない文字があるため、"
              "名前を UTF-8 で記録しました。\nPhoto/café.jpg\nPhoto/写真−1.jpg");

    QDir(shop.data + "/Photo").removeRecursively();
    ASSERT_TRUE(restore(shop, backup.file)) << shop.messages.messages().join('|').toStdString();
    EXPECT_EQ(filesBesideTheDatabases(shop.data), written);
}
