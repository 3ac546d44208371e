#include "data/service/HeldLockGuard.h"
#include "data/service/LockResources.h"
#include "data/service/LockTables.h"
#include "data/service/ShareLockAction.h"
#include "data/service/ShareLockTable.h"

#include "common/KVCommon.h"
#include "common/platform/SharedFile.h"
#include "support/RecordingMessageGateway.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QFileInfo>

namespace {

using kv::SharedFile;
using kv::data::LockTables;
using kv::data::ShareLockTable;
namespace Action = kv::data::ShareLockAction;

const QString kCustomers = QStringLiteral("010.mdb");
const QString kA = QStringLiteral("PC-A");
const QString kB = QStringLiteral("PC-B");
const QString kC = QStringLiteral("PC-C");

// Short waits so that the 60-second give-up path runs in a blink.
constexpr kv::RetryTiming kFast{5, 60};

class LockTablesTest : public ::testing::Test {
protected:
    QByteArray fileBytes(const QString& name = QStringLiteral("052.dat")) const
    {
        return m_folder.read(name);
    }
    ShareLockTable table(const QString& name = QStringLiteral("052.dat")) const
    {
        return ShareLockTable::fromBytes(fileBytes(name));
    }
    // Holds a file the way another computer's open does.
    bool holdElsewhere(SharedFile& file, const QString& name = QStringLiteral("052.dat"))
    {
        return file.open(m_folder.file(name), kv::FileMode::ReadWrite | kv::FileMode::ShareExclusive
                                                  | kv::FileMode::Create | kv::FileMode::NoTruncate);
    }

