// Several computers as processes on one machine, each with its own address
// on the loopback range, on one shared data folder: a change recorded on
// one is re-read on the others, settings reach the clients, each computer
// has its own lock-table slot, and a killed client or server costs the
// others nothing.

#include "../data/document/DocumentTestFolder.h"
#include "QStringPrinter.h"
#include "support/TestPaths.h"
#include "support/Utf8.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTcpServer>
#include <QThread>

#include <QElapsedTimer>
#include <QTcpSocket>

#include "lan/core/MessageFramer.h"

#include <csignal>
#include <functional>
#include <memory>
#include <unistd.h>

using kv::test::u;

namespace {

// One computer: the test peer's "lan" work, its output read line by line.
class Computer {
public:
    // launcher: what runs the peer (e.g. "ip netns exec NAME"), empty for none.
    Computer(const QStringList& args, const QStringList& launcher = {})
    {
        const QStringList command = launcher + QStringList{kv::test::peerProgram(), u("lan")} + args;
        m_process.setProgram(command.first());
        m_process.setArguments(command.mid(1));
        m_process.start();
        EXPECT_TRUE(m_process.waitForStarted());
    }
    ~Computer()
    {
        if (m_process.state() != QProcess::NotRunning) {
            ::kill(pid_t(m_process.processId()), SIGCONT);
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    void send(const QString& line)
    {
        m_process.write((line + u("\n")).toUtf8());
        m_process.waitForBytesWritten(5000);
    }
    // Sends a command and waits for its answer.
    QString ask(const QString& line, const QString& prefix)
    {
        send(line);
        return waitFor(prefix);
    }
    // Waits for a line that starts with prefix, after the ones already taken;
    // the line, or empty after timeoutMs.
    QString waitFor(const QString& prefix, int timeoutMs = 15000)
    {
        QDeadlineTimer deadline(timeoutMs);
        for (;;) {
            while (m_next < m_lines.size()) {
                const QString line = m_lines[m_next++];
                if (line.startsWith(prefix))
                    return line;
            }
            if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning) {
                ADD_FAILURE() << "no \"" << prefix.toStdString() << "\" after: "
                              << m_lines.join(u(" | ")).toStdString() << " / "
                              << m_process.readAllStandardError().toStdString();
                return {};
            }
            m_process.waitForReadyRead(50);
            while (m_process.canReadLine())
                m_lines << QString::fromUtf8(m_process.readLine()).trimmed();
        }
    }
    // Lines so far that start with prefix.
    int count(const QString& prefix) { return int(lines(prefix).size()); }
    QStringList lines(const QString& prefix)
    {
        pump(10);
        QStringList found;
        for (const QString& line : std::as_const(m_lines)) {
            if (line.startsWith(prefix))
                found << line;
        }
        return found;
    }
    // Takes what the peer printed, waiting at most ms for it, so that a
    // peer that prints much never waits for the test.
    void pump(int ms)
    {
        m_process.waitForReadyRead(ms);
        while (m_process.canReadLine())
            m_lines << QString::fromUtf8(m_process.readLine()).trimmed();
    }
    QProcess& process() { return m_process; }
    void stop() { ::kill(pid_t(m_process.processId()), SIGSTOP); }

private:
    QProcess m_process;
    QStringList m_lines;
    qsizetype m_next = 0;
};

int freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::Any, 0);
    return probe.serverPort();
}

struct Shop {
    kv::test::DocumentTestFolder data;
    int port = freePort();
    std::unique_ptr<Computer> server;
    std::vector<std::unique_ptr<Computer>> clients;

