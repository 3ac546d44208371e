// Two processes on one data folder: what the other process commits shows
// after a requery, its change or deletion of the current row shows at once,
// and a process killed inside a unit of work leaves old or new, never half.

#include "EngineTestFolder.h"

#include "data/engine/UnitOfWork.h"
#include "data/tables/DaoRecordsets.h"
#include "support/TestPaths.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QProcess>
#include <QThread>

#include <sqlite3.h>

#include <chrono>
#include <utility>
#include <vector>

using namespace kv::data;

namespace {

int runPeer(const QString& folder, const QStringList& arguments)
{
    QProcess peer;
    peer.start(kv::test::peerProgram(), QStringList{QStringLiteral("engine"), folder} + arguments);
    if (!peer.waitForFinished(60000))
        return -1;
    if (peer.exitCode() != 0)
        ADD_FAILURE() << peer.readAllStandardError().toStdString();
    return peer.exitStatus() == QProcess::NormalExit ? peer.exitCode() : -1;
}

class TwoProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        t.sql("INSERT INTO f010.Kok (KokCode, Furi) VALUES (1, 'ｱ'), (2, 'ｲ'), (3, 'ｳ')");
    }
    kv::test::EngineTestFolder t;
};

TEST_F(TwoProcessTest, anotherProcessesAddEditAndDeleteAreSeen)
{
    CDaoKokSet set(t.connection);
    set.SetSort(QStringLiteral("KokCode"));
    ASSERT_TRUE(set.Open());
    ASSERT_TRUE(set.MoveLast());
    ASSERT_EQ(set.GetRecordCount(), 3);

    // An add shows after the requery, not before.
    ASSERT_EQ(runPeer(t.folder.path(), {QStringLiteral("add"), QStringLiteral("4"), QStringLiteral("ｴ")}), 0);
    EXPECT_EQ(set.GetRecordCount(), 3);
    ASSERT_TRUE(set.Requery());
    ASSERT_TRUE(set.MoveLast());
    EXPECT_EQ(set.GetRecordCount(), 4);
    EXPECT_EQ(set.m_Furi, QStringLiteral("ｴ"));

    // An edit of the current row shows when it is read again.
    ASSERT_TRUE(set.FindFirst(QStringLiteral("KokCode = 2")));
    ASSERT_EQ(runPeer(t.folder.path(), {QStringLiteral("edit"), QStringLiteral("2"), QStringLiteral("ｻﾄｳ")}), 0);
    EXPECT_EQ(set.m_Furi, QStringLiteral("ｲ"));
    ASSERT_TRUE(set.RefreshCurrent());
    EXPECT_EQ(set.m_Furi, QStringLiteral("ｻﾄｳ"));
    ASSERT_TRUE(set.MovePrev());
    ASSERT_TRUE(set.MoveNext());
    EXPECT_EQ(set.m_Furi, QStringLiteral("ｻﾄｳ"));

    // A deleted current row reads as deleted; editing it is an engine error.
    ASSERT_TRUE(set.FindFirst(QStringLiteral("KokCode = 3")));
    ASSERT_EQ(runPeer(t.folder.path(), {QStringLiteral("delete"), QStringLiteral("3")}), 0);
    ASSERT_TRUE(set.RefreshCurrent());
    EXPECT_TRUE(set.IsDeleted());
    EXPECT_EQ(set.m_KokCode, 0);
    EXPECT_FALSE(set.Edit());
    EXPECT_EQ(set.lastError().code, error::kRecordDeleted);
    EXPECT_FALSE(set.Delete());
    EXPECT_EQ(set.lastError().code, error::kRecordDeleted);
    ASSERT_TRUE(set.MoveNext());
    EXPECT_EQ(set.m_KokCode, 4);
    ASSERT_TRUE(set.MovePrev());
    EXPECT_TRUE(set.IsDeleted()); // still in the view until the requery
    ASSERT_TRUE(set.Requery());
    ASSERT_TRUE(set.MoveLast());
    EXPECT_EQ(set.GetRecordCount(), 3);
    EXPECT_FALSE(set.FindFirst(QStringLiteral("KokCode = 3")));
}

