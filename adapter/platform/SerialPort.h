#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include <termios.h>

namespace tlx {

using Clock = std::chrono::steady_clock;
using Deadline = Clock::time_point;

// A serial device opened exclusively (TIOCEXCL and an advisory lock on the
// device) and read and written one byte at a time against deadlines.
class SerialPort {
public:
    enum class OpenResult { Opened, Busy, Failed };
    enum class Io { Done, TimedOut, Broken };

    SerialPort() = default;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;
    ~SerialPort();

    // Busy: another program holds the device.
    OpenResult open(const std::string& devicePath);
    void close();
    bool isOpen() const { return m_fd >= 0; }

    // 8 data bits, one stop bit, parity checking on; even parity or none.
    bool configure(std::int32_t baud, bool evenParity);

    // The settings configure() applies over the current ones; false for a
    // speed the system does not know.
    static bool lineSettings(termios& settings, std::int32_t baud, bool evenParity);

    Io writeByte(std::uint8_t byte, Deadline deadline);
    Io readByte(std::uint8_t& byte, Deadline deadline);
    // True when received bytes wait to be read.
    bool hasInput() const;

private:
    enum class Direction { In, Out };
    Io waitFor(Direction direction, Deadline deadline) const;

    int m_fd = -1;
};

} // namespace tlx
