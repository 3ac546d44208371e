// Slips recorded by other computers as processes of their own: two at
// once get distinct numbers and whole slips; one killed in the middle of
// its work leaves only whole slips and sound files.

#include "data/document/DocumentTestFolder.h"
#include "support/CustomerBuilder.h"
#include "support/TestPaths.h"
#include "support/VehicleBuilder.h"

#include <QProcess>
#include <QThread>

#include <csignal>

using namespace kv::test;

namespace {

class SlipTwoComputers : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = folder.open();
        ASSERT_TRUE(doc);
        for (int code : {1, 2}) {
            ASSERT_TRUE(CustomerBuilder(code).name(QStringLiteral("客%1").arg(code))
                            .insertInto(doc->store()));
            ASSERT_TRUE(VehicleBuilder(10 + code).owner(code).insertInto(doc->store()));
        }
    }

    void startComputer(QProcess& process, const QString& computer, int customer, int count)
    {
        process.start(peerProgram(), {"slips", folder.folder.path(), computer,
                                      QString::number(customer), QString::number(10 + customer),
                                      QString::number(count)});
        ASSERT_TRUE(process.waitForStarted(10000));
    }

    qint64 scalar(const QByteArray& query) { return DocumentTestFolder::scalar(*doc, query); }

    // Every stored slip has its 90 lines and its one sale, nothing else is
    // there, and every file is sound.
    void expectWholeSlips()
    {
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM f003.Syahead h WHERE (SELECT COUNT(*) FROM f002.SyaJnl j"
                         " WHERE j.DenNo = h.DenNo) <> 90"),
                  0);
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM f002.SyaJnl j WHERE NOT EXISTS (SELECT 1 FROM"
                         " f003.Syahead h WHERE h.DenNo = j.DenNo)"),
                  0);
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM f003.Syahead h WHERE (SELECT COUNT(*) FROM"
                         " f013.ToriJnl t WHERE t.DenFlag = 1 AND t.DenNo = h.DenNo) <> 1"),
                  0);
        EXPECT_EQ(scalar("SELECT COUNT(*) FROM f013.ToriJnl t WHERE t.DenFlag = 1 AND NOT EXISTS"
                         " (SELECT 1 FROM f003.Syahead h WHERE h.DenNo = t.DenNo)"),
                  0);
        for (const char* file : {"f002", "f003", "f009", "f013"})
            EXPECT_EQ(DocumentTestFolder::text(*doc, QByteArray("PRAGMA ") + file + ".integrity_check"),
                      "ok")
                << file;
    }

    DocumentTestFolder folder;
    std::unique_ptr<kv::data::CCarMaintenanceDoc> doc;
};

TEST_F(SlipTwoComputers, TwoRecordingAtOnceGetDistinctNumbersAndWholeSlips)
{
    QProcess first;
    QProcess second;
    startComputer(first, "PC2", 1, 8);
    startComputer(second, "PC3", 2, 8);
    ASSERT_TRUE(first.waitForFinished(120000));
    ASSERT_TRUE(second.waitForFinished(120000));
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    EXPECT_EQ(scalar("SELECT COUNT(DISTINCT DenNo) FROM f003.Syahead"), 16);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM f003.Syahead"), 16);
    expectWholeSlips();
}

TEST_F(SlipTwoComputers, AComputerKilledWhileRecordingLeavesOnlyWholeSlips)
{
    QProcess writer;
    startComputer(writer, "PC2", 1, 0);
    // Killed somewhere in the middle of a recording after the first ones.
    QByteArray recorded;
    while (recorded.count("slip") < 3 && writer.waitForReadyRead(60000))
        recorded += writer.readAllStandardOutput();
    ASSERT_GE(recorded.count("slip"), 3) << writer.readAllStandardError().toStdString();
    QThread::msleep(7);
    ::kill(pid_t(writer.processId()), SIGKILL);
    ASSERT_TRUE(writer.waitForFinished(10000));
    EXPECT_GE(scalar("SELECT COUNT(*) FROM f003.Syahead"), 3);
    expectWholeSlips();
}

} // namespace