TEST_F(TwoProcessTest, rowDeletedDuringAnEditIsNotRecreated)
{
    CDaoKokSet set(t.connection);
    set.SetSort(QStringLiteral("KokCode"));
    ASSERT_TRUE(set.Open());
    ASSERT_TRUE(set.Edit());
    ASSERT_EQ(runPeer(t.folder.path(), {QStringLiteral("delete"), QStringLiteral("1")}), 0);
    set.m_Furi = QStringLiteral("ｶﾄｳ");
    EXPECT_FALSE(set.Update());
    EXPECT_EQ(set.lastError().code, error::kRecordDeleted);
    ASSERT_TRUE(set.Requery());
    EXPECT_EQ(set.GetRecordCount(), 2);
    EXPECT_FALSE(set.FindFirst(QStringLiteral("Furi = \"ｶﾄｳ\"")));
}

TEST_F(TwoProcessTest, aWriterWaitsForAnOpenUnitOfWork)
{
    CDaoKokSet set(t.connection);
    ASSERT_TRUE(set.Open());
    UnitOfWork work(t.connection);
    ASSERT_TRUE(set.AddNew());
    set.m_KokCode = 10;
    ASSERT_TRUE(set.Update());

    QProcess peer;
    peer.start(kv::test::peerProgram(), {QStringLiteral("engine"), t.folder.path(), QStringLiteral("add"),
                                        QStringLiteral("11"), QStringLiteral("ｵ")});
    ASSERT_TRUE(peer.waitForStarted());
    EXPECT_FALSE(peer.waitForFinished(700)); // blocked by our write lock, not failed
    ASSERT_TRUE(work.commit());
    ASSERT_TRUE(peer.waitForFinished(30000));
    EXPECT_EQ(peer.exitCode(), 0) << peer.readAllStandardError().toStdString();
    ASSERT_TRUE(set.Requery());
    EXPECT_TRUE(set.FindFirst(QStringLiteral("KokCode = 10")));
    EXPECT_TRUE(set.FindFirst(QStringLiteral("KokCode = 11")));
}

QString integrityOf(Connection& connection, const QString& schema)
{
    sqlite3_stmt* statement = nullptr;
    const QByteArray sql = "PRAGMA \"" + schema.toUtf8() + "\".integrity_check";
    sqlite3_prepare_v2(connection.handle(), sql.constData(), -1, &statement, nullptr);
    QString result;
    while (sqlite3_step(statement) == SQLITE_ROW)
        result += QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    return result;
}

TEST(UnitOfWorkCrash, killedInTheMiddleLeavesTheOldOrTheNewState)
{
    kv::test::EngineTestFolder t;
    QByteArray customers;
    QByteArray vehicles;
    for (int i = 1; i <= 60; ++i) {
        customers += QByteArray(i > 1 ? "," : "") + "(" + QByteArray::number(i) + ", 0)";
        vehicles += QByteArray(i > 1 ? "," : "") + "(" + QByteArray::number(i) + ", 0)";
    }
    t.sql("INSERT INTO f010.Kok (KokCode, Hoyu) VALUES " + customers);
    t.sql("INSERT INTO f009.Car (CarCode, Teiin) VALUES " + vehicles);
    t.store.close();

    int lastRound = 0;
    int advanced = 0;
    for (int attempt = 0; attempt < 8; ++attempt) {
        QProcess peer;
        peer.start(kv::test::peerProgram(),
                   {QStringLiteral("engine"), t.folder.path(), QStringLiteral("churn")});
        ASSERT_TRUE(peer.waitForStarted());
        ASSERT_TRUE(peer.waitForReadyRead(30000)) << peer.readAllStandardError().toStdString();
        // Kill at a different moment each time, mostly inside a unit of work
        // or its commit.
        QThread::msleep(5 + 37 * attempt % 90);
        peer.kill();
        ASSERT_TRUE(peer.waitForFinished(10000));

        DataStore store;
        ASSERT_TRUE(store.open(t.folder.path())) << store.lastError().description.toStdString();
        for (const QString& schema : {QStringLiteral("f009"), QStringLiteral("f010")})
            EXPECT_EQ(integrityOf(store.mainConnection(), schema), QStringLiteral("ok")) << schema.toStdString();
        CDaoKokSet kok(store.mainConnection());
        CDaoCarSet car(store.mainConnection());
        ASSERT_TRUE(kok.Open() && car.Open());
        const int round = kok.m_Hoyu;
        for (; !kok.IsEOF(); kok.MoveNext())
            ASSERT_EQ(kok.m_Hoyu, round) << "customers half written";
        for (; !car.IsEOF(); car.MoveNext())
            ASSERT_EQ(car.m_Teiin, round) << "vehicles do not match customers";
        // Each run starts from 1 again: the state is that run's last commit.
        EXPECT_GE(round, 1);
        advanced += round != lastRound;
        lastRound = round;
        // The folder takes writes again (a leftover journal that was not
        // hot is simply replaced).
        ASSERT_TRUE(kok.MoveFirst() && kok.Edit());
        ASSERT_TRUE(kok.Update()) << kok.lastError().description.toStdString();
    }
    EXPECT_GT(advanced, 0);
}

