#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tlx::test {

// A caller-ID adapter on the far end of a pseudo-terminal, answering on its
// own thread. Commands arrive as text ended by a carriage return; replies go
// back as plain lines or CRC frames, whichever framing "CRCS" last chose.
class AdapterSimulator {
public:
    enum class Misbehaviour {
        None,
        Silence,     // no reply at all; a "CRCS" is not understood either
        WrongCrc,    // the first reply line carries a wrong check value
        Garbage,     // 300 random bytes instead of the reply
        CutMidLine,  // half of the first reply line, then silence
        HangUp,      // the device disappears: the pseudo-terminal's far end closes
    };

    explicit AdapterSimulator(bool crcFraming = false);
    ~AdapterSimulator();
    AdapterSimulator(const AdapterSimulator&) = delete;
    AdapterSimulator& operator=(const AdapterSimulator&) = delete;

    std::string devicePath() const { return m_devicePath; }
    // The device side, kept open: shows the line settings the library made.
    int deviceFd() const { return m_slave; }
    bool crcFraming() const;

    // The reply to a command, by its whole text or else its first word;
    // without one a command is answered "OK".
    void setReply(const std::string& command, std::vector<std::string> lines);
    void misbehave(Misbehaviour misbehaviour, int commands = 1);

    // An unsolicited line, such as a call notice, in the current framing.
    void sendLine(const std::string& line);
    // The same line again and again, one per interval, for a while.
    void stream(const std::string& line, std::chrono::milliseconds duration, std::chrono::milliseconds interval);

    std::vector<std::string> commands() const;
    std::string receivedBytes() const;

    // The bytes of a line on the wire in the given framing.
    static std::string frame(const std::string& line, bool crcFraming);
    static std::uint16_t checkValue(const std::string& bytes);

private:
    void run();
    void handle(const std::string& command);
    void writeAll(const std::string& bytes);
    void closeMaster();

    int m_master = -1;
    int m_slave = -1;
    int m_stopPipe[2] = {-1, -1};
    std::string m_devicePath;
    std::thread m_thread;

    mutable std::mutex m_mutex;
    std::mutex m_writeMutex;
    bool m_crc = false;
    std::map<std::string, std::vector<std::string>> m_replies;
    Misbehaviour m_misbehaviour = Misbehaviour::None;
    int m_misbehaveCount = 0;
    std::vector<std::string> m_commands;
    std::string m_received;
    std::string m_pending;
};

} // namespace tlx::test
