// LAN messages: framing and parsing, one change's round trip from a client
// through the server to another client, and the load of twenty clients
// announcing 500 changes each at once (loopback only, one address per
// client; every message must reach every other client exactly once).

#include "lan/core/ChangeReceivers.h"
#include "lan/core/LanMessage.h"
#include "lan/core/MessageFramer.h"
#include "lan/net/CClientSocket.h"
#include "lan/net/CListeningSocket.h"
#include "lan/net/LanServer.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>

#include <algorithm>
#include <memory>
#include <vector>

using namespace kv::lan;

namespace {

bool runUntil(const std::function<bool()>& done, int ms)
{
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

struct Star {
    ChangeReceivers receivers;
    CListeningSocket listener;
    std::unique_ptr<LanServer> server;
    std::vector<std::unique_ptr<CClientSocket>> clients;

    explicit Star(int count)
    {
        listener.listen(0);
        server = std::make_unique<LanServer>(listener, receivers);
        for (int i = 0; i < count; ++i) {
            auto client = std::make_unique<CClientSocket>();
            client->setServer(QStringLiteral("127.0.0.1"), listener.port());
            client->setLocalAddress(QStringLiteral("127.0.1.%1").arg(i + 1));
            client->connectNow(3000);
            clients.push_back(std::move(client));
        }
        runUntil([&] { return listener.ClientCount() == count; }, 5000);
    }
};

void BM_FrameAndParse(benchmark::State& state)
{
    QByteArray stream;
    for (int i = 0; i < 100; ++i)
        stream += *MessageFramer::frame(
            QStringLiteral("PC01,192.168.1.%1,Update,作業・部品,%2,ｵｲﾙ交換,ｵｲﾙｺｳｶﾝ").arg(i % 250).arg(i));
    for (auto _ : state) {
        MessageFramer framer;
        QStringList texts;
        framer.feed(stream, texts);
        int fields = 0;
        for (const QString& text : texts)
            fields += LanMessage::parse(text).fieldCount();
        benchmark::DoNotOptimize(fields);
    }
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_FrameAndParse);

// One change from client 0 until client 1 has it, through the server.
void BM_RelayRoundTrip(benchmark::State& state)
{
    Star star(2);
    int received = 0;
    QObject::connect(star.clients[1].get(), &CClientSocket::messageReceived,
                     star.clients[1].get(), [&](const LanMessage&) { ++received; });
    for (auto _ : state) {
        const int before = received;
        star.clients[0]->SendToServer(QStringLiteral("127.0.0.1,127.0.1.1,KokCarRequery"));
        if (!runUntil([&] { return received > before; }, 5000)) {
            state.SkipWithError("no relay");
            break;
        }
    }
}
BENCHMARK(BM_RelayRoundTrip)->Unit(benchmark::kMicrosecond);

// Twenty clients, 500 changes each, all at once.
void BM_TwentyClientsAt500Each(benchmark::State& state)
{
    constexpr int kClients = 20;
    constexpr int kEach = 500;
    for (auto _ : state) {
        Star star(kClients);
        // deliveries[receiver][sender * kEach + n]
        std::vector<std::vector<int>> deliveries(kClients, std::vector<int>(kClients * kEach, 0));
        std::vector<double> latencies;
        latencies.reserve(size_t(kClients) * (kClients - 1) * kEach);
        QElapsedTimer clock;
        clock.start();
        std::vector<qint64> sentAt(size_t(kClients) * kEach, 0);
        long total = 0;
        for (int r = 0; r < kClients; ++r) {
            QObject::connect(star.clients[r].get(), &CClientSocket::messageReceived, star.clients[r].get(),
                             [&, r](const LanMessage& message) {
                                 const int sender = message.field(4).toInt();
                                 const int n = message.field(5).toInt();
                                 const int key = sender * kEach + n;
                                 ++deliveries[size_t(r)][size_t(key)];
                                 latencies.push_back(double(clock.nsecsElapsed() - sentAt[size_t(key)]) / 1e6);
                                 ++total;
                             });
        }
        for (int n = 0; n < kEach; ++n) {
            for (int s = 0; s < kClients; ++s) {
                sentAt[size_t(s * kEach + n)] = clock.nsecsElapsed();
                star.clients[s]->SendToServer(
                    QStringLiteral("127.0.0.1,x,Update,名前,%1,%2").arg(s).arg(n));
            }
        }
        const long expected = long(kClients) * (kClients - 1) * kEach;
        if (!runUntil([&] { return total >= expected; }, 120000)) {
            state.SkipWithError("not every message arrived");
            break;
        }
        runUntil([] { return false; }, 200); // anything more would be a duplicate
        bool exactlyOnce = total == expected;
        for (int r = 0; r < kClients; ++r) {
            for (int s = 0; s < kClients; ++s) {
                for (int n = 0; n < kEach; ++n)
                    exactlyOnce = exactlyOnce && deliveries[size_t(r)][size_t(s * kEach + n)] == (r == s ? 0 : 1);
            }
        }
        if (!exactlyOnce) {
            state.SkipWithError("a message was lost or delivered twice");
            break;
        }
        std::sort(latencies.begin(), latencies.end());
        state.counters["deliveries"] = double(total);
        state.counters["latency_ms_median"] = latencies[latencies.size() / 2];
        state.counters["latency_ms_p99"] = latencies[latencies.size() * 99 / 100];
        state.counters["latency_ms_max"] = latencies.back();
    }
}
BENCHMARK(BM_TwentyClientsAt500Each)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