    void startServer()
    {
        server = std::make_unique<Computer>(QStringList{u("server"), data.folder.path(), QString::number(port)});
        ASSERT_EQ(server->waitFor(u("ready")), u("ready Server"));
    }
    Computer& startClient(const char* address, const QString& serverAddress = u("127.0.0.1"),
                          const QStringList& launcher = {})
    {
        clients.push_back(std::make_unique<Computer>(
            QStringList{u("client"), data.folder.path(), QString::number(port), u(address), serverAddress},
            launcher));
        EXPECT_EQ(clients.back()->waitFor(u("ready")), u("ready ") + u(address))
            << "the computer name is the address the server sees, not the host name";
        return *clients.back();
    }
};

// Keeps every computer's output flowing (and the flood's bytes going out)
// until done or timeoutMs have passed.
bool pumpUntil(const std::vector<Computer*>& computers, const std::function<bool()>& done,
               int timeoutMs, QTcpSocket* sending = nullptr)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        for (Computer* computer : computers)
            computer->pump(1);
        if (sending && sending->bytesToWrite() > 0)
            sending->waitForBytesWritten(1);
    }
    return true;
}

// A connection of the test's own on an address of the loopback range.
std::unique_ptr<QTcpSocket> connectFrom(const char* address, int port)
{
    auto socket = std::make_unique<QTcpSocket>();
    socket->bind(QHostAddress(u(address)), 0);
    socket->connectToHost(QHostAddress::LocalHost, quint16(port));
    EXPECT_TRUE(socket->waitForConnected(3000));
    return socket;
}

bool runAsRoot(const QString& command)
{
    QProcess shell;
    shell.start(u("sh"), {u("-c"), command});
    return shell.waitForFinished(10000) && shell.exitStatus() == QProcess::NormalExit
        && shell.exitCode() == 0;
}

} // namespace

TEST(LanComputers, ACustomerRecordedOnOneClientIsReReadOnTheOthersAndSettingsReachThem)
{
    Shop shop;
    shop.startServer();
    Computer& a = shop.startClient("127.0.0.2");
    Computer& b = shop.startClient("127.0.0.3");
    Computer& c = shop.startClient("127.0.0.4");
    ASSERT_FALSE(shop.server->waitFor(u("clients 3")).isEmpty());

    ASSERT_EQ(a.ask(u("record ヤマダ"), u("recorded")), u("recorded 1"));
    EXPECT_EQ(b.waitFor(u("received")), u("received 127.0.0.3,Server,KokCarRequery,,,,,,,,,,"));
    EXPECT_EQ(b.waitFor(u("customers")), u("customers 1"));
    EXPECT_EQ(c.waitFor(u("customers")), u("customers 1"));
    EXPECT_EQ(shop.server->waitFor(u("customers")), u("customers 1")) << "the server re-reads too";
    EXPECT_EQ(a.count(u("received")), 0) << "not back to its sender";

    shop.server->send(u("rate 8"));
    ASSERT_FALSE(shop.server->waitFor(u("saved")).isEmpty());
    for (Computer* client : {&a, &b, &c})
        EXPECT_EQ(client->waitFor(u("rate")), u("rate 0.08"));

    shop.server->send(u("quit"));
    for (Computer* client : {&a, &b, &c})
        EXPECT_EQ(client->waitFor(u("lost")), u("lost")) << "the server's Close reaches each client";
    ASSERT_TRUE(shop.server->process().waitForFinished(10000));
    EXPECT_EQ(shop.server->process().exitCode(), 0);
}

TEST(LanComputers, TwoClientsWithTheSameHostNameHoldApartSlots)
{
    // Both peers call themselves "debian" to the server; their names in the
    // lock tables are their addresses.
    Shop shop;
    shop.startServer();
    Computer& a = shop.startClient("127.0.0.2");
    Computer& b = shop.startClient("127.0.0.3");
    EXPECT_EQ(a.ask(u("claim 5"), u("claim")), u("claim 5 ok"));
    EXPECT_EQ(b.ask(u("claim 5"), u("claim")), u("claim 5 refused"));
    EXPECT_EQ(b.ask(u("claim 6"), u("claim")), u("claim 6 ok"));
}

