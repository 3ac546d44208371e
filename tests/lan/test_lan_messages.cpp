// The messages between the computers: fields, framing on the wire, what
// each side does with a command, the announcer's limit and the error
// tables.

#include "common/Cp932.h"
#include "lan/core/ChangeReceivers.h"
#include "lan/core/LanAnnouncer.h"
#include "lan/core/LanMessage.h"
#include "lan/core/LanTexts.h"
#include "lan/core/MessageFramer.h"
#include "lan/core/MessageRouting.h"
#include "lan/core/SocketErrorTexts.h"
#include "QStringPrinter.h"
#include "support/RecordingMessageGateway.h"
#include "support/Utf8.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

using namespace kv::lan;
using kv::test::RecordingMessageGateway;
using kv::test::u;

namespace {

QByteArray wire(const QString& text)
{
    return *MessageFramer::frame(text);
}

} // namespace

TEST(LanMessage, FieldsByPositionWithQuotesAndMissingOnes)
{
    const LanMessage message = LanMessage::parse(u("PC01,192.168.1.5,Update,\"作業・部品\",12,\"\",\""));
    EXPECT_EQ(message.field(0), u("PC01"));
    EXPECT_EQ(message.command(), u("Update"));
    EXPECT_EQ(message.kind(), u("作業・部品"));
    EXPECT_EQ(message.field(5), QString()) << "\"\" is an empty field";
    EXPECT_EQ(message.field(6), u("\"")) << "a lone quote is no pair";
    EXPECT_EQ(message.values(), (QStringList{u("12"), QString(), u("\"")}));

    QString field;
    EXPECT_TRUE(GetField(u("a,b,KokRequery"), 2, field));
    EXPECT_EQ(field, u("KokRequery"));
    EXPECT_FALSE(GetField(u("a,b,KokRequery"), 3, field));
    EXPECT_TRUE(field.isEmpty());
    EXPECT_FALSE(GetField(u("a,b,c"), 13, field)) << "only fields 0 to 12 are read";

    QStringList many;
    for (int i = 0; i < 20; ++i)
        many << QString::number(i);
    const LanMessage long13 = LanMessage::parse(many.join(u(",")));
    EXPECT_EQ(long13.fieldCount(), 13);
    EXPECT_EQ(long13.field(12), u("12"));
    EXPECT_EQ(long13.field(13), QString());
}

TEST(LanMessage, RelayNamesTheReceiverAndTheServerWithThirteenFields)
{
    const LanMessage message = LanMessage::parse(u("PC01,10.0.0.7,KokRequery"));
    EXPECT_EQ(message.relayedTo(u("10.0.0.8"), u("Server")),
              u("10.0.0.8,Server,KokRequery,,,,,,,,,,")) << "ten commas after the command";

    const LanMessage quoted = LanMessage::parse(u("PC01,10.0.0.7,Update,\"abc\""));
    EXPECT_EQ(quoted.relayedTo(u("10.0.0.9"), u("Server")).section(u(","), 3, 3), u("abc"));

    // The sender is the connection, not the text: a client writing another's
    // address into field 1 is still itself.
    const LanMessage forged = LanMessage::parse(u("PC01,10.0.0.8,Close,")).withSender(u("10.0.0.7"));
    EXPECT_EQ(forged.field(1), u("10.0.0.7"));
    EXPECT_EQ(forged.command(), u("Close"));
    EXPECT_EQ(LanMessage::parse(u("x")).withSender(u("10.0.0.7")).field(1), u("10.0.0.7"));

    EXPECT_EQ(canonicalAddress(u("::ffff:192.168.1.5")), u("192.168.1.5"));
    EXPECT_EQ(canonicalAddress(u("::FFFF:10.0.0.1")), u("10.0.0.1"));
    EXPECT_EQ(canonicalAddress(u("FE80::1")), u("fe80::1"));
    EXPECT_EQ(canonicalAddress(u("fe80::1%enp0s31f6")), u("fe80::1"));
    EXPECT_EQ(canonicalAddress(u("192.168.1.5")), u("192.168.1.5"));
}

TEST(MessageFramer, MessagesTogetherOrSplitAreEachTakenWholeAndOnce)
{
    MessageFramer framer;
    QStringList got;
    // Two in one read.
    ASSERT_TRUE(framer.feed(wire(u("a,b,KokRequery")) + wire(u("a,b,Update,名前")), got));
    EXPECT_EQ(got, (QStringList{u("a,b,KokRequery"), u("a,b,Update,名前")}));

    // One split inside a double-byte character, over three reads.
    got.clear();
    const QByteArray bytes = wire(u("a,b,Update,作業・部品,1,ｵｲﾙ,ｵ"));
    ASSERT_TRUE(framer.feed(bytes.left(12), got));
    ASSERT_TRUE(framer.feed(bytes.mid(12, 1), got));
    EXPECT_TRUE(got.isEmpty());
    ASSERT_TRUE(framer.feed(bytes.mid(13), got));
    EXPECT_EQ(got, QStringList{u("a,b,Update,作業・部品,1,ｵｲﾙ,ｵ")});
    EXPECT_EQ(framer.pendingBytes(), 0);

    // Empty frames carry nothing.
    got.clear();
    ASSERT_TRUE(framer.feed(QByteArray(3, '\0'), got));
    EXPECT_TRUE(got.isEmpty());

    // A peer that never ends its frame is cut off, and stays so.
    MessageFramer flooded;
    EXPECT_TRUE(flooded.feed(QByteArray(MessageFramer::kMaxFrameBytes, 'x'), got));
    EXPECT_FALSE(flooded.feed(QByteArray(1, 'x'), got));
    EXPECT_FALSE(flooded.feed(wire(u("a,b,KokRequery")), got));
    EXPECT_TRUE(got.isEmpty());
}

