// The server and its clients in one process on the loopback range, each
// client with its own address: the relay, the sender's identity, the data
// folder question, closing, a server that goes and comes back, and a
// client that sends garbage.

#include "lan/core/ChangeReceivers.h"
#include "lan/core/LanAnnouncer.h"
#include "lan/core/LanTexts.h"
#include "lan/core/MessageFramer.h"
#include "lan/net/CClientSocket.h"
#include "lan/net/CListeningSocket.h"
#include "lan/net/LanServer.h"
#include "QStringPrinter.h"
#include "support/RecordingMessageGateway.h"
#include "support/Utf8.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHostAddress>
#include <QTcpSocket>
#include <QThread>

#include <memory>

using namespace kv::lan;
using kv::test::RecordingMessageGateway;
using kv::test::u;

namespace {

bool waitFor(const std::function<bool()>& done, int ms = 5000)
{
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return true;
}

// One client computer: its socket, what reached it, its announcer.
struct Computer {
    std::unique_ptr<CClientSocket> socket = std::make_unique<CClientSocket>();
    QStringList received;
    int lost = 0;
    int rejoined = 0;
    QString address;
    std::unique_ptr<LanAnnouncer> announcer;

    Computer(const QString& local, int port)
        : address(local)
    {
        socket->setServer(u("127.0.0.1"), port);
        socket->setLocalAddress(local);
        socket->setReconnectInterval(50);
        QObject::connect(socket.get(), &CClientSocket::messageReceived, socket.get(),
                         [this](const LanMessage& m) { received << m.text(); });
        QObject::connect(socket.get(), &CClientSocket::serverLost, socket.get(), [this] { ++lost; });
        QObject::connect(socket.get(), &CClientSocket::serverRejoined, socket.get(), [this] { ++rejoined; });
        CClientSocket* s = socket.get();
        announcer = std::make_unique<LanAnnouncer>(u("127.0.0.1"), local,
                                                   [s](const QString& m) { return s->SendToServer(m); });
    }
};

struct Shop {
    RecordingMessageGateway messages;
    ChangeReceivers receivers;
    QStringList serverReceived;
    std::unique_ptr<CListeningSocket> listener = std::make_unique<CListeningSocket>();
    std::unique_ptr<LanServer> server;
    std::vector<std::unique_ptr<Computer>> computers;
    int port = 0;
    bool suspended = false;
    bool shared = true;

    Shop()
    {
        receivers.subscribe(u("KokRequery"), {}, [this](const LanMessage& m) { serverReceived << m.text(); });
        receivers.subscribe(u("Update"), {}, [this](const LanMessage& m) { serverReceived << m.text(); });
        EXPECT_TRUE(listener->listen(0));
        port = listener->port();
        startServer();
    }

    void startServer()
    {
        server = std::make_unique<LanServer>(*listener, receivers);
        server->setCallLookupSuspended([this] { return suspended; });
        server->setDataFolderPath([this](QString& path, QString& failure) {
            if (!shared) {
                failure = LanTexts::NotShared;
                return false;
            }
            path = u("//pc01/Sabion");
            return true;
        });
    }

    Computer& join(const char* address)
    {
        computers.push_back(std::make_unique<Computer>(u(address), port));
        Computer& computer = *computers.back();
        EXPECT_TRUE(computer.socket->connectNow(3000));
        computer.socket->keepConnected();
        const int expected = int(computers.size());
        EXPECT_TRUE(waitFor([&] { return listener->ClientCount() >= expected; }));
        return computer;
    }
};

} // namespace

