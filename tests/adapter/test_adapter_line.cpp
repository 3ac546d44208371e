// The library against a simulated adapter on a pseudo-terminal, through the
// exported functions only.
#include "AdapterSimulator.h"

#include "adapter/TLX_K5.h"
#include "support/TempFolder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <sys/file.h>
#include <sys/wait.h>
#include <termios.h>

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using tlx::test::AdapterSimulator;
using Misbehaviour = AdapterSimulator::Misbehaviour;

namespace {

// The open-adapter lock of these tests must not meet that of other runs.
void usePrivateRuntimeFolder()
{
    static kv::test::TempFolder folder;
    ::setenv("XDG_RUNTIME_DIR", folder.path().toLocal8Bit().constData(), 1);
}

std::int32_t openAdapter(const std::string& port, int framing)
{
    const TlxPortSettings settings {framing, 4800, 8, 0};
    return TLX_Init(port.c_str(), &settings);
}

// What the watch callback saw; the callback is a plain function.
struct NoticeLog {
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<TlxCallNotice> notices;
    std::vector<QThread*> threads;

    void clear()
    {
        std::lock_guard lock(mutex);
        notices.clear();
        threads.clear();
    }
    std::size_t count()
    {
        std::lock_guard lock(mutex);
        return notices.size();
    }
};

NoticeLog& noticeLog()
{
    static NoticeLog log;
    return log;
}

void recordNotice(const TlxCallNotice* notice)
{
    NoticeLog& log = noticeLog();
    std::lock_guard lock(log.mutex);
    log.notices.push_back(*notice);
    log.threads.push_back(QThread::currentThread());
    log.arrived.notify_all();
}

// Runs this thread's event loop until the condition holds or time is up.
bool processEventsUntil(const std::function<bool()>& done, int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > milliseconds)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

void processEventsFor(int milliseconds)
{
    processEventsUntil([] { return false; }, milliseconds);
}

class AdapterFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        usePrivateRuntimeFolder();
        noticeLog().clear();
    }
    void TearDown() override
    {
        TLX_WatchTimerOff();
        TLX_Exit();
    }
};

// Each test of this kind runs with the adapter in plain lines and again in CRC frames.
class AdapterLine : public AdapterFixture, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        AdapterFixture::SetUp();
        m_sim = std::make_unique<AdapterSimulator>(GetParam() != 0);
        ASSERT_EQ(openAdapter(m_sim->devicePath(), GetParam()), 1) << TLX_ErrInfo();
    }
    AdapterSimulator& sim() { return *m_sim; }

private:
    std::unique_ptr<AdapterSimulator> m_sim;
};

INSTANTIATE_TEST_SUITE_P(Framings, AdapterLine, ::testing::Values(0, 1),
                         [](const auto& info) { return info.param ? "Crc" : "Plain"; });

TlxListEntry entry(const char* key, const char* number, int first, int second)
{
    TlxListEntry e {};
    std::strncpy(e.key, key, sizeof e.key - 1);
    std::strncpy(e.number, number, sizeof e.number - 1);
    e.attribute1 = static_cast<std::int8_t>(first);
    e.attribute2 = static_cast<std::int8_t>(second);
    return e;
}

} // namespace

TEST_P(AdapterLine, OpensWithTheLineSettingsOfItsFraming)
{
    EXPECT_EQ(sim().commands(), std::vector<std::string> {"CRCS " + std::to_string(GetParam())});
    EXPECT_EQ(sim().crcFraming(), GetParam() != 0);
    // Parity cannot show here: a pseudo-terminal has none.
    termios tio {};
    ASSERT_EQ(::tcgetattr(sim().deviceFd(), &tio), 0);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & CSTOPB, 0u);
    EXPECT_NE(tio.c_iflag & INPCK, 0u);
    EXPECT_EQ(::cfgetospeed(&tio), static_cast<speed_t>(B4800));
    EXPECT_EQ(TLX_InfoDLL(), 1);

    EXPECT_EQ(TLX_Exit(), 1);
    EXPECT_EQ(TLX_InfoDLL(), 0);
    EXPECT_EQ(TLX_Exit(), 0);
    EXPECT_EQ(TLX_ErrInfo(), TLX_ERR_NOT_OPEN);
    EXPECT_EQ(TLX_InfoOff(), 0);
    EXPECT_EQ(TLX_ErrInfo(), TLX_ERR_NOT_OPEN);
}