TEST(MessageFramer, TheLimitIsCountedInCp932Bytes)
{
    // 512 kanji are 1024 CP932 bytes but only 512 characters.
    const QString atLimit(512, QChar(0x6F22));
    EXPECT_TRUE(MessageFramer::frame(atLimit).has_value());
    EXPECT_EQ(MessageFramer::frame(atLimit)->size(), 1025);
    EXPECT_FALSE(MessageFramer::frame(atLimit + u("a")).has_value());
    EXPECT_TRUE(MessageFramer::frame(QString(1024, QLatin1Char('a'))).has_value());
    EXPECT_FALSE(MessageFramer::frame(QString(1025, QLatin1Char('a'))).has_value());
    EXPECT_TRUE(MessageFramer::frame(QString(1025, QLatin1Char('a')), MessageFramer::kMaxFrameBytes));

    RecordingMessageGateway messages;
    QStringList sent;
    LanAnnouncer announcer(u("PC01"), u("10.0.0.7"), [&](const QString& m) {
        sent << m;
        return true;
    });
    const int prefix = kv::cp932::byteLength(u("PC01,10.0.0.7,Update,"));
    EXPECT_TRUE(announcer.announceUpdate(QString(1024 - prefix, QChar(0xFF71))))
        << "half-width kana are one byte each";
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(kv::cp932::byteLength(sent.first()), 1024);
    EXPECT_FALSE(announcer.announceUpdate(QString((1024 - prefix) / 2 + 1, QChar(0x6F22))));
    EXPECT_EQ(sent.size(), 1) << "not sent";
    EXPECT_EQ(messages.messages(), QStringList{u("送信メッセージが長すぎます！")});

    EXPECT_TRUE(announcer.announceNotification(ChangeAnnouncer::kCustomersAdded));
    EXPECT_EQ(sent.last(), u("PC01,10.0.0.7,KokRequery"));
    LanAnnouncer refused(u(""), u("Server"), [](const QString&) { return false; });
    EXPECT_FALSE(refused.announceUpdate(u("印字")));
}

// Random streams of random messages cut at random places, and random bytes:
// every message comes out once and whole, nothing else does, nothing
// crashes.
TEST(MessageFramer, RandomAndHostileInput)
{
    QRandomGenerator random(20261210);
    const QString alphabet = u("abcXYZ019,\"・作業部品ｱｲｳ名前住所車種 -");
    for (int round = 0; round < 3000; ++round) {
        QStringList sent;
        QByteArray stream;
        const int count = random.bounded(1, 8);
        for (int i = 0; i < count; ++i) {
            QString text;
            const int length = random.bounded(1, 200);
            for (int c = 0; c < length; ++c)
                text += alphabet[random.bounded(int(alphabet.size()))];
            sent << text;
            stream += wire(text);
        }
        MessageFramer framer;
        QStringList got;
        qsizetype at = 0;
        while (at < stream.size()) {
            const qsizetype piece = std::min<qsizetype>(random.bounded(1, 300), stream.size() - at);
            ASSERT_TRUE(framer.feed(stream.mid(at, piece), got));
            at += piece;
        }
        ASSERT_EQ(got, sent) << "round " << round;
        EXPECT_EQ(framer.pendingBytes(), 0);

        // Garbage: any bytes at all; whatever comes out parses.
        QByteArray garbage(random.bounded(1, 5000), Qt::Uninitialized);
        for (char& byte : garbage)
            byte = char(random.bounded(256));
        MessageFramer hostile;
        QStringList junk;
        const bool whole = hostile.feed(garbage, junk);
        for (const QString& text : junk) {
            const LanMessage message = LanMessage::parse(text);
            EXPECT_LE(message.fieldCount(), LanMessage::kFieldCount);
            (void)MessageRouting::serverStep(message);
        }
        EXPECT_EQ(whole, !hostile.isBroken());
    }
}

