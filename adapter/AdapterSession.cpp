#include "adapter/AdapterSession.h"

#include "adapter/CommandTable.h"
#include "adapter/NoticeParser.h"
#include "adapter/PortNames.h"
#include "adapter/ReplyParser.h"
#include "adapter/TextField.h"
#include "adapter/WatchTimer.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <thread>

static_assert(std::endian::native == std::endian::little, "the records are little-endian");

namespace tlx {

namespace {
using namespace std::chrono_literals;

constexpr auto kByteDeadline = 1s;
constexpr auto kReplyDeadline = 3s;
constexpr auto kFramingSettle = 100ms;
constexpr auto kDataLinePause = 5ms;
constexpr auto kListLinePause = 1ms;
constexpr int kWatchIntervalMs = 1000;
constexpr std::uint8_t kCarriageReturn = 13;
// A list reply that goes on far beyond the store is not a list: give up
// rather than read forever.
constexpr std::size_t kMaxDiscardedLines = 200;
} // namespace

AdapterSession& AdapterSession::instance()
{
    static AdapterSession session;
    return session;
}

template <typename Body>
std::int32_t AdapterSession::command(bool argumentsValid, Body body)
{
    std::lock_guard lock(m_mutex);
    m_lastError = TLX_ERR_NONE;
    if (!m_port.isOpen()) {
        m_lastError = TLX_ERR_NOT_OPEN;
        return 0;
    }
    if (!argumentsValid)
        return 0;
    const bool wasWatching = pauseWatch();
    const bool ok = body();
    if (ok && wasWatching)
        resumeWatch();
    return ok ? 1 : 0;
}

bool AdapterSession::pauseWatch()
{
    if (!m_timerRunning)
        return false;
    if (m_timer)
        m_timer->stop();
    m_timerRunning = false;
    return true;
}

void AdapterSession::resumeWatch()
{
    if (!m_watchOn || !m_timer)
        return;
    m_timer->start(kWatchIntervalMs);
    m_timerRunning = true;
}

void AdapterSession::tick()
{
    TlxCallNotice notice {};
    TlxNoticeCallback callback = nullptr;
    {
        std::unique_lock lock(m_mutex, std::try_to_lock);
        // A command of another thread holds the line; the next tick looks again.
        if (!lock.owns_lock() || !m_timerRunning || !m_callback || m_watchOwner.isNull())
            return;
        if (!m_port.hasInput())
            return;
        if (readLine(std::nullopt) != LineRead::Line) {
            m_lastError = TLX_ERR_READ;
            return;
        }
        if (!parseNotice(m_reader.line(), notice))
            return;
        callback = m_callback;
    }
    callback(&notice);
}

bool AdapterSession::send(const std::string& text)
{
    const auto writeOne = [this](std::uint8_t byte) {
        return m_port.writeByte(byte, Clock::now() + kByteDeadline) == SerialPort::Io::Done;
    };
    for (const char c : text) {
        if (!writeOne(static_cast<std::uint8_t>(c))) {
            m_lastError = TLX_ERR_WRITE;
            return false;
        }
    }
    if (!writeOne(kCarriageReturn)) {
        m_lastError = TLX_ERR_WRITE;
        return false;
    }
    return true;
}

AdapterSession::LineRead AdapterSession::readLine(std::optional<Deadline> replyDeadline)
{
    m_reader.reset();
    for (;;) {
        Deadline deadline = Clock::now() + kByteDeadline;
        const bool cutByReply = replyDeadline && *replyDeadline < deadline;
        if (cutByReply)
            deadline = *replyDeadline;
        std::uint8_t byte = 0;
        switch (m_port.readByte(byte, deadline)) {
        case SerialPort::Io::Done:
            break;
        case SerialPort::Io::TimedOut:
            return cutByReply ? LineRead::ReplyLate : LineRead::ByteLate;
        case SerialPort::Io::Broken:
            return LineRead::Broken;
        }
        switch (m_reader.feed(byte)) {
        case FrameReader::Result::NeedMore:
            break;
        case FrameReader::Result::Line:
            return LineRead::Line;
        case FrameReader::Result::CrcMismatch:
            return LineRead::Broken;
        }
    }
}

bool AdapterSession::readStatus()
{
    if (readLine(std::nullopt) != LineRead::Line) {
        m_lastError = TLX_ERR_READ;
        return false;
    }
    const char* line = m_reader.line();
    if (isOkLine(line))
        return true;
    m_lastError = isErrorLine(line) ? deviceErrorCode(line) : TLX_ERR_NONE;
    return false;
}

AdapterSession::ReplyLine AdapterSession::nextReplyLine(std::optional<Deadline> replyDeadline)
{
    switch (readLine(replyDeadline)) {
    case LineRead::Line:
        break;
    case LineRead::ReplyLate:
        m_lastError = TLX_ERR_NONE;
        return ReplyLine::Failed;
    default:
        m_lastError = TLX_ERR_READ;
        return ReplyLine::Failed;
    }
    const char* line = m_reader.line();
    if (isOkLine(line))
        return ReplyLine::Done;
    if (isErrorLine(line)) {
        m_lastError = deviceErrorCode(line);
        return ReplyLine::Failed;
    }
    return ReplyLine::Content;
}

bool AdapterSession::readData(Deadline replyDeadline)
{
    m_dataLine[0] = '\0';
    for (;;) {
        const ReplyLine next = nextReplyLine(replyDeadline);
        if (next != ReplyLine::Content)
            return next == ReplyLine::Done;
        const char* line = m_reader.line();
        copyField(m_dataLine, sizeof m_dataLine, line);
        if (Clock::now() >= replyDeadline) {
            m_lastError = TLX_ERR_NONE;
            return false;
        }
        std::this_thread::sleep_for(kDataLinePause);
    }
}

bool AdapterSession::readList(std::optional<Deadline> replyDeadline)
{
    m_store.clear();
    std::size_t discarded = 0;
    for (;;) {
        const ReplyLine next = nextReplyLine(replyDeadline);
        if (next != ReplyLine::Content)
            return next == ReplyLine::Done;
        const char* line = m_reader.line();
        if (std::strlen(line) < 5)
            return true;
        // Lines beyond the store are read to the end of the reply and dropped.
        if (!m_store.add(line) && ++discarded > kMaxDiscardedLines) {
            m_lastError = TLX_ERR_NONE;
            return false;
        }
        if (replyDeadline && Clock::now() >= *replyDeadline) {
            m_lastError = TLX_ERR_NONE;
            return false;
        }
        std::this_thread::sleep_for(kListLinePause);
    }
}

bool AdapterSession::statusCommand(const std::string& text)
{
    return send(text) && readStatus();
}

bool AdapterSession::dateCommand(std::int32_t year, std::int32_t month, std::int32_t day)
{
    return statusCommand(formatCommand(Command::Date, year, month, day));
}

bool AdapterSession::timeCommand(std::int32_t hour, std::int32_t minute, std::int32_t second)
{
    return statusCommand(formatCommand(Command::Time, hour, minute, second));
}

bool AdapterSession::framingCommand(std::int32_t framing)
{
    const std::string text = formatCommand(Command::Framing, framing);
    if (!send(text))
        return false;
    std::this_thread::sleep_for(kFramingSettle);
    m_crcFraming = framing != 0;
    m_port.configure(m_baud, m_crcFraming);
    m_reader.setCrcFraming(m_crcFraming);
    if (readStatus())
        return true;
    return send(text) && readStatus();
}

void AdapterSession::closePort()
{
    m_port.close();
    m_instanceLock.release();
}

std::int32_t AdapterSession::init(const char* portName, const TlxPortSettings* settings)
{
    std::lock_guard lock(m_mutex);
    if (m_port.isOpen()) {
        m_lastError = TLX_ERR_ALREADY_OPEN;
        return 0;
    }
    if (!portName || !settings)
        return 0;
    switch (m_instanceLock.acquire()) {
    case InstanceLock::Result::Acquired:
        break;
    case InstanceLock::Result::HeldElsewhere:
        m_lastError = TLX_ERR_ALREADY_OPEN;
        return 0;
    case InstanceLock::Result::Failed:
        return 0;
    }
    switch (m_port.open(devicePathForPort(portName))) {
    case SerialPort::OpenResult::Opened:
        break;
    case SerialPort::OpenResult::Busy:
        m_instanceLock.release();
        m_lastError = TLX_ERR_ALREADY_OPEN;
        return 0;
    case SerialPort::OpenResult::Failed:
        m_instanceLock.release();
        return 0;
    }
    m_baud = settings->baud;
    m_crcFraming = settings->framing != 0;
    if (!m_port.configure(m_baud, m_crcFraming)) {
        closePort();
        return 0;
    }
    m_reader.setCrcFraming(m_crcFraming);
    // The adapter may still be in the other framing and so expect the other
    // parity: later attempts send the switch with that parity.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (attempt > 0)
            m_port.configure(m_baud, !(settings->framing != 0));
        if (switchFraming(settings->framing)) {
            m_loaded = true;
            return 1;
        }
    }
    closePort();
    return 0;
}