TEST(LanSockets, AChangeReachesTheServerAndEveryOtherClientOnce)
{
    Shop shop;
    Computer& a = shop.join("127.0.0.2");
    Computer& b = shop.join("127.0.0.3");
    Computer& c = shop.join("127.0.0.4");
    EXPECT_EQ(shop.listener->ClientCount(), 3);

    ASSERT_TRUE(a.announcer->announceNotification(ChangeAnnouncer::kCustomersAdded));
    ASSERT_TRUE(waitFor([&] { return b.received.size() == 1 && c.received.size() == 1; }));
    EXPECT_EQ(b.received.first(), u("127.0.0.3,Server,KokRequery,,,,,,,,,,"));
    EXPECT_EQ(c.received.first(), u("127.0.0.4,Server,KokRequery,,,,,,,,,,"));
    ASSERT_TRUE(waitFor([&] { return shop.serverReceived.size() == 1; }));
    EXPECT_EQ(shop.serverReceived.first(), u("127.0.0.1,127.0.0.2,KokRequery"))
        << "the server acts on it too, the sender named by its connection";

    // Quotes go in the relay; a client writing another's name into field 1 is
    // still itself, so the relay skips the real sender only.
    ASSERT_TRUE(b.socket->SendToServer(u("127.0.0.1,127.0.0.4,Update,\"作業・部品\",5,\"ｵｲﾙ\",ｵ")));
    ASSERT_TRUE(waitFor([&] { return a.received.size() == 1 && c.received.size() == 2; }));
    EXPECT_EQ(c.received.last(), u("127.0.0.4,Server,Update,作業・部品,5,ｵｲﾙ,ｵ,,,,,,"));
    QCoreApplication::processEvents();
    EXPECT_EQ(b.received.size(), 1) << "not back to its sender";

    // The server's own announcement reaches every client.
    LanServer* server = shop.server.get();
    LanAnnouncer serverAnnouncer(QString(), u("Server"), [server](const QString& m) { return server->announce(m); });
    ASSERT_TRUE(serverAnnouncer.announceUpdate(u("印字")));
    ASSERT_TRUE(waitFor([&] { return a.received.size() == 2 && b.received.size() == 2 && c.received.size() == 3; }));
    EXPECT_EQ(a.received.last(), u("127.0.0.2,Server,Update,印字,,,,,,,,,"));
    EXPECT_EQ(shop.server->relayedCount(), 2 + 2 + 3);
}

TEST(LanSockets, CloseLetsOnlyTheSenderGoAndTheCountFollows)
{
    Shop shop;
    Computer& a = shop.join("127.0.0.2");
    Computer& b = shop.join("127.0.0.3");
    // a names b as the sender: a goes, b stays.
    ASSERT_TRUE(a.socket->SendToServer(u("127.0.0.1,127.0.0.3,Close,")));
    ASSERT_TRUE(waitFor([&] { return shop.listener->ClientCount() == 1; }));
    ASSERT_TRUE(waitFor([&] { return a.lost == 1; }));
    EXPECT_TRUE(b.socket->isConnected());
    EXPECT_EQ(b.lost, 0);
    // a joins again by itself.
    ASSERT_TRUE(waitFor([&] { return shop.listener->ClientCount() == 2 && a.rejoined == 1; }));

    // A client leaving the proper way.
    b.socket->close(u("127.0.0.3"));
    ASSERT_TRUE(waitFor([&] { return shop.listener->ClientCount() == 1; }));
    EXPECT_EQ(b.lost, 0) << "leaving is no loss";
}

TEST(LanSockets, TheDataFolderQuestion)
{
    Shop shop;
    Computer& a = shop.join("127.0.0.2");
    EXPECT_EQ(a.socket->requestDataFolderPath(u("debian"), 3000), std::optional<QString>(u("//pc01/Sabion")));
    EXPECT_EQ(a.socket->addressSeenByServer(), u("127.0.0.2"));

    shop.suspended = true;
    EXPECT_EQ(a.socket->requestDataFolderPath(u("debian"), 3000), std::optional<QString>(QString()))
        << "empty while a deletion or backup runs";
    EXPECT_TRUE(shop.messages.messages().isEmpty());

    shop.suspended = false;
    shop.shared = false;
    EXPECT_FALSE(a.socket->requestDataFolderPath(u("debian"), 300)) << "no answer at all";
    const QStringList told{u("サビオンのデータフォルダが共有されていません！"), u("M-S-D失敗！")};
    EXPECT_EQ(shop.messages.messages(), told);
}

