#include "data/service/LockTables.h"
#include "data/service/RecordCounters.h"
#include "data/service/ShareLockTable.h"

#include "support/TempFolder.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QProcess>

#include <memory>
#include <set>

namespace {

constexpr int kRounds = 500;

// Two computers on one data folder, started together.
class ContentionTest : public ::testing::Test {
protected:
    // Runs the worker as "PC-A" and "PC-B" at once; their outputs, or empty
    // after a failure (already reported).
    std::vector<QByteArray> runBoth(const QString& mode)
    {
        const QString worker = kv::test::peerProgram();
        std::vector<std::unique_ptr<QProcess>> processes;
        for (const char* computer : {"PC-A", "PC-B"}) {
            auto process = std::make_unique<QProcess>();
            process->start(worker, {"contention", mode, m_folder.path(), computer, QString::number(kRounds)});
            if (!process->waitForStarted()) {
                ADD_FAILURE() << "cannot start " << worker.toStdString();
                return {};
            }
            processes.push_back(std::move(process));
        }
        EXPECT_TRUE(m_folder.write("go", {}));
        std::vector<QByteArray> outputs;
        for (auto& process : processes) {
            const bool finished = process->waitForFinished(60000);
            EXPECT_TRUE(finished);
            EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
            if (!finished || process->exitCode() != 0)
                return {};
            outputs.push_back(process->readAllStandardOutput());
        }
        return outputs;
    }

    kv::test::TempFolder m_folder;
};

int valueAfter(const QByteArray& output, const QByteArray& key)
{
    for (const QByteArray& line : output.split('\n')) {
        if (line.startsWith(key + ' '))
            return line.mid(key.size() + 1).toInt();
    }
    return -1;
}

TEST_F(ContentionTest, ClaimsOfOneCodeNeverOverlap)
{
    const auto outputs = runBoth("claims");
    ASSERT_EQ(outputs.size(), 2u);
    for (const QByteArray& output : outputs)
        EXPECT_EQ(valueAfter(output, "overlaps"), 0) << output.toStdString();
    // Both computers met each other's claims, so the runs did overlap.
    EXPECT_GT(valueAfter(outputs[0], "refused") + valueAfter(outputs[1], "refused"), 0);

    const auto table = kv::data::ShareLockTable::fromBytes(m_folder.read("052.dat"));
    const std::set<QString> names{table.nameOf(0), table.nameOf(1)};
    EXPECT_EQ(names, (std::set<QString>{"PC-A", "PC-B"}));
    EXPECT_EQ(table.codeOf(0), 0);
    EXPECT_EQ(table.codeOf(1), 0);
    EXPECT_EQ(table.firstFree(), 2);
}

TEST_F(ContentionTest, SlipNumbersAreNeverHandedOutTwice)
{
    const auto outputs = runBoth("slips");
    ASSERT_EQ(outputs.size(), 2u);
    std::set<int> numbers;
    int total = 0;
    for (const QByteArray& output : outputs) {
        for (const QByteArray& line : output.split('\n')) {
            if (line.isEmpty())
                continue;
            numbers.insert(line.toInt());
            ++total;
        }
    }
    EXPECT_EQ(total, 2 * kRounds);
    EXPECT_EQ(int(numbers.size()), 2 * kRounds);
    EXPECT_EQ(*numbers.begin(), 1);
    EXPECT_EQ(*numbers.rbegin(), 2 * kRounds);
}

TEST_F(ContentionTest, CounterLosesNoIncrement)
{
    ASSERT_EQ(runBoth("counter").size(), 2u);
    kv::data::RecordCounters counters(m_folder.path());
    EXPECT_EQ(counters.RecordCounter("010.mdb", kv::data::RecordCounters::Read), 2 * kRounds);
}

} // namespace