std::int32_t AdapterSession::exit()
{
    std::lock_guard lock(m_mutex);
    if (!m_port.isOpen()) {
        m_lastError = TLX_ERR_NOT_OPEN;
        return 0;
    }
    closePort();
    pauseWatch();
    m_loaded = false;
    return 1;
}

std::int32_t AdapterSession::getIdData(TlxCallRecord* record)
{
    return command(record != nullptr, [&] {
        const Deadline deadline = Clock::now() + kReplyDeadline;
        if (!send(formatCommand(Command::Latest)) || !readData(deadline))
            return false;
        std::memset(record, 0, sizeof *record);
        return parseCallRecord(m_dataLine, *record) != RecordParse::MissingField;
    });
}

std::int32_t AdapterSession::getHistory(TlxCallRecord* records, std::int32_t* count)
{
    return command(records && count, [&] {
        const Deadline deadline = Clock::now() + kReplyDeadline;
        if (!send(formatCommand(Command::History)) || !readList(deadline))
            return false;
        m_historyCount = static_cast<std::int32_t>(m_store.count());
        *count = parseHistory(m_store, records);
        return true;
    });
}

std::int32_t AdapterSession::clearHistory()
{
    return command(true, [&] { return statusCommand(formatCommand(Command::ClearHistory)); });
}