    kv::test::TempFolder m_folder;
    kv::test::RecordingMessageGateway m_messages;
    LockTables m_locks{m_folder.path(), kFast};
};

TEST_F(LockTablesTest, TableIsWrittenByteForByte)
{
    ASSERT_TRUE(m_locks.ShareLock(kCustomers, "Server", 0, Action::Join));
    ASSERT_TRUE(m_locks.ShareLock(kCustomers, QString::fromUtf8("事務所"), 0, Action::Join));
    ASSERT_TRUE(m_locks.ShareLock(kCustomers, QString::fromUtf8("事務所"), 5, Action::Claim));

    QByteArray expected(960, '\0');
    // Slot 0 at 0: "Server" ^ 0x6B, a zero byte; code 0 ^ 0x5B3E91A7 at 44.
    expected.replace(0, 6, QByteArray::fromHex("380e191d0e19"));
    expected.replace(44, 4, QByteArray::fromHex("a7913e5b"));
    // Slot 1 at 48: "事務所" in CP932 (8e96 96b1 8f8a) ^ 0x6B; code 5 masked at 92.
    expected.replace(48, 6, QByteArray::fromHex("e5fdfddae4e1"));
    expected.replace(92, 4, QByteArray::fromHex("a2913e5b"));
    EXPECT_EQ(fileBytes().toHex(), expected.toHex());
    EXPECT_TRUE(m_messages.messages().isEmpty());
}

TEST_F(LockTablesTest, EveryResourceHasItsOwnFile)
{
    const QStringList& names = kv::data::LockResources::names();
    ASSERT_EQ(names.size(), 12);
    for (int i = 0; i < names.size(); ++i) {
        const QString file = QStringLiteral("%1.dat").arg(50 + i, 3, 10, QLatin1Char('0'));
        ASSERT_TRUE(m_locks.ShareLock(names[i], kA, 0, Action::Join)) << names[i].toStdString();
        EXPECT_EQ(fileBytes(file).size(), 960) << file.toStdString();
        EXPECT_EQ(m_locks.lockFilePath(names[i]), m_folder.path() + "/" + file);
    }
    EXPECT_EQ(names.first(), "012.mdb");
    EXPECT_EQ(names[6], "Printing");
    EXPECT_EQ(names.last(), "Meisei");
}

TEST_F(LockTablesTest, ClaimHeldElsewhereFailsUntilReleased)
{
    ASSERT_TRUE(m_locks.ShareLock(kCustomers, kA, 0, Action::Join));
    ASSERT_TRUE(m_locks.ShareLock(kCustomers, kB, 0, Action::Join));
    ASSERT_TRUE(m_locks.ShareLock(kCustomers, kB, 5, Action::Claim));

    EXPECT_FALSE(m_locks.ShareLock(kCustomers, kA, 5, Action::Claim));
    EXPECT_EQ(table().codeOf(0), 0);
    EXPECT_TRUE(m_locks.ShareLock(kCustomers, kB, 0, Action::Release));
    EXPECT_TRUE(m_locks.ShareLock(kCustomers, kA, 5, Action::Claim));
    EXPECT_EQ(table().codeOf(0), 5);
    EXPECT_EQ(table().codeOf(1), 0);
    // Locks of one resource say nothing about another's.
    EXPECT_TRUE(m_locks.ShareLock("009.mdb", kB, 5, Action::Claim));
}

struct ActionCase {
    const char* what;
    int action;
    QString computer;
    int code;
    bool result;
    // Codes of A (slot 0) and B (slot 1) afterwards; slot 2's name and code.
    int codeA;
    int codeB;
    QString slot2;
    int code2;
};

TEST_F(LockTablesTest, ActionsAgainstATableWhereAHolds5)
{
    const ActionCase cases[] = {
        {"claim held elsewhere", Action::Claim, kB, 5, false, 5, 0, {}, 0},
        {"claim of a free code", Action::Claim, kB, 6, true, 5, 6, {}, 0},
        {"claim of one's own code", Action::Claim, kA, 5, true, 5, 0, {}, 0},
        {"claim of code 0", Action::Claim, kB, 0, true, 5, 0, {}, 0},
        {"claim without a slot joins", Action::Claim, kC, 7, true, 5, 0, kC, 7},
        {"check held elsewhere", Action::IsHeldElsewhere, kB, 5, false, 5, 0, {}, 0},
        {"check own code", Action::IsHeldElsewhere, kA, 5, true, 5, 0, {}, 0},
        {"check a free code", Action::IsHeldElsewhere, kB, 6, true, 5, 0, {}, 0},
        {"check code 0", Action::IsHeldElsewhere, kB, 0, true, 5, 0, {}, 0},
        {"set held ignores the others", Action::SetHeld, kB, 5, true, 5, 5, {}, 0},
        {"set held code 0", Action::SetHeld, kA, 0, true, 5, 0, {}, 0},
        {"release ignores the code", Action::Release, kA, 99, true, 0, 0, {}, 0},
        {"release without a slot", Action::Release, kC, 5, true, 5, 0, {}, 0},
        {"join of a new computer", Action::Join, kC, 9, true, 5, 0, kC, 0},
        {"join again keeps the code", Action::Join, kA, 0, true, 5, 0, {}, 0},
        {"hold is no ShareLock action", Action::Hold, kB, 5, true, 5, 0, {}, 0},
        {"unknown action", 17, kB, 5, true, 5, 0, {}, 0},
        {"negative action", -1, kB, 5, true, 5, 0, {}, 0},
    };
    for (const ActionCase& row : cases) {
        SCOPED_TRACE(row.what);
        ShareLockTable start;
        start.setSlot(0, ShareLockTable::storedName(kA), 5);
        start.setSlot(1, ShareLockTable::storedName(kB), 0);
        ASSERT_TRUE(m_folder.write("052.dat", start.bytes()));

        EXPECT_EQ(m_locks.ShareLock(kCustomers, row.computer, row.code, row.action), row.result);
        const ShareLockTable after = table();
        EXPECT_EQ(after.nameOf(0), kA);
        EXPECT_EQ(after.codeOf(0), row.codeA);
        EXPECT_EQ(after.nameOf(1), kB);
        EXPECT_EQ(after.codeOf(1), row.codeB);
        EXPECT_EQ(after.nameOf(2), row.slot2);
        if (!row.slot2.isEmpty()) {
            EXPECT_EQ(after.codeOf(2), row.code2);
        }
        for (int slot = 3; slot < ShareLockTable::kSlotCount; ++slot)
            EXPECT_TRUE(after.isFree(slot));
    }
    EXPECT_TRUE(m_messages.messages().isEmpty());
}

TEST_F(LockTablesTest, ClearWritesTheWholeTableAsZeros)
{
    ShareLockTable start;
    start.setSlot(0, ShareLockTable::storedName(kA), 5);
    ASSERT_TRUE(m_folder.write("052.dat", start.bytes().left(50)));
    EXPECT_TRUE(m_locks.ShareLock(kCustomers, QString(), 0, Action::Clear));
    EXPECT_EQ(fileBytes(), QByteArray(960, '\0'));
}

TEST_F(LockTablesTest, JoinOnAFullTableLeavesItUnchanged)
{
    ShareLockTable full;
    for (int slot = 0; slot < ShareLockTable::kSlotCount; ++slot)
        full.setSlot(slot, ShareLockTable::storedName(QStringLiteral("PC%1").arg(slot)), slot);
    ASSERT_TRUE(m_folder.write("052.dat", full.bytes()));

    EXPECT_TRUE(m_locks.ShareLock(kCustomers, "PC-21", 0, Action::Join));
    EXPECT_EQ(fileBytes(), full.bytes());
    // Its claims cannot be recorded, and it still sees what others hold.
    EXPECT_TRUE(m_locks.ShareLock(kCustomers, "PC-21", 100, Action::Claim));
    EXPECT_FALSE(m_locks.ShareLock(kCustomers, "PC-21", 7, Action::Claim));
    EXPECT_EQ(fileBytes(), full.bytes());
}

TEST_F(LockTablesTest, ShortAndMissingFilesReadAsZeros)
{
    // Another computer's slot, cut off right after its code.
    ShareLockTable start;
    start.setSlot(0, ShareLockTable::storedName(kA), 5);
    ASSERT_TRUE(m_folder.write("052.dat", start.bytes().left(48)));
    EXPECT_FALSE(m_locks.ShareLock(kCustomers, kB, 5, Action::Claim));
    EXPECT_EQ(fileBytes().size(), 48);
    EXPECT_TRUE(m_locks.ShareLock(kCustomers, kB, 0, Action::Join));
    EXPECT_EQ(fileBytes().size(), 960);
    EXPECT_EQ(table().nameOf(1), kB);

    // A missing file is created empty and holds nothing.
    EXPECT_TRUE(m_locks.ShareLock("009.mdb", kB, 5, Action::IsHeldElsewhere));
    EXPECT_TRUE(QFileInfo::exists(m_folder.file("053.dat")));
    EXPECT_EQ(fileBytes("053.dat").size(), 0);
}

TEST_F(LockTablesTest, NamesWithAnInnerKFindTheirSlotAgain)
{
    const QString desktop = QStringLiteral("Desktop");
    ASSERT_TRUE(m_locks.ShareLock(kCustomers, desktop, 0, Action::Join));
    ASSERT_TRUE(m_locks.ShareLock(kCustomers, desktop, 0, Action::Join));
    ASSERT_TRUE(m_locks.ShareLock(kCustomers, desktop, 8, Action::Claim));
    EXPECT_EQ(table().firstFree(), 1);
    EXPECT_EQ(table().codeOf(0), 8);
    // "Des" is the same up to the masked 'k' and still another computer.
    EXPECT_FALSE(m_locks.ShareLock(kCustomers, "Des", 8, Action::Claim));
    EXPECT_TRUE(m_locks.ShareLock(kCustomers, desktop, 0, Action::Release));
    EXPECT_EQ(table().codeOf(0), 0);
    EXPECT_TRUE(m_locks.ShareLock(kCustomers, "Des", 8, Action::Claim));
}

TEST_F(LockTablesTest, RefusesWhatItCannotStoreOrFind)
{
    ASSERT_TRUE(m_locks.ShareLock(kCustomers, kA, 5, Action::Claim));
    const QByteArray before = fileBytes();
    EXPECT_FALSE(m_locks.ShareLock(kCustomers, QString(), 5, Action::Claim));
    EXPECT_FALSE(m_locks.ShareLock(kCustomers, QString(44, QLatin1Char('X')), 6, Action::Claim));
    EXPECT_FALSE(m_locks.ShareLock(kCustomers, QString(), 0, Action::Join));
    EXPECT_FALSE(m_locks.ShareLock("013.mdb", kA, 5, Action::Claim));
    EXPECT_FALSE(m_locks.runExclusively("013.mdb", [] {}));
    EXPECT_EQ(fileBytes(), before);
}

TEST_F(LockTablesTest, BusyFileGivesUpWithoutAMessage)
{
    SharedFile other;
    ASSERT_TRUE(holdElsewhere(other));
    for (int action : {0, 1, 2, 3, 4, 5}) {
        SCOPED_TRACE(action);
        EXPECT_FALSE(m_locks.ShareLock(kCustomers, kA, 5, action));
    }
    SharedFile held;
    EXPECT_FALSE(m_locks.HeldLockFile(kCustomers, kA, 0, Action::Hold, held));
    EXPECT_FALSE(held.isOpen());
    bool ran = false;
    EXPECT_FALSE(m_locks.runExclusively(kCustomers, [&] { ran = true; }));
    EXPECT_FALSE(ran);
    EXPECT_TRUE(m_messages.messages().isEmpty());

    other.close();
    EXPECT_TRUE(m_locks.ShareLock(kCustomers, kA, 5, Action::Claim));
}

TEST_F(LockTablesTest, OtherOpenErrorsShowTheFileErrorText)
{
    LockTables nowhere(m_folder.file("missing-folder"), kFast);
    const QString path = m_folder.file("missing-folder/052.dat");
    QString expected;
    CFileSetErrStr(expected, path, kv::FileCause::BadPath);

    EXPECT_FALSE(nowhere.ShareLock(kCustomers, kA, 5, Action::Claim));
    SharedFile held;
    EXPECT_FALSE(nowhere.HeldLockFile(kCustomers, kA, 0, Action::Hold, held));
    EXPECT_EQ(m_messages.messages(), QStringList({expected, expected}));
}

TEST_F(LockTablesTest, HeldLockFileKeepsEveryoneElseOut)
{
    const QString printing = QStringLiteral("Printing");
    {
        SharedFile held;
        ASSERT_TRUE(m_locks.HeldLockFile(printing, kA, 1, Action::Hold, held));
        EXPECT_TRUE(held.isOpen());
        EXPECT_FALSE(m_locks.ShareLock(printing, kB, 1, Action::Claim));
        SharedFile second;
        EXPECT_FALSE(m_locks.HeldLockFile(printing, kB, 1, Action::Hold, second));
    }
    EXPECT_TRUE(m_locks.ShareLock(printing, kB, 1, Action::Claim));
    EXPECT_TRUE(m_messages.messages().isEmpty());

    // The check refuses a code held elsewhere and lets the file go.
    SharedFile checked;
    EXPECT_FALSE(m_locks.HeldLockFile(printing, kA, 1, Action::IsHeldElsewhere, checked));
    EXPECT_FALSE(checked.isOpen());
    EXPECT_TRUE(m_locks.HeldLockFile(printing, kA, 2, Action::IsHeldElsewhere, checked));
    EXPECT_TRUE(checked.isOpen());
    checked.close();

    // A wrong action is reported, and the file is held all the same.
    SharedFile wrong;
    EXPECT_TRUE(m_locks.HeldLockFile(printing, kA, 1, Action::Claim, wrong));
    EXPECT_TRUE(wrong.isOpen());
    EXPECT_EQ(m_messages.messages(), QStringList{QString::fromUtf8("SWが異常です！")});
}

TEST_F(LockTablesTest, GuardHoldsForItsScope)
{
    const QString printing = QStringLiteral("Printing");
    {
        kv::data::HeldLockGuard guard(m_locks, printing, kA, 1, Action::Hold);
        ASSERT_TRUE(guard.isHeld());
        EXPECT_FALSE(m_locks.ShareLock(printing, kB, 0, Action::Join));
        guard.release();
        EXPECT_FALSE(guard.isHeld());
        EXPECT_TRUE(m_locks.ShareLock(printing, kB, 0, Action::Join));
        kv::data::HeldLockGuard again(m_locks, printing, kA, 1, Action::Hold);
        EXPECT_TRUE(again.isHeld());
        EXPECT_FALSE(m_locks.ShareLock(printing, kB, 1, Action::Claim));
    }
    EXPECT_TRUE(m_locks.ShareLock(printing, kB, 1, Action::Claim));
}

TEST_F(LockTablesTest, RunExclusivelyHoldsTheLockFileWhileTheWorkRuns)
{
    bool blocked = false;
    EXPECT_TRUE(m_locks.runExclusively(kCustomers, [&] {
        // What another computer's reservation or claim would meet meanwhile.
        blocked = !LockTables(m_folder.path(), kFast).ShareLock(kCustomers, kB, 3, Action::Claim);
    }));
    EXPECT_TRUE(blocked);
    EXPECT_TRUE(m_locks.ShareLock(kCustomers, kB, 3, Action::Claim));
}

} // namespace
