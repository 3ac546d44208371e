#include "data/service/RecordCounters.h"
#include "data/service/SlipNumberCounter.h"

#include "common/KVCommon.h"
#include "common/platform/SharedFile.h"
#include "support/RecordingMessageGateway.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QFileInfo>

#include <set>

namespace {

using kv::data::RecordCounters;
using kv::data::SlipNumberCounter;

constexpr kv::RetryTiming kFast{5, 60};

class CountersTest : public ::testing::Test {
protected:
    bool holdElsewhere(kv::SharedFile& file, const QString& name)
    {
        return file.open(m_folder.file(name), kv::FileMode::ReadWrite | kv::FileMode::ShareExclusive
                                                  | kv::FileMode::Create);
    }

    kv::test::TempFolder m_folder;
    kv::test::RecordingMessageGateway m_messages;
    RecordCounters m_counters{m_folder.path(), kFast};
    SlipNumberCounter m_slips{m_folder.path(), kFast};
};

TEST_F(CountersTest, CounterActionsOnTheStoredBytes)
{
    // Stored bytes are the count XOR 0x5B3E91A7, little-endian.
    const struct {
        const char* what;
        QByteArray stored;
        int action;
        int count;
        int result;
        QByteArray after;
    } cases[] = {
        {"read", QByteArray::fromHex("a4913e5b"), RecordCounters::Read, 0, 3, QByteArray::fromHex("a4913e5b")},
        {"increment", QByteArray::fromHex("a4913e5b"), RecordCounters::Increment, 0, 4, QByteArray::fromHex("a3913e5b")},
        {"decrement", QByteArray::fromHex("a4913e5b"), RecordCounters::Decrement, 0, 2, QByteArray::fromHex("a5913e5b")},
        {"decrement stops at 0", QByteArray::fromHex("a7913e5b"), RecordCounters::Decrement, 0, 0, QByteArray::fromHex("a7913e5b")},
        {"decrement leaves -3", QByteArray::fromHex("5a6ec1a4"), RecordCounters::Decrement, 0, -3, QByteArray::fromHex("5a6ec1a4")},
        {"recount", QByteArray::fromHex("a4913e5b"), RecordCounters::Recount, 42, 42, QByteArray::fromHex("8d913e5b")},
        {"empty file counts nothing", QByteArray(), RecordCounters::Read, 0, 0, QByteArray()},
        {"empty file increments to 1", QByteArray(), RecordCounters::Increment, 0, 1, QByteArray::fromHex("a6913e5b")},
        {"short file increments from 0", QByteArray::fromHex("a491"), RecordCounters::Increment, 0, 1, QByteArray::fromHex("a6913e5b")},
        {"unknown action", QByteArray::fromHex("a4913e5b"), 3, 0, -1, QByteArray::fromHex("a4913e5b")},
        {"failed count stores nothing", QByteArray::fromHex("a4913e5b"), RecordCounters::Recount, -1, -1, QByteArray::fromHex("a4913e5b")},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        ASSERT_TRUE(m_folder.write("102.dat", row.stored));
        EXPECT_EQ(m_counters.RecordCounter("010.mdb", row.action, row.count), row.result);
        EXPECT_EQ(m_folder.read("102.dat").toHex(), row.after.toHex());
    }
    EXPECT_TRUE(m_messages.messages().isEmpty());
}

TEST_F(CountersTest, EachDatabaseHasItsCounterFile)
{
    const struct {
        const char* database;
        const char* file;
    } files[] = {{"012.mdb", "100.dat"}, {"011.mdb", "101.dat"}, {"010.mdb", "102.dat"}, {"009.mdb", "103.dat"}};
    int expected = 0;
    for (const auto& row : files) {
        ++expected;
        for (int i = 0; i < expected; ++i)
            m_counters.RecordCounter(row.database, RecordCounters::Increment);
        EXPECT_EQ(m_counters.RecordCounter(row.database, RecordCounters::Read), expected) << row.database;
        EXPECT_EQ(m_folder.read(row.file).size(), 4) << row.file;
    }
    EXPECT_EQ(m_counters.RecordCounter("013.mdb", RecordCounters::Increment), -1);
    EXPECT_EQ(m_counters.RecordCounter("010.mdb", RecordCounters::Recount, std::function<int()>()), -1);
    // The count is taken through the caller's function (the database's own).
    EXPECT_EQ(m_counters.RecordCounter("009.mdb", RecordCounters::Recount, [] { return 17; }), 17);
    EXPECT_EQ(m_counters.RecordCounter("009.mdb", RecordCounters::Read), 17);
}

TEST_F(CountersTest, CounterIsHeldWhileTheDatabaseCounts)
{
    int seenMeanwhile = 0;
    EXPECT_EQ(m_counters.RecordCounter("010.mdb", RecordCounters::Recount, [&] {
        seenMeanwhile = RecordCounters(m_folder.path(), kFast).RecordCounter("010.mdb", RecordCounters::Increment);
        return 7;
    }), 7);
    EXPECT_EQ(seenMeanwhile, -1);
    EXPECT_EQ(m_counters.RecordCounter("010.mdb", RecordCounters::Increment), 8);
}

TEST_F(CountersTest, CounterFileThatCannotBeHad)
{
    kv::SharedFile other;
    ASSERT_TRUE(holdElsewhere(other, "101.dat"));
    EXPECT_EQ(m_counters.RecordCounter("011.mdb", RecordCounters::Increment), -1);
    EXPECT_TRUE(m_messages.messages().isEmpty());
    other.close();
    EXPECT_EQ(m_counters.RecordCounter("011.mdb", RecordCounters::Increment), 1);

    RecordCounters nowhere(m_folder.file("gone"), kFast);
    EXPECT_EQ(nowhere.RecordCounter("011.mdb", RecordCounters::Read), -1);
    QString expected;
    CFileSetErrStr(expected, m_folder.file("gone/101.dat"), kv::FileCause::BadPath);
    EXPECT_EQ(m_messages.messages(), QStringList{expected});
}

QByteArray plain(qint32 value)
{
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = char((quint32(value) >> (8 * i)) & 0xFF);
    return bytes;
}

TEST_F(CountersTest, SlipNumbersFollowTheStoredOne)
{
    const std::set<int> none;
    const struct {
        const char* what;
        QByteArray stored;
        std::set<int> used;
        int result;
    } cases[] = {
        {"new counter", QByteArray(), none, 1},
        {"next after 41", QByteArray::fromHex("29000000"), none, 42},
        {"used numbers are passed over", QByteArray::fromHex("29000000"), {42, 43, 45}, 44},
        {"999999 wraps to 1", QByteArray::fromHex("3f420f00"), none, 1},
        {"after the wrap the next free", QByteArray::fromHex("3f420f00"), {1, 2}, 3},
        {"the search wraps too", QByteArray::fromHex("3e420f00"), {999999, 1}, 2},
        {"beyond the range starts at 1", QByteArray::fromHex("40420f00"), none, 1},
        {"negative starts at 1", QByteArray::fromHex("ffffffff"), none, 1},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        ASSERT_TRUE(m_folder.write("015.dat", row.stored));
        EXPECT_EQ(m_slips.NextSlipNumber([&](int n) { return row.used.count(n) > 0; }), row.result);
        EXPECT_EQ(m_folder.read("015.dat").toHex(), plain(row.result).toHex());
    }
    EXPECT_TRUE(m_messages.messages().isEmpty());
}

TEST_F(CountersTest, NoSlipNumberWhenAllAreTaken)
{
    ASSERT_TRUE(m_folder.write("015.dat", plain(500)));
    int asked = 0;
    EXPECT_EQ(m_slips.NextSlipNumber([&](int) { ++asked; return true; }), 0);
    EXPECT_EQ(asked, 999999);
    EXPECT_EQ(m_folder.read("015.dat"), plain(500));
}

TEST_F(CountersTest, SlipCounterThatCannotBeHad)
{
    kv::SharedFile other;
    ASSERT_TRUE(holdElsewhere(other, "015.dat"));
    bool asked = false;
    EXPECT_EQ(m_slips.NextSlipNumber([&](int) { asked = true; return false; }), 0);
    EXPECT_FALSE(asked);
    EXPECT_TRUE(m_messages.messages().isEmpty());
    other.close();

    SlipNumberCounter nowhere(m_folder.file("gone"), kFast);
    EXPECT_EQ(nowhere.NextSlipNumber({}), 0);
    EXPECT_EQ(m_messages.messages().size(), 1);
}

TEST_F(CountersTest, SlipCounterIsHeldWhileTheSearchRuns)
{
    bool blocked = false;
    EXPECT_EQ(m_slips.NextSlipNumber([&](int n) {
        if (n == 1)
            blocked = SlipNumberCounter(m_folder.path(), kFast).NextSlipNumber({}) == 0;
        return n == 1;
    }), 2);
    EXPECT_TRUE(blocked);
    EXPECT_EQ(m_slips.NextSlipNumber({}), 3);
}

} // namespace