TEST_P(AdapterLine, CommandsGoOutAsTextEndedByACarriageReturn)
{
    const TlxDayTime now {26, 12, 9, 8, 5, 3};
    EXPECT_EQ(TLX_SetDayTime(&now), 1);
    EXPECT_EQ(TLX_SetDate(27, 1, 2), 1);
    EXPECT_EQ(TLX_SetTime(23, 59, 0), 1);
    EXPECT_EQ(TLX_InfoMode(2), 1);
    EXPECT_EQ(TLX_InfoOff(), 1);
    EXPECT_EQ(TLX_DelHistoryData(), 1);
    const TlxListEntry one = entry("K01", "03 1234 5678", 1, -2);
    EXPECT_EQ(TLX_SetTelList(&one), 1);
    EXPECT_EQ(TLX_DelTelList(&one), 1);
    const TlxListEntry two[2] = {entry("A1", "0311112222", 0, 0), entry("B2", "0333334444", 0, 0)};
    EXPECT_EQ(TLX_AllDelTelList(two, 2), 1);
    EXPECT_EQ(TLX_AllDelTelList(two, 0), 1);

    const std::string expected = "CRCS " + std::to_string(GetParam()) + "\r"
        + "DATE 26-12-09\rTIME 08:05:03\rDATE 27-01-02\rTIME 23:59:00\rINFO 2\rINFC\rCLR\r"
          "SET K01 12 03 1234 5678 1 -2\rDEL K01\rDEL A1\rDEL B2\r";
    // Allow the simulator's thread to take in the last bytes.
    processEventsUntil([&] { return sim().receivedBytes().size() >= expected.size(); }, 1000);
    EXPECT_EQ(sim().receivedBytes(), expected);
}

TEST_P(AdapterLine, StatusRepliesAndTheDeviceErrorNumbers)
{
    struct Case {
        std::string reply;
        std::int32_t result;
        std::int32_t code;
    };
    const Case cases[] = {
        {"OK", 1, 0}, {"ERROR 0", 0, 6}, {"ERROR 1", 0, 7}, {"ERROR 2", 0, 8}, {"ERROR 3", 0, 3},
        {"ERROR 5", 0, 5}, {"ERROR 9", 0, 0}, {"ERROR", 0, 0}, {"BUSY", 0, 0},
    };
    for (const Case& c : cases) {
        sim().setReply("INFC", {c.reply});
        EXPECT_EQ(TLX_InfoOff(), c.result) << c.reply;
        EXPECT_EQ(TLX_ErrInfo(), c.code) << c.reply;
    }
}

TEST_P(AdapterLine, SettingTheClockStopsAtTheFirstRefusal)
{
    sim().setReply("DATE", {"ERROR 4"});
    const TlxDayTime now {26, 12, 9, 8, 5, 3};
    EXPECT_EQ(TLX_SetDayTime(&now), 0);
    EXPECT_EQ(TLX_ErrInfo(), 4);
    const TlxListEntry entries[3] = {entry("A", "1", 0, 0), entry("B", "2", 0, 0), entry("C", "3", 0, 0)};
    sim().setReply("DEL B", {"ERROR 2"});
    EXPECT_EQ(TLX_AllDelTelList(entries, 3), 0);
    EXPECT_EQ(TLX_ErrInfo(), TLX_ERR_DEVICE_2);
    const auto sent = sim().commands();
    EXPECT_EQ(std::vector<std::string>(sent.begin() + 1, sent.end()),
              (std::vector<std::string> {"DATE 26-12-09", "DEL A", "DEL B"}));
}