TEST(MessageRouting, WhatEachSideDoesWithACommand)
{
    using MessageRouting::ClientStep;
    using MessageRouting::ServerStep;
    const auto server = [](const char* text) { return MessageRouting::serverStep(LanMessage::parse(u(text))); };
    const auto client = [](const char* text) { return MessageRouting::clientStep(LanMessage::parse(u(text))); };
    EXPECT_EQ(server(""), ServerStep::Ignore);
    EXPECT_EQ(server("PC,1.2.3.4,GetSvrDataDirectoryPath"), ServerStep::AnswerDataPath);
    EXPECT_EQ(server("PC,1.2.3.4,Close,"), ServerStep::CloseSender);
    for (const char* change : {"PC,x,Update,名前", "PC,x,Delete,作業・部品,3", "PC,x,KokRequery",
                               "PC,x,KokCarRequery"})
        EXPECT_EQ(server(change), ServerStep::ActAndRelay) << change;
    EXPECT_EQ(server("PC,x,TelCallInfo,1"), ServerStep::Ignore) << "calls come from the server only";
    EXPECT_EQ(server("PC,x,PutSvrDataDirectoryPath,//a/b"), ServerStep::Ignore);
    EXPECT_EQ(server("PC,x,update,名前"), ServerStep::Ignore) << "commands match exactly";

    EXPECT_EQ(client("1.2.3.4,Server,PutSvrDataDirectoryPath,//pc01/sabion"), ClientStep::TakeDataPath);
    EXPECT_EQ(client("1.2.3.4,Server,Close,"), ClientStep::ServerClosing);
    EXPECT_EQ(client("1.2.3.4,Server,TelCallInfo,0312345678"), ClientStep::Act);
    EXPECT_EQ(client("1.2.3.4,Server,KokRequery,,,,,,,,,,"), ClientStep::Act);
    EXPECT_EQ(client("1.2.3.4,Server,GetSvrDataDirectoryPath"), ClientStep::Ignore);

    EXPECT_EQ(MessageRouting::dataPathReply(u("1.2.3.4"), u("//pc01/sabion")),
              u("1.2.3.4,Server,PutSvrDataDirectoryPath,//pc01/sabion"));
    EXPECT_EQ(MessageRouting::closeMessage(u("1.2.3.4"), u("Server")), u("1.2.3.4,Server,Close,"));
}

TEST(SocketErrorTexts, TablesWithTheirRetryEntries)
{
    EXPECT_EQ(sendErrorText(10053).text, u("タイムアウトが発生しました(送信エラー)！\n再試行しますか？"));
    EXPECT_TRUE(sendErrorText(10053).retry);
    EXPECT_EQ(sendErrorText(10013).text, u("適切なフラグが設定されていません(送信エラー)！\n再起動して下さい。"));
    EXPECT_FALSE(sendErrorText(10054).retry);
    EXPECT_EQ(sendErrorText(12345).text, u("その他エラー(送信エラー)！\n再起動して下さい。"));
    EXPECT_TRUE(receiveErrorText(10036).retry);
    EXPECT_FALSE(receiveErrorText(10055).retry) << "no deadlock entry when receiving";
    EXPECT_EQ(receiveErrorText(10055).text, u("デフォルトエラー(受信エラー)！\n再起動して下さい。"));
    EXPECT_EQ(receiveErrorText(10054).text, u("リモート側からリセットされました(受信エラー)！\n再起動して下さい。"));
}

TEST(ChangeReceivers, DispatchByCommandAndKindAndSubscriptionsEndWithTheirOwner)
{
    ChangeReceivers receivers;
    QStringList calls;
    const int all = receivers.subscribe(u("Update"), {}, [&](const LanMessage& m) { calls << u("all:") + m.kind(); });
    auto items = std::make_unique<ReceiverSubscription>(
        u("Update"), u("作業・部品"), [&](const LanMessage& m) { calls << u("items:") + m.field(4); }, receivers);
    {
        ReceiverSubscription requery(u("KokRequery"), {}, [&](const LanMessage&) { calls << u("requery"); },
                                     receivers);
        EXPECT_EQ(receivers.dispatch(LanMessage::parse(u("a,b,KokRequery"))), 1);
    }
    EXPECT_EQ(receivers.dispatch(LanMessage::parse(u("a,b,KokRequery"))), 0) << "gone with its owner";
    EXPECT_EQ(receivers.dispatch(LanMessage::parse(u("a,b,Update,作業・部品,7,x,y"))), 2);
    EXPECT_EQ(receivers.dispatch(LanMessage::parse(u("a,b,Update,名前"))), 1);
    EXPECT_EQ(receivers.dispatch(LanMessage::parse(u("a,b,Delete,作業・部品,7"))), 0);
    EXPECT_EQ(calls, (QStringList{u("requery"), u("all:作業・部品"), u("items:7"), u("all:名前")}));

    // A handler that closes a window ends that window's subscription on the
    // way: the window's handler, chosen already, is not run any more.
    calls.clear();
    receivers.unsubscribe(all);
    items.reset();
    std::unique_ptr<ReceiverSubscription> window;
    ReceiverSubscription closer(u("Update"), {}, [&](const LanMessage&) {
        calls << u("closer");
        window.reset();
    }, receivers);
    window = std::make_unique<ReceiverSubscription>(
        u("Update"), QString(), [&](const LanMessage&) { calls << u("window"); }, receivers);
    EXPECT_EQ(receivers.dispatch(LanMessage::parse(u("a,b,Update,名前"))), 1);
    EXPECT_EQ(calls, QStringList{u("closer")});
    EXPECT_EQ(receivers.size(), 1);
}
