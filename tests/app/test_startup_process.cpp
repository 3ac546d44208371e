// Starts the real program, as a shop would, on a fresh installation.
#include "support/ProgramInstallation.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <gtest/gtest.h>

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
