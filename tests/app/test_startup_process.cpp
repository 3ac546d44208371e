// Starts the real program, as a shop would, on a fresh installation.
#include "support/ProgramInstallation.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>

using kv::test::Installation;
using kv::test::TempFolder;
using kv::test::programPath;

namespace {

// The lock tables are joined last as the databases open: the computer's
// name in the first slot of the last table means the document is open.
bool joinedAsServer(const QString& data)
{
    QFile table(data + QStringLiteral("/061.dat"));
    if (!table.open(QIODevice::ReadOnly))
        return false;
    QByteArray name = table.read(6);
    for (char& c : name)
        c = char(c ^ 0x6B);
    return name == "Server";
}

bool listening(int port)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, quint16(port));
    const bool connected = socket.waitForConnected(200);
    socket.abort();
    return connected;
}

} // namespace

TEST(StartupProcess, ASecondStartEndsQuietlyWhileTheFirstRuns)
{
    ASSERT_TRUE(QFileInfo(programPath()).isExecutable()) << programPath().toStdString();
    Installation installation;
    ASSERT_TRUE(QFileInfo(installation.data + QStringLiteral("/010.mdb")).isFile());

    QProcess first;
    installation.prepare(first);
    first.start();
    ASSERT_TRUE(first.waitForStarted());
    // Listening means the document is created: the copy is fully up.
    QDeadlineTimer deadline(20000);
    while (!listening(installation.port) && !deadline.hasExpired()
           && first.state() == QProcess::Running)
        QThread::msleep(100);
    ASSERT_TRUE(listening(installation.port))
        << first.readAllStandardError().toStdString();
    while (!joinedAsServer(installation.data) && !deadline.hasExpired())
        QThread::msleep(100);
    EXPECT_TRUE(joinedAsServer(installation.data)) << "the databases were opened";
    EXPECT_TRUE(QFileInfo(installation.data + QStringLiteral("/Temp")).isDir());
    EXPECT_TRUE(QFileInfo(installation.data + QStringLiteral("/Photo")).isDir());
    EXPECT_TRUE(QFileInfo(installation.data + QStringLiteral("/Printer")).isDir());
    EXPECT_TRUE(QFileInfo(installation.home.path() + QStringLiteral("/runtime/サビオン.lock")).isFile());

    // Even with a broken installation file the second copy says nothing:
    // it stops before reading anything.
    installation.writeIni(QStringLiteral("[Other]\n"));
    QProcess second;
    installation.prepare(second);
    second.start();
    ASSERT_TRUE(second.waitForFinished(15000)) << "a message box would keep it waiting";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    // A copy that died leaves its lock file behind; the next start takes it over.
    first.kill();
    ASSERT_TRUE(first.waitForFinished(5000));
    installation.writeIni(QStringLiteral("Port=%1\n[Sabion]\nPath=%2\nDataDirectoryPath=%3\nKind\\sw=0\n")
                              .arg(installation.port)
                              .arg(programPath(), installation.data));
    QProcess third;
    installation.prepare(third);
    third.start();
    ASSERT_TRUE(third.waitForStarted());
    QDeadlineTimer again(20000);
    while (!listening(installation.port) && !again.hasExpired() && third.state() == QProcess::Running)
        QThread::msleep(100);
    EXPECT_TRUE(listening(installation.port)) << third.readAllStandardError().toStdString();
    third.kill();
    third.waitForFinished(5000);
}

namespace {

// The names in the last lock table, as plain bytes.
QByteArray lastTableNames(const QString& data)
{
    QFile table(data + QStringLiteral("/061.dat"));
    QByteArray bytes = table.open(QIODevice::ReadOnly) ? table.readAll() : QByteArray();
    for (char& c : bytes)
        c = char(c ^ 0x6B);
    return bytes;
}

// Starts the program and waits up to timeoutMs for ready() (false: gave up).
bool startUntil(QProcess& process, const Installation& installation, const std::function<bool()>& ready,
                int timeoutMs)
{
    installation.prepare(process);
    process.start();
    if (!process.waitForStarted())
        return false;
    QDeadlineTimer deadline(timeoutMs);
    while (!ready() && !deadline.hasExpired() && process.state() == QProcess::Running)
        QThread::msleep(100);
    return ready();
}

// A client's installation on the server's folder, under 127.0.0.2.
void writeClientIni(const Installation& client, const Installation& server)
{
    client.writeIni(QStringLiteral("Port=%1\n[Sabion]\nPath=%2\nDataDirectoryPath=%3\nSvrName=127.0.0.1\n"
                                   "LocalAddress=127.0.0.2\nKind\\sw=1\n")
                        .arg(server.port)
                        .arg(programPath(), server.data));
}

} // namespace

// A client on the same data folder with its own installation file and
// address: it reaches the server, goes by that address in the lock tables
// and keeps its work copies apart. The server dies and starts again while
// the client runs: the client's slot, and so whatever it holds, is still
// there.
TEST(StartupProcess, AClientJoinsUnderItsAddressAndKeepsItsSlotWhenTheServerStartsAgain)
{
    Installation server;
    QProcess serverProcess;
    ASSERT_TRUE(startUntil(serverProcess, server, [&] { return joinedAsServer(server.data); }, 20000))
        << serverProcess.readAllStandardError().toStdString();
    Installation client;
    writeClientIni(client, server);
    QProcess clientProcess;
    ASSERT_TRUE(startUntil(clientProcess, client,
                           [&] { return lastTableNames(server.data).contains("127.0.0.2"); }, 30000))
        << clientProcess.readAllStandardError().toStdString();
    EXPECT_TRUE(QFileInfo(server.data + QStringLiteral("/Temp/127.0.0.2")).isDir());
    EXPECT_TRUE(QFileInfo(server.data + QStringLiteral("/Temp/Server")).isDir());

    serverProcess.kill();
    ASSERT_TRUE(serverProcess.waitForFinished(5000));
    const QString table = server.data + QStringLiteral("/061.dat");
    const QDateTime killed = QFileInfo(table).lastModified();
    QThread::msleep(20);
    // The restarted server has gone over the table once it is its own again.
    QProcess restarted;
    EXPECT_TRUE(startUntil(restarted, server, [&] {
        return QFileInfo(table).lastModified() > killed && joinedAsServer(server.data);
    }, 20000)) << restarted.readAllStandardError().toStdString();
    EXPECT_TRUE(lastTableNames(server.data).contains("127.0.0.2")) << "the running client keeps its slot";
    clientProcess.kill();
    clientProcess.waitForFinished(5000);
    restarted.kill();
    restarted.waitForFinished(5000);
}