TEST(LanComputers, AKilledClientIsDroppedAndAServerThatGoesCostsTheClientsNothing)
{
    Shop shop;
    shop.startServer();
    Computer& a = shop.startClient("127.0.0.2");
    Computer& b = shop.startClient("127.0.0.3");
    Computer& c = shop.startClient("127.0.0.4");
    ASSERT_FALSE(shop.server->waitFor(u("clients 3")).isEmpty());

    // A client that hangs (stopped, its connection open) and one killed.
    c.stop();
    b.process().kill();
    ASSERT_FALSE(shop.server->waitFor(u("clients 2")).isEmpty());
    ASSERT_EQ(a.ask(u("record サトウ"), u("recorded")), u("recorded 1"));
    EXPECT_EQ(shop.server->waitFor(u("customers")), u("customers 1"));

    // The server's closing is not held up by the hanging client.
    shop.server->send(u("quit"));
    ASSERT_TRUE(shop.server->process().waitForFinished(10000));
    EXPECT_EQ(a.waitFor(u("lost")), u("lost"));

    for (int round = 2; round <= 3; ++round) {
        // The client goes on working on the folder meanwhile.
        ASSERT_EQ(a.ask(u("record スズキ"), u("recorded")), u("recorded %1").arg(round));
        QThread::msleep(300);
        // The server comes back: the client joins it again by itself, and
        // what it announced meanwhile reaches the server.
        shop.startServer();
        EXPECT_EQ(a.waitFor(u("rejoined")), u("rejoined"));
        EXPECT_EQ(shop.server->waitFor(u("received")), u("received 127.0.0.1,127.0.0.2,KokCarRequery"));
        EXPECT_EQ(shop.server->waitFor(u("customers")), u("customers %1").arg(round));
        EXPECT_EQ(a.count(u("lost")), round - 1) << "said once per loss, not per retry";
        if (round == 2) {
            // This time the server is killed.
            shop.server->process().kill();
            ASSERT_TRUE(shop.server->process().waitForFinished(5000));
            EXPECT_EQ(a.waitFor(u("lost")), u("lost"));
        }
    }
}

TEST(LanComputers, TwoComputersPrintAtOnceEachFromItsOwnCopies)
{
    Shop shop;
    shop.startServer();
    Computer& a = shop.startClient("127.0.0.2");
    Computer& b = shop.startClient("127.0.0.3");
    ASSERT_EQ(a.ask(u("print 12"), u("print")), u("print ok"));
    // b prints and ends while a's print is still running.
    ASSERT_EQ(b.ask(u("print 0"), u("print")), u("print ok"));
    EXPECT_EQ(b.ask(u("copies"), u("copies")), u("copies 009.mdb 010.mdb"));
    ASSERT_EQ(b.ask(u("endprint"), u("ended")), u("ended"));
    EXPECT_EQ(b.ask(u("copies"), u("copies")), u("copies"));
    EXPECT_EQ(a.ask(u("copies"), u("copies")), u("copies 010.mdb")) << "a's copy in use is still there";
    shop.server->send(u("print 12"));
    ASSERT_EQ(shop.server->waitFor(u("print")), u("print ok"));
    shop.server->send(u("endprint"));
    ASSERT_EQ(shop.server->waitFor(u("ended")), u("ended"));
    EXPECT_EQ(a.ask(u("copies"), u("copies")), u("copies 010.mdb"));
    EXPECT_TRUE(QFileInfo::exists(shop.data.folder.file(u("Temp/127.0.0.2/010.mdb"))));
}