TEST_P(AdapterLine, LatestCall)
{
    struct Case {
        std::vector<std::string> reply;
        std::int32_t result;
        std::int32_t code;
        const char* number;
        const char* date;
        const char* time;
    };
    const Case cases[] = {
        {{"LATE 0312345678 12-09 10:30/C", "OK"}, 1, 0, "0312345678", "12-09", "10:30"},
        // Only the last data line before OK counts.
        {{"LATE 0399999999 01-01 00:00/C", "LATE 0355556666 12-24 18:45/D", "OK"}, 1, 0, "0355556666", "12-24", "18:45"},
        {{"NONE/C", "OK"}, 1, 0, "", "", ""},
        {{"LATE 0312345678 12-09", "OK"}, 0, 0, "0312345678", "12-09", ""},
        {{"OK"}, 0, 0, "", "", ""},
        {{"ERROR 2"}, 0, 8, "ZZZZ", "ZZZZ", "ZZZZ"},
    };
    for (const Case& c : cases) {
        sim().setReply("LATE", c.reply);
        TlxCallRecord record {};
        std::strcpy(record.number, "ZZZZ");
        std::strcpy(record.date, "ZZZZ");
        std::strcpy(record.time, "ZZZZ");
        EXPECT_EQ(TLX_GetIDData(&record), c.result) << c.reply.front();
        EXPECT_EQ(TLX_ErrInfo(), c.code) << c.reply.front();
        EXPECT_STREQ(record.number, c.number) << c.reply.front();
        EXPECT_STREQ(record.date, c.date) << c.reply.front();
        EXPECT_STREQ(record.time, c.time) << c.reply.front();
    }
    EXPECT_EQ(TLX_GetIDData(nullptr), 0);
}

TEST_P(AdapterLine, HistoryAndState)
{
    sim().setReply("HIS", {"HIS 0311111111 12-01 09:00/C", "HIS 0322222222 12-02 09:30/C", "OK"});
    TlxCallRecord records[TLX_REPLY_LINES] {};
    std::int32_t count = -1;
    ASSERT_EQ(TLX_GetHistoryData(records, &count), 1);
    ASSERT_EQ(count, 2);
    EXPECT_STREQ(records[0].number, "0311111111");
    EXPECT_STREQ(records[1].time, "09:30");

    sim().setReply("HIS", {"END/C", "OK"});
    EXPECT_EQ(TLX_GetHistoryData(records, &count), 1);
    EXPECT_EQ(count, 0);

    sim().setReply("STAT", {"STAT V1.02 K5-12345 7", "OK"});
    TlxState state {};
    ASSERT_EQ(TLX_GetState(&state), 1);
    EXPECT_STREQ(state.first, "V1.02");
    EXPECT_STREQ(state.second, "K5-12345");
    EXPECT_EQ(state.value, 7);
    sim().setReply("STAT", {"STAT V1.02", "OK"});
    EXPECT_EQ(TLX_GetState(&state), 0);
    EXPECT_EQ(TLX_ErrInfo(), 0);
}

TEST_P(AdapterLine, ListEndsAtOkOrAtALineShorterThanFive)
{
    sim().setReply("LIS", {"LIS 0001 10 0312345678 1 2", "LIS 0002 12 03 123456789 0 -1", "END"});
    TlxListEntry entries[TLX_REPLY_LINES] {};
    std::int32_t count = -1;
    ASSERT_EQ(TLX_GetTelList(entries, &count), 1);
    ASSERT_EQ(count, 2);
    EXPECT_STREQ(entries[0].key, "0001");
    EXPECT_STREQ(entries[0].number, "0312345678");
    EXPECT_STREQ(entries[1].number, "03 123456789");
    EXPECT_EQ(entries[1].attribute2, -1);
    // Nothing of that reply is left to confuse the next command.
    EXPECT_EQ(TLX_InfoOff(), 1);

    sim().setReply("LIS", {"LIS 0001 10 0312345678 1 2", "ERROR 3"});
    EXPECT_EQ(TLX_GetTelList(entries, &count), 0);
    EXPECT_EQ(TLX_ErrInfo(), 3);
}

TEST_P(AdapterLine, ListsLongerThanTheStoreAreCutAndTheLineStaysInStep)
{
    std::vector<std::string> reply;
    for (int i = 0; i < 60; ++i)
        reply.push_back("LIS K" + std::to_string(i) + " 10 0312345678 1 2");
    reply.push_back("OK");
    sim().setReply("LIS", reply);
    TlxListEntry entries[TLX_REPLY_LINES + 1] {};
    std::memset(&entries[TLX_REPLY_LINES], 0x5A, sizeof entries[0]);
    std::int32_t count = -1;
    ASSERT_EQ(TLX_GetTelList(entries, &count), 1);
    EXPECT_EQ(count, TLX_REPLY_LINES);
    EXPECT_STREQ(entries[49].key, "K49");
    EXPECT_EQ(entries[TLX_REPLY_LINES].key[0], 0x5A);
    EXPECT_EQ(TLX_InfoOff(), 1);

    // A list that never ends is given up, not read forever.
    sim().setReply("LIS", std::vector<std::string>(400, "LIS K 10 0312345678 1 2"));
    EXPECT_EQ(TLX_GetTelList(entries, &count), 0);
    EXPECT_EQ(TLX_ErrInfo(), 0);
}