TEST(LanSockets, AMissingShareIsToldOnTheServerOnceWhileEachClientIsRefused)
{
    Shop shop;
    shop.shared = false;
    Computer& a = shop.join("127.0.0.2");
    Computer& b = shop.join("127.0.0.3");
    // Asks, then makes sure the server is past the question: what a client
    // sends is handled in order.
    int settled = 0;
    const auto ask = [&](Computer& computer) {
        const std::optional<QString> answer = computer.socket->requestDataFolderPath(u("debian"), 300);
        EXPECT_TRUE(computer.announcer->announceUpdate(u("端数処理")));
        ++settled;
        EXPECT_TRUE(waitFor([&] { return shop.serverReceived.size() == settled; }));
        return answer;
    };
    const QStringList told{u("サビオンのデータフォルダが共有されていません！"), u("M-S-D失敗！")};

    EXPECT_FALSE(ask(a));
    EXPECT_FALSE(ask(b)) << "the second client is refused as well";
    EXPECT_FALSE(ask(a));
    EXPECT_EQ(shop.messages.messages(), told) << "one set of messages for three refusals";

    // Once the folder is shared the next loss is news again.
    shop.shared = true;
    EXPECT_EQ(ask(b), std::optional<QString>(u("//pc01/Sabion")));
    shop.shared = false;
    EXPECT_FALSE(ask(a));
    EXPECT_EQ(shop.messages.messages(), told + told);

    // A server started afresh tells it again.
    shop.startServer();
    EXPECT_FALSE(ask(b));
    EXPECT_EQ(shop.messages.messages(), told + told + told);
}

TEST(LanSockets, ServerClosingTellsEachClientAndAReturningServerGetsWhatWasKept)
{
    Shop shop;
    Computer& a = shop.join("127.0.0.2");
    Computer& b = shop.join("127.0.0.3");

    shop.server.reset();
    shop.listener->close();
    ASSERT_TRUE(waitFor([&] { return a.lost == 1 && b.lost == 1; }));
    EXPECT_FALSE(a.socket->isConnected());

    // Announced while the server is away: kept, not refused.
    EXPECT_TRUE(a.announcer->announceUpdate(u("端数処理")));
    EXPECT_EQ(a.socket->queuedCount(), 1);
    QThread::msleep(200);
    QCoreApplication::processEvents();
    EXPECT_EQ(a.lost, 1) << "said once, however often it retries";

    // Back on the same port: a's kept change reaches b, whichever joins first.
    shop.listener = std::make_unique<CListeningSocket>();
    ASSERT_TRUE(shop.listener->listen(shop.port));
    shop.startServer();
    ASSERT_TRUE(waitFor([&] { return shop.listener->ClientCount() == 2 && a.rejoined == 1 && b.rejoined == 1; }));
    ASSERT_TRUE(waitFor([&] { return shop.serverReceived.contains(u("127.0.0.1,127.0.0.2,Update,端数処理")); }));
    EXPECT_EQ(a.socket->queuedCount(), 0);
}

TEST(LanSockets, AClientSendingGarbageIsDroppedAndTheOthersGoOn)
{
    Shop shop;
    Computer& a = shop.join("127.0.0.2");
    QTcpSocket raw;
    raw.bind(QHostAddress(u("127.0.0.5")), 0);
    raw.connectToHost(QHostAddress::LocalHost, quint16(shop.port));
    ASSERT_TRUE(raw.waitForConnected(3000));
    // A bare connection is no client until it says something the server takes.
    raw.write(*MessageFramer::frame(u("x,y,Nonsense")));
    EXPECT_FALSE(waitFor([&] { return shop.listener->ClientCount() == 2; }, 300));

    // Two messages in one write, each relayed once.
    raw.write(*MessageFramer::frame(u("x,y,KokRequery")) + *MessageFramer::frame(u("x,y,KokCarRequery")));
    ASSERT_TRUE(waitFor([&] { return a.received.size() == 2; }));
    EXPECT_EQ(shop.listener->ClientCount(), 2);
    EXPECT_EQ(a.received, (QStringList{u("127.0.0.2,Server,KokRequery,,,,,,,,,,"),
                                       u("127.0.0.2,Server,KokCarRequery,,,,,,,,,,")}));

    // A frame that never ends: that client goes.
    raw.write(QByteArray(MessageFramer::kMaxFrameBytes + 10, 'x'));
    ASSERT_TRUE(waitFor([&] { return shop.listener->ClientCount() == 1; }));
    EXPECT_TRUE(a.socket->isConnected());
    ASSERT_TRUE(a.announcer->announceNotification(ChangeAnnouncer::kCustomersAdded));
    ASSERT_TRUE(waitFor([&] { return shop.serverReceived.size() == 2; }));
}