TEST(LanComputers, AServerRestartLeavesWhatTheRunningClientsHold)
{
    Shop shop;
    shop.startServer();
    Computer& a = shop.startClient("127.0.0.2");
    Computer& b = shop.startClient("127.0.0.3");
    Computer& c = shop.startClient("127.0.0.4");
    ASSERT_EQ(a.ask(u("record ヤマダ"), u("recorded")), u("recorded 1"));
    ASSERT_EQ(a.ask(u("ledger 1"), u("ledger")), u("ledger ok"));
    ASSERT_EQ(c.ask(u("newcustomer"), u("reserved")), u("reserved 2"));

    // The server dies and comes back; the clients join it again by themselves.
    shop.server->process().kill();
    ASSERT_TRUE(shop.server->process().waitForFinished(5000));
    shop.startServer();
    for (Computer* client : {&a, &b, &c})
        EXPECT_EQ(client->waitFor(u("rejoined")), u("rejoined"));

    EXPECT_EQ(b.ask(u("ledger 1"), u("ledger")), u("ledger refused このデータは他のコンピュータで編集中です！"))
        << "a's ledger is still open";
    EXPECT_EQ(b.ask(u("newcustomer"), u("reserved")), u("reserved 3")) << "c still holds 2";
    EXPECT_EQ(b.ask(u("recordnew 3 サトウ"), u("recordnew")), u("recordnew ok 3"));
    EXPECT_EQ(c.ask(u("names"), u("names")), u("names 1=ヤマダ 2=新規作成中 3=サトウ"));
    EXPECT_EQ(c.ask(u("recordnew 3 スズキ"), u("recordnew")),
              u("recordnew refused この顧客コードは確保されていません！ 顧客コードを入力し直してから記録して下さい"))
        << "only its own placeholder is written over";
    EXPECT_EQ(c.ask(u("recordnew 2 スズキ"), u("recordnew")), u("recordnew ok 2"));
    EXPECT_EQ(b.ask(u("names"), u("names")), u("names 1=ヤマダ 2=スズキ 3=サトウ"));

    // A computer that is gone holds nothing after the next start.
    a.process().kill();
    ASSERT_TRUE(a.process().waitForFinished(5000));
    shop.server->process().kill();
    ASSERT_TRUE(shop.server->process().waitForFinished(5000));
    shop.startServer();
    EXPECT_EQ(b.ask(u("ledger 1"), u("ledger")), u("ledger ok"));
}

TEST(LanComputers, AFloodingPeerAndOneThatDoesNotReadCostTheOthersNothing)
{
    Shop shop;
    shop.startServer();
    Computer& a = shop.startClient("127.0.0.2");
    Computer& b = shop.startClient("127.0.0.3");
    ASSERT_FALSE(shop.server->waitFor(u("clients 2")).isEmpty());

    // One that joins and then never reads another byte.
    auto silent = connectFrom("127.0.0.5", shop.port);
    silent->setReadBufferSize(1);
    silent->write(*kv::lan::MessageFramer::frame(u("x,y,Join")));
    ASSERT_TRUE(silent->waitForBytesWritten(3000));
    ASSERT_FALSE(shop.server->waitFor(u("clients 3")).isEmpty());

    // One that sends a great many changes at once.
    constexpr int kFlood = 60000;
    auto flood = connectFrom("127.0.0.6", shop.port);
    QByteArray bytes;
    for (int n = 0; n < kFlood; ++n)
        bytes += *kv::lan::MessageFramer::frame(u("x,y,KokRequery,%1").arg(n));
    flood->write(bytes);

    const std::vector<Computer*> all{shop.server.get(), &a, &b};
    const QString last = u("KokRequery,%1,").arg(kFlood - 1);
    const auto gotAll = [&](Computer& c) {
        const QStringList got = c.lines(u("received"));
        return !got.isEmpty() && got.last().contains(last);
    };
    ASSERT_TRUE(pumpUntil(all, [&] { return (gotAll(a) && gotAll(b)) || a.count(u("lost")) > 0; },
                          40000, flood.get()))
        << a.count(u("received")) << " and " << b.count(u("received")) << " of " << kFlood;
    for (Computer* c : {&a, &b}) {
        EXPECT_EQ(c->count(u("lost")), 0) << "a client that reads stays";
        const QStringList got = c->lines(u("received"));
        ASSERT_EQ(got.size(), kFlood);
        int outOfOrder = 0;
        for (int n = 0; n < kFlood; ++n)
            outOfOrder += got[n].section(u(","), 3, 3) == QString::number(n) ? 0 : 1;
        EXPECT_EQ(outOfOrder, 0) << "every message, in order";
    }

    // The one that does not read alone is let go.
    EXPECT_TRUE(pumpUntil(all, [&] { return shop.server->count(u("clients 3")) >= 2; }, 10000))
        << shop.server->lines(u("clients")).join(u(" ")).toStdString();
    silent->setReadBufferSize(0);
    EXPECT_TRUE(pumpUntil(all, [&] {
        silent->waitForReadyRead(1);
        silent->readAll();
        return silent->state() == QAbstractSocket::UnconnectedState;
    }, 5000));
    EXPECT_EQ(flood->state(), QAbstractSocket::ConnectedState);
    EXPECT_EQ(shop.server->count(u("clients 2")), 1) << "no other client went";
    a.send(u("record ヤマダ"));
    EXPECT_TRUE(pumpUntil(all, [&] { return b.count(u("received 127.0.0.3,Server,KokCarRequery")) == 1; }, 5000));
}

