#pragma once

#include "adapter/FrameReader.h"
#include "adapter/ReplyStore.h"
#include "adapter/TLX_K5.h"
#include "adapter/platform/InstanceLock.h"
#include "adapter/platform/SerialPort.h"

#include <QPointer>

#include <mutex>
#include <optional>
#include <string>

namespace tlx {

class WatchTimer;

// The library's state behind the exported functions: the open port, the
// last-error code, the watch and the reply buffers of this process.
class AdapterSession {
public:
    static AdapterSession& instance();

    std::int32_t init(const char* portName, const TlxPortSettings* settings);
    std::int32_t exit();
    std::int32_t getIdData(TlxCallRecord* record);
    std::int32_t getHistory(TlxCallRecord* records, std::int32_t* count);
    std::int32_t clearHistory();
    std::int32_t getTelList(TlxListEntry* entries, std::int32_t* count);
    std::int32_t deleteEntry(const TlxListEntry* entry);
    std::int32_t deleteEntries(const TlxListEntry* entries, std::int32_t count);
    std::int32_t setEntry(const TlxListEntry* entry);
    std::int32_t setDayTime(const TlxDayTime* dayTime);
    std::int32_t setDate(std::int32_t year, std::int32_t month, std::int32_t day);
    std::int32_t setTime(std::int32_t hour, std::int32_t minute, std::int32_t second);
    std::int32_t switchFraming(std::int32_t framing);
    std::int32_t infoMode(std::int32_t mode);
    std::int32_t infoOff();
    std::int32_t getState(TlxState* state);
    std::int32_t watchOn(QObject* owner, TlxNoticeCallback callback);
    std::int32_t watchOff();
    std::int32_t lastError();
    std::int32_t loaded();

private:
    enum class LineRead { Line, ByteLate, ReplyLate, Broken };

    AdapterSession() = default;

    // Runs a command: clears the code, needs the open port, pauses the
    // watch and resumes it only when the command succeeds.
    template <typename Body>
    std::int32_t command(bool argumentsValid, Body body);

    bool pauseWatch();
    void resumeWatch();
    void tick();

    bool send(const std::string& text);
    LineRead readLine(std::optional<Deadline> replyDeadline);
    bool readStatus();
    // One line of a multi-line reply: Content to keep, Done at its OK,
    // Failed (last error set) on an error line, a late reply or a broken line.
    enum class ReplyLine { Content, Done, Failed };
    ReplyLine nextReplyLine(std::optional<Deadline> replyDeadline);
    bool readData(Deadline replyDeadline);
    bool readList(std::optional<Deadline> replyDeadline);
    bool statusCommand(const std::string& text);
    bool dateCommand(std::int32_t year, std::int32_t month, std::int32_t day);
    bool timeCommand(std::int32_t hour, std::int32_t minute, std::int32_t second);
    bool framingCommand(std::int32_t framing);
    void closePort();

    std::recursive_mutex m_mutex;
    SerialPort m_port;
    InstanceLock m_instanceLock;
    std::int32_t m_lastError = 0;
    std::int32_t m_baud = 0;
    bool m_crcFraming = false;
    bool m_loaded = false;

    bool m_watchOn = false;
    bool m_timerRunning = false;
    QPointer<QObject> m_watchOwner;
    TlxNoticeCallback m_callback = nullptr;
    WatchTimer* m_timer = nullptr;

    FrameReader m_reader;
    char m_dataLine[ReplyStore::kLineBytes] {};
    ReplyStore m_store;
    std::int32_t m_listCount = 0;
    std::int32_t m_historyCount = 0;
};

} // namespace tlx