TEST_P(AdapterLine, ABrokenOrSilentReplyIsAFailureNeverAHang)
{
    struct Case {
        Misbehaviour misbehaviour;
        bool crcOnly;
        std::vector<std::int32_t> codes;
    };
    const Case cases[] = {
        {Misbehaviour::Silence, false, {TLX_ERR_READ}},
        {Misbehaviour::CutMidLine, false, {TLX_ERR_READ}},
        {Misbehaviour::WrongCrc, true, {TLX_ERR_READ}},
        // Random bytes make a line that is neither OK nor ERROR, or a frame that
        // fails its check. What is left of them stays queued, so this comes last.
        {Misbehaviour::Garbage, false, {TLX_ERR_NONE, TLX_ERR_READ}},
    };
    for (const Case& c : cases) {
        if (c.crcOnly && GetParam() == 0)
            continue;
        sim().misbehave(c.misbehaviour);
        EXPECT_EQ(TLX_InfoOff(), 0) << int(c.misbehaviour);
        const std::int32_t code = TLX_ErrInfo();
        EXPECT_NE(std::find(c.codes.begin(), c.codes.end(), code), c.codes.end()) << int(c.misbehaviour) << " " << code;
    }
}

TEST_P(AdapterLine, AnUnpluggedDeviceFailsReadsAndWrites)
{
    sim().misbehave(Misbehaviour::HangUp);
    EXPECT_EQ(TLX_InfoOff(), 0);
    EXPECT_EQ(TLX_ErrInfo(), TLX_ERR_READ);
    EXPECT_EQ(TLX_InfoMode(0), 0);
    EXPECT_EQ(TLX_ErrInfo(), TLX_ERR_WRITE);
    EXPECT_EQ(TLX_Exit(), 1);
}

TEST_F(AdapterFixture, DataReplyWithoutOkGivesUpAfterThreeSeconds)
{
    AdapterSimulator sim;
    ASSERT_EQ(openAdapter(sim.devicePath(), 0), 1);
    sim.setReply("LATE", {});
    std::thread chatter([&] {
        sim.stream("LATE 0312345678 12-09 10:30/C", std::chrono::milliseconds(3600), std::chrono::milliseconds(20));
    });
    TlxCallRecord record {};
    EXPECT_EQ(TLX_GetIDData(&record), 0);
    EXPECT_EQ(TLX_ErrInfo(), TLX_ERR_NONE);
    chatter.join();
}

TEST_F(AdapterFixture, InitOnAPortThatCannotBeOpenedKeepsTheLastCode)
{
    kv::test::TempFolder folder;
    ASSERT_TRUE(folder.write("not-a-tty", "x"));
    ASSERT_EQ(TLX_Exit(), 0);
    ASSERT_EQ(TLX_ErrInfo(), TLX_ERR_NOT_OPEN);
    const TlxPortSettings settings {0, 4800, 8, 0};
    const std::vector<std::string> ports = {"/dev/no-such-tty", "COM9", "", folder.file("not-a-tty").toStdString()};
    for (const std::string& port : ports) {
        EXPECT_EQ(TLX_Init(port.c_str(), &settings), 0) << port;
        EXPECT_EQ(TLX_ErrInfo(), TLX_ERR_NOT_OPEN) << port;
    }
    EXPECT_EQ(TLX_Init(nullptr, &settings), 0);
    AdapterSimulator sim;
    EXPECT_EQ(TLX_Init(sim.devicePath().c_str(), nullptr), 0);
    EXPECT_EQ(TLX_ErrInfo(), TLX_ERR_NOT_OPEN);
    const TlxPortSettings oddSpeed {0, 4801, 8, 0};
    EXPECT_EQ(TLX_Init(sim.devicePath().c_str(), &oddSpeed), 0);
    EXPECT_EQ(TLX_ErrInfo(), TLX_ERR_NOT_OPEN);
    EXPECT_TRUE(sim.commands().empty());
    EXPECT_EQ(TLX_InfoDLL(), 0);
}