// Another process deletes rows one commit at a time while this one walks
// through them again and again: a row whose deletion was committed before a
// move began is never shown by that move as present.
TEST_F(TwoProcessTest, aWalkNeverShowsARowDeletedBeforeTheMove)
{
    QByteArray rows;
    for (int code = 4; code <= 600; ++code)
        rows += ",(" + QByteArray::number(code) + ", 'ｶ')";
    t.sql("INSERT INTO f010.Kok (KokCode, Furi) VALUES " + rows.mid(1));
    CDaoKokSet set(t.connection);
    set.SetSort(QStringLiteral("KokCode"));
    ASSERT_TRUE(set.Open());

    // From the far end towards the walk, so that deletions meet it.
    QStringList arguments{QStringLiteral("engine"), t.folder.path(), QStringLiteral("delete-each")};
    for (int code = 600; code >= 2; code -= 2)
        arguments << QString::number(code);
    QProcess peer;
    peer.start(kv::test::peerProgram(), arguments);
    ASSERT_TRUE(peer.waitForStarted());

    const auto now = [] {
        return qint64(std::chrono::nanoseconds(std::chrono::steady_clock::now().time_since_epoch()).count());
    };
    std::vector<std::pair<qint64, int>> shown; // when the move began, the code it showed
    int readAsDeleted = 0;
    for (int round = 0; round < 400 && !peer.waitForFinished(0); ++round) {
        ASSERT_TRUE(set.MoveFirst());
        for (;;) {
            const qint64 before = now();
            ASSERT_TRUE(set.MoveNext()) << set.lastError().description.toStdString();
            if (set.IsEOF())
                break;
            if (set.IsDeleted())
                ++readAsDeleted;
            else
                shown.emplace_back(before, set.m_KokCode);
            QThread::usleep(20);
        }
    }
    ASSERT_TRUE(peer.state() == QProcess::NotRunning || peer.waitForFinished(60000));
    ASSERT_EQ(peer.exitCode(), 0) << peer.readAllStandardError().toStdString();

    QHash<int, qint64> deletedAt;
    for (const QByteArray& line : peer.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 2)
            deletedAt.insert(fields[0].toInt(), fields[1].toLongLong());
    }
    ASSERT_EQ(deletedAt.size(), 300);
    int shownAfterDeletion = 0;
    for (const auto& [before, code] : shown) {
        if (deletedAt.contains(code) && deletedAt.value(code) < before)
            ++shownAfterDeletion;
    }
    EXPECT_EQ(shownAfterDeletion, 0);
    EXPECT_GT(readAsDeleted, 0); // the walks did meet the deletions
}

// A walk left half way keeps its read transaction only until control
// returns to the event loop; then another computer's write goes through.
TEST_F(TwoProcessTest, aWalkLeftHalfWayLetsWritersInFromTheEventLoop)
{
    CDaoKokSet set(t.connection);
    set.SetSort(QStringLiteral("KokCode"));
    ASSERT_TRUE(set.Open());
    ASSERT_TRUE(set.MoveNext());

    QProcess peer;
    peer.start(kv::test::peerProgram(),
               {QStringLiteral("engine"), t.folder.path(), QStringLiteral("delete"), QStringLiteral("3")});
    ASSERT_TRUE(peer.waitForStarted());
    EXPECT_FALSE(peer.waitForFinished(500)); // the page being read keeps it waiting
    QElapsedTimer waited;
    waited.start();
    while (peer.state() != QProcess::NotRunning && waited.elapsed() < 20000) {
        QCoreApplication::processEvents();
        peer.waitForFinished(20);
    }
    ASSERT_EQ(peer.state(), QProcess::NotRunning);
    EXPECT_EQ(peer.exitCode(), 0) << peer.readAllStandardError().toStdString();
    ASSERT_TRUE(set.MoveNext());
    EXPECT_TRUE(set.IsDeleted());
}

} // namespace