// A client in a network namespace of its own, reached over a virtual cable
// whose server end is then taken down: no packet of either side arrives
// any more, as with a pulled cable.
TEST(LanComputers, AComputerThatVanishesIsLetGoWithinAMinute)
{
    // Names and a network of this run's own, apart from any run beside it.
    const int pid = int(::getpid());
    const QString ns = u("kvlan%1").arg(pid);
    const QString hostEnd = u("kvh%1").arg(pid);
    const QString clientEnd = u("kvc%1").arg(pid);
    const QString network = u("10.%1.%2.").arg((pid >> 8) & 0xFF).arg(pid & 0xFF);
    const QString serverAddress = network + u("1");
    const QString clientAddress = network + u("2");
    struct Cleanup {
        QString ns, hostEnd;
        ~Cleanup() { runAsRoot(u("ip netns del %1; ip link del %2").arg(ns, hostEnd) + u(" 2>/dev/null; true")); }
    } cleanup{ns, hostEnd};
    if (::getuid() != 0
        || !runAsRoot(u("ip netns add %1 && ip link add %2 type veth peer name %3 && ip link set %3 netns %1"
                        " && ip addr add %4/24 dev %2 && ip link set %2 up"
                        " && ip netns exec %1 ip addr add %5/24 dev %3 && ip netns exec %1 ip link set %3 up")
                          .arg(ns, hostEnd, clientEnd, serverAddress, clientAddress)))
        GTEST_SKIP() << "a network namespace needs root and the ip tool";

    Shop shop;
    shop.startServer();
    Computer& near = shop.startClient("127.0.0.2");
    ASSERT_EQ(shop.server->waitFor(u("clients")), u("clients 1"));
    // A bare connection that never says anything is no client.
    auto bare = connectFrom("127.0.0.5", shop.port);
    Computer& far = shop.startClient(clientAddress.toUtf8().constData(), serverAddress,
                                     {u("ip"), u("netns"), u("exec"), ns});
    ASSERT_EQ(shop.server->waitFor(u("clients")), u("clients 2"));
    EXPECT_EQ(far.ask(u("claim 5"), u("claim")), u("claim 5 ok"));

    ASSERT_TRUE(runAsRoot(u("ip link set %1 down").arg(hostEnd)));
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(shop.server->waitFor(u("clients"), 55000), u("clients 1"));
    std::printf("the vanished client was let go after %.1f s\n", double(clock.elapsed()) / 1000.0);
    EXPECT_LT(clock.elapsed(), 60000);
    EXPECT_EQ(shop.server->count(u("clients 3")), 0) << "the bare connection never counted";
    EXPECT_EQ(near.count(u("lost")), 0);
}