TEST_F(AdapterFixture, InitWhileOpenFailsHereAndInAnyOtherProcess)
{
    AdapterSimulator sim;
    AdapterSimulator other;
    ASSERT_EQ(openAdapter(sim.devicePath(), 0), 1);
    EXPECT_EQ(openAdapter(sim.devicePath(), 0), 0);
    EXPECT_EQ(TLX_ErrInfo(), TLX_ERR_ALREADY_OPEN);

    const auto probe = [](const std::string& port) {
        const std::string commandLine = std::string(TLX_PROBE_PATH) + " '" + port + "'";
        const int status = std::system(commandLine.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(probe(sim.devicePath()), 10 + TLX_ERR_ALREADY_OPEN);
    EXPECT_EQ(probe(other.devicePath()), 10 + TLX_ERR_ALREADY_OPEN);
    ASSERT_EQ(TLX_Exit(), 1);
    EXPECT_EQ(probe(sim.devicePath()), 0);
}

TEST_F(AdapterFixture, ADeviceHeldByAnotherProgramCountsAsOpen)
{
    AdapterSimulator sim;
    ASSERT_EQ(::flock(sim.deviceFd(), LOCK_EX | LOCK_NB), 0);
    EXPECT_EQ(openAdapter(sim.devicePath(), 0), 0);
    EXPECT_EQ(TLX_ErrInfo(), TLX_ERR_ALREADY_OPEN);
    ::flock(sim.deviceFd(), LOCK_UN);
    EXPECT_EQ(openAdapter(sim.devicePath(), 0), 1);
}

TEST_F(AdapterFixture, InitTriesTheOtherParityWhenTheAdapterDoesNotAnswer)
{
    // The adapter talks CRC frames and misses the first two switches to plain lines.
    AdapterSimulator sim(true);
    sim.misbehave(Misbehaviour::Silence, 2);
    ASSERT_EQ(openAdapter(sim.devicePath(), 0), 1);
    EXPECT_EQ(sim.commands(), (std::vector<std::string> {"CRCS 0", "CRCS 0", "CRCS 0"}));
    EXPECT_FALSE(sim.crcFraming());
}

TEST_F(AdapterFixture, InitFailsAndLetsGoWhenTheAdapterNeverAnswers)
{
    AdapterSimulator sim;
    sim.misbehave(Misbehaviour::Silence, 1000);
    EXPECT_EQ(openAdapter(sim.devicePath(), 1), 0);
    EXPECT_EQ(TLX_ErrInfo(), TLX_ERR_READ);
    EXPECT_EQ(sim.commands().size(), 6u);
    EXPECT_EQ(TLX_InfoDLL(), 0);
    sim.misbehave(Misbehaviour::None, 0);
    EXPECT_EQ(openAdapter(sim.devicePath(), 1), 1);
}

TEST_F(AdapterFixture, WatchRefusals)
{
    QObject owner;
    EXPECT_EQ(TLX_WatchTimerOn(&owner, recordNotice), 0);
    EXPECT_EQ(TLX_ErrInfo(), TLX_ERR_NOT_OPEN);
    EXPECT_EQ(TLX_WatchTimerOff(), 0);
    EXPECT_EQ(TLX_ErrInfo(), 0);

    AdapterSimulator sim;
    ASSERT_EQ(openAdapter(sim.devicePath(), 0), 1);
    EXPECT_EQ(TLX_WatchTimerOn(nullptr, recordNotice), 0);
    EXPECT_EQ(TLX_ErrInfo(), TLX_ERR_NO_WINDOW);
    EXPECT_EQ(TLX_WatchTimerOn(&owner, nullptr), 0);
    EXPECT_EQ(TLX_ErrInfo(), TLX_ERR_NO_CALLBACK);
    EXPECT_EQ(TLX_WatchTimerOn(&owner, recordNotice), 1);
    EXPECT_EQ(TLX_WatchTimerOn(&owner, recordNotice), 0);
    EXPECT_EQ(TLX_ErrInfo(), TLX_ERR_WATCH_ON);

    // Closing kills the timer but keeps the watch: it must be turned off and on again.
    EXPECT_EQ(TLX_Exit(), 1);
    ASSERT_EQ(openAdapter(sim.devicePath(), 0), 1);
    EXPECT_EQ(TLX_WatchTimerOn(&owner, recordNotice), 0);
    EXPECT_EQ(TLX_ErrInfo(), TLX_ERR_WATCH_ON);
    sim.sendLine("INFO 0312345678 12-09 10:30/C");
    processEventsFor(1300);
    EXPECT_EQ(noticeLog().count(), 0u);
    EXPECT_EQ(TLX_WatchTimerOff(), 1);
    EXPECT_EQ(TLX_WatchTimerOff(), 0);
}

TEST_F(AdapterFixture, NoticesArriveOnTheOwnersThreadFromItsEventLoop)
{
    AdapterSimulator sim;
    QThread worker;
    worker.start();
    QObject owner;
    owner.moveToThread(&worker);
    std::int32_t opened = 0;
    std::int32_t watching = 0;
    QMetaObject::invokeMethod(&owner, [&] {
        opened = openAdapter(sim.devicePath(), 0);
        watching = TLX_WatchTimerOn(&owner, recordNotice);
    }, Qt::BlockingQueuedConnection);
    ASSERT_EQ(opened, 1);
    ASSERT_EQ(watching, 1);

    sim.sendLine("RING 0312345678");
    sim.sendLine("INFO 0312345678 12-09 10:30/C");
    sim.sendLine("INFO 0698765432 12-10 23:59/AB/CD/D");
    NoticeLog& log = noticeLog();
    {
        std::unique_lock lock(log.mutex);
        log.arrived.wait_for(lock, std::chrono::seconds(6), [&] { return log.notices.size() >= 2; });
    }
    QMetaObject::invokeMethod(&owner, [] {
        TLX_WatchTimerOff();
        TLX_Exit();
    }, Qt::BlockingQueuedConnection);
    worker.quit();
    worker.wait();

    std::lock_guard lock(log.mutex);
    ASSERT_EQ(log.notices.size(), 2u);
    EXPECT_EQ(log.threads[0], &worker);
    EXPECT_EQ(log.threads[1], &worker);
    EXPECT_STREQ(log.notices[0].number, "0312345678");
    EXPECT_STREQ(log.notices[0].date, "12-09");
    EXPECT_STREQ(log.notices[0].time, "10:30");
    EXPECT_STREQ(log.notices[0].fourth, "");
    EXPECT_EQ(log.notices[0].form, 0);
    EXPECT_STREQ(log.notices[1].number, "0698765432");
    EXPECT_STREQ(log.notices[1].fourth, "AB");
    EXPECT_STREQ(log.notices[1].fifth, "CD");
    EXPECT_EQ(log.notices[1].form, 1);
}

TEST_F(AdapterFixture, AFailedCommandStopsTheWatchUntilItIsTurnedOffAndOn)
{
    AdapterSimulator sim(true);
    ASSERT_EQ(openAdapter(sim.devicePath(), 1), 1);
    QObject owner;
    ASSERT_EQ(TLX_WatchTimerOn(&owner, recordNotice), 1);
    // A successful command pauses the watch and resumes it.
    EXPECT_EQ(TLX_InfoMode(0), 1);
    sim.sendLine("INFO 0311110000 12-09 10:30/C");
    EXPECT_TRUE(processEventsUntil([] { return noticeLog().count() == 1; }, 2500));

    // After a failure not even a later successful command brings the watch back.
    sim.setReply("INFC", {"ERROR 1"});
    EXPECT_EQ(TLX_InfoOff(), 0);
    EXPECT_EQ(TLX_InfoMode(0), 1);
    sim.sendLine("INFO 0322220000 12-09 10:31/C");
    processEventsFor(1500);
    EXPECT_EQ(noticeLog().count(), 1u);

    EXPECT_EQ(TLX_WatchTimerOff(), 1);
    EXPECT_EQ(TLX_WatchTimerOn(&owner, recordNotice), 1);
    EXPECT_TRUE(processEventsUntil([] { return noticeLog().count() == 2; }, 2500));
    std::lock_guard lock(noticeLog().mutex);
    EXPECT_STREQ(noticeLog().notices.back().number, "0322220000");
}

TEST_F(AdapterFixture, PortNamesFromTheInstallationSettings)
{
    AdapterSimulator sim;
    kv::test::TempFolder folder;
    ASSERT_TRUE(folder.write("install.ini", QByteArray("[Serial]\nCOM3=") + sim.devicePath().c_str() + "\n"));
    ::setenv("SABION_INSTALL_INI", folder.file("install.ini").toLocal8Bit().constData(), 1);
    EXPECT_EQ(openAdapter("COM3", 0), 1);
    ::unsetenv("SABION_INSTALL_INI");
    EXPECT_EQ(sim.commands(), std::vector<std::string> {"CRCS 0"});
}
