#include "common/platform/SharedFile.h"
#include "support/TempFolder.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <thread>

using namespace kv;

namespace {
constexpr unsigned kExclusive = FileMode::ReadWrite | FileMode::ShareExclusive
    | FileMode::Create | FileMode::NoTruncate;
constexpr unsigned kReader = FileMode::Read | FileMode::ShareDenyWrite;
constexpr unsigned kWriter = FileMode::Write | FileMode::ShareDenyWrite | FileMode::Create
    | FileMode::NoTruncate;
}

TEST(SharedFile, ExclusiveOpenRefusesEveryOtherOpenAsSharingViolation)
{
    test::TempFolder dir;
    SharedFile holder;
    ASSERT_TRUE(holder.open(dir.file("050.dat"), kExclusive));
    SharedFile other;
    int cause = 0;
    EXPECT_FALSE(other.open(dir.file("050.dat"), kReader, &cause));
    EXPECT_EQ(cause, FileCause::SharingViolation);
    EXPECT_FALSE(other.open(dir.file("050.dat"), kExclusive, &cause));
    EXPECT_EQ(cause, FileCause::SharingViolation);
    holder.close();
    EXPECT_TRUE(other.open(dir.file("050.dat"), kExclusive));
}

TEST(SharedFile, ReadersShareAndWritersExcludeThem)
{
    test::TempFolder dir;
    ASSERT_TRUE(dir.write("001.dat", QByteArray(256, 'x')));
    SharedFile r1, r2, w;
    ASSERT_TRUE(r1.open(dir.file("001.dat"), kReader));
    ASSERT_TRUE(r2.open(dir.file("001.dat"), kReader));
    int cause = 0;
    EXPECT_FALSE(w.open(dir.file("001.dat"), kWriter, &cause));
    EXPECT_EQ(cause, FileCause::SharingViolation);
    r1.close();
    r2.close();
    ASSERT_TRUE(w.open(dir.file("001.dat"), kWriter));
    EXPECT_FALSE(r1.open(dir.file("001.dat"), kReader, &cause));
    EXPECT_EQ(cause, FileCause::SharingViolation);
}

TEST(SharedFile, RefusedTruncatingOpenLeavesTheHoldersDataAlone)
{
    test::TempFolder dir;
    ASSERT_TRUE(dir.write("a.dat", "keep me"));
    SharedFile holder;
    ASSERT_TRUE(holder.open(dir.file("a.dat"), kReader));
    SharedFile truncating;
    EXPECT_FALSE(truncating.open(dir.file("a.dat"),
                                 FileMode::Write | FileMode::ShareExclusive | FileMode::Create));
    EXPECT_EQ(dir.read("a.dat"), QByteArray("keep me"));
}

TEST(SharedFile, ReportsMissingFilesAndFoldersApart)
{
    test::TempFolder dir;
    SharedFile f;
    int cause = 0;
    EXPECT_FALSE(f.open(dir.file("none.dat"), kReader, &cause));
    EXPECT_EQ(cause, FileCause::FileNotFound);
    EXPECT_FALSE(f.open(dir.file("no/such/none.dat"), kReader, &cause));
    EXPECT_EQ(cause, FileCause::BadPath);
    EXPECT_FALSE(f.open(dir.path(), kReader, &cause));
    EXPECT_EQ(cause, FileCause::AccessDenied);
}

TEST(SharedFile, RetryingOpenWaitsForTheHolderThenSucceeds)
{
    test::TempFolder dir;
    auto holder = std::make_unique<SharedFile>();
    ASSERT_TRUE(holder->open(dir.file("052.dat"), kExclusive));
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        holder->close();
    });
    SharedFile waiter;
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(waiter.openRetrying(dir.file("052.dat"), kExclusive, {100, 60000}));
    EXPECT_GE(clock.elapsed(), 300);
    release.join();
}

TEST(SharedFile, RetryingOpenGivesUpAfterItsTimeout)
{
    test::TempFolder dir;
    SharedFile holder;
    ASSERT_TRUE(holder.open(dir.file("053.dat"), kExclusive));
    SharedFile waiter;
    int cause = 0;
    EXPECT_FALSE(waiter.openRetrying(dir.file("053.dat"), kExclusive, {50, 250}, &cause));
    EXPECT_EQ(cause, FileCause::SharingViolation);
}

TEST(SharedFile, ReadsWritesAndSeeks)
{
    test::TempFolder dir;
    SharedFile f;
    ASSERT_TRUE(f.open(dir.file("b.dat"), kExclusive));
    ASSERT_TRUE(f.write(QByteArray("0123456789")));
    EXPECT_EQ(f.size(), 10);
    EXPECT_EQ(f.seek(-3, 2), 7);
    char buf[8] = {};
    EXPECT_EQ(f.read(buf, 8), 3);
    EXPECT_EQ(QByteArray(buf, 3), QByteArray("789"));
    EXPECT_EQ(f.seek(0), 0);
    EXPECT_EQ(f.readAll(), QByteArray("0123456789"));
}