std::int32_t AdapterSession::getTelList(TlxListEntry* entries, std::int32_t* count)
{
    return command(entries && count, [&] {
        if (!send(formatCommand(Command::List)) || !readList(std::nullopt))
            return false;
        m_listCount = static_cast<std::int32_t>(m_store.count());
        *count = parseTelList(m_store, entries);
        return true;
    });
}

std::int32_t AdapterSession::deleteEntry(const TlxListEntry* entry)
{
    return command(entry != nullptr, [&] {
        return statusCommand(formatCommand(Command::Delete, std::string(fieldText(entry->key)).c_str()));
    });
}

std::int32_t AdapterSession::deleteEntries(const TlxListEntry* entries, std::int32_t count)
{
    return command(count <= 0 || entries, [&] {
        for (std::int32_t i = 0; i < count; ++i) {
            if (!statusCommand(formatCommand(Command::Delete, std::string(fieldText(entries[i].key)).c_str())))
                return false;
        }
        return true;
    });
}

std::int32_t AdapterSession::setEntry(const TlxListEntry* entry)
{
    return command(entry != nullptr, [&] {
        const std::string key(fieldText(entry->key));
        const std::string number(fieldText(entry->number));
        return statusCommand(formatCommand(Command::Set, key.c_str(), static_cast<int>(number.size()),
                                           number.c_str(), int(entry->attribute1), int(entry->attribute2)));
    });
}

std::int32_t AdapterSession::setDayTime(const TlxDayTime* dayTime)
{
    return command(dayTime != nullptr, [&] {
        return dateCommand(dayTime->year, dayTime->month, dayTime->day)
            && timeCommand(dayTime->hour, dayTime->minute, dayTime->second);
    });
}

std::int32_t AdapterSession::setDate(std::int32_t year, std::int32_t month, std::int32_t day)
{
    return command(true, [&] { return dateCommand(year, month, day); });
}

std::int32_t AdapterSession::setTime(std::int32_t hour, std::int32_t minute, std::int32_t second)
{
    return command(true, [&] { return timeCommand(hour, minute, second); });
}

std::int32_t AdapterSession::switchFraming(std::int32_t framing)
{
    return command(true, [&] { return framingCommand(framing); });
}

std::int32_t AdapterSession::infoMode(std::int32_t mode)
{
    return command(true, [&] { return statusCommand(formatCommand(Command::InfoMode, mode)); });
}

std::int32_t AdapterSession::infoOff()
{
    return command(true, [&] { return statusCommand(formatCommand(Command::InfoOff)); });
}

std::int32_t AdapterSession::getState(TlxState* state)
{
    return command(state != nullptr, [&] {
        const Deadline deadline = Clock::now() + kReplyDeadline;
        if (!send(formatCommand(Command::State)) || !readData(deadline))
            return false;
        return parseState(m_dataLine, *state);
    });
}

std::int32_t AdapterSession::watchOn(QObject* owner, TlxNoticeCallback callback)
{
    std::lock_guard lock(m_mutex);
    m_lastError = TLX_ERR_NONE;
    if (!m_port.isOpen())
        m_lastError = TLX_ERR_NOT_OPEN;
    else if (m_watchOn)
        m_lastError = TLX_ERR_WATCH_ON;
    else if (!owner)
        m_lastError = TLX_ERR_NO_WINDOW;
    else if (!callback)
        m_lastError = TLX_ERR_NO_CALLBACK;
    if (m_lastError != TLX_ERR_NONE)
        return 0;
    m_watchOwner = owner;
    m_callback = callback;
    m_watchOn = true;
    m_timer = new WatchTimer(owner, [this] { tick(); });
    resumeWatch();
    return 1;
}

std::int32_t AdapterSession::watchOff()
{
    std::lock_guard lock(m_mutex);
    m_lastError = TLX_ERR_NONE;
    if (!m_watchOn)
        return 0;
    pauseWatch();
    if (m_timer)
        m_timer->dispose();
    m_timer = nullptr;
    m_watchOwner = nullptr;
    m_callback = nullptr;
    m_watchOn = false;
    return 1;
}

std::int32_t AdapterSession::lastError()
{
    std::lock_guard lock(m_mutex);
    return m_lastError;
}

std::int32_t AdapterSession::loaded()
{
    std::lock_guard lock(m_mutex);
    return m_loaded ? 1 : 0;
}

} // namespace tlx
