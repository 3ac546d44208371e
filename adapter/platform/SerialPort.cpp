#include "adapter/platform/SerialPort.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <utility>

namespace tlx {

namespace {
bool speedFor(std::int32_t baud, speed_t& speed)
{
    static constexpr std::array<std::pair<std::int32_t, speed_t>, 18> kSpeeds = {{
        {50, B50}, {75, B75}, {110, B110}, {134, B134}, {150, B150}, {200, B200},
        {300, B300}, {600, B600}, {1200, B1200}, {1800, B1800}, {2400, B2400},
        {4800, B4800}, {9600, B9600}, {19200, B19200}, {38400, B38400},
        {57600, B57600}, {115200, B115200}, {230400, B230400},
    }};
    for (const auto& [bits, value] : kSpeeds) {
        if (bits == baud) {
            speed = value;
            return true;
        }
    }
    return false;
}

int millisecondsUntil(Deadline deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(left);
}
} // namespace

SerialPort::~SerialPort()
{
    close();
}

SerialPort::OpenResult SerialPort::open(const std::string& devicePath)
{
    close();
    if (devicePath.empty())
        return OpenResult::Failed;
    const int fd = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == EBUSY ? OpenResult::Busy : OpenResult::Failed;
    termios probe {};
    if (::tcgetattr(fd, &probe) != 0) {
        ::close(fd);
        return OpenResult::Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK;
        ::close(fd);
        return busy ? OpenResult::Busy : OpenResult::Failed;
    }
    // Nobody but us opens the device while we hold it.
    ::ioctl(fd, TIOCEXCL);
    m_fd = fd;
    return OpenResult::Opened;
}

void SerialPort::close()
{
    if (m_fd < 0)
        return;
    ::ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);
    m_fd = -1;
}

bool SerialPort::lineSettings(termios& tio, std::int32_t baud, bool evenParity)
{
    speed_t speed {};
    if (!speedFor(baud, speed))
        return false;
    tio.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY | IGNPAR);
    tio.c_iflag |= INPCK;
    tio.c_oflag &= ~OPOST;
    tio.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag &= ~(CSIZE | CSTOPB | PARENB | PARODD | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    if (evenParity)
        tio.c_cflag |= PARENB;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    ::cfsetispeed(&tio, speed);
    ::cfsetospeed(&tio, speed);
    return true;
}

bool SerialPort::configure(std::int32_t baud, bool evenParity)
{
    termios tio {};
    if (m_fd < 0 || ::tcgetattr(m_fd, &tio) != 0 || !lineSettings(tio, baud, evenParity))
        return false;
    const speed_t speed = ::cfgetospeed(&tio);
    if (::tcsetattr(m_fd, TCSANOW, &tio) == 0)
        return true;
    // A line without parity (a pseudo-terminal, say) refuses only that bit;
    // the rest has taken effect and the line works.
    termios applied {};
    return errno == EINVAL && ::tcgetattr(m_fd, &applied) == 0 && (applied.c_cflag & CSIZE) == CS8
        && ::cfgetospeed(&applied) == speed && (applied.c_lflag & ICANON) == 0;
}

SerialPort::Io SerialPort::waitFor(Direction direction, Deadline deadline) const
{
    const short wanted = direction == Direction::In ? POLLIN : POLLOUT;
    for (;;) {
        pollfd entry {m_fd, wanted, 0};
        const int ready = ::poll(&entry, 1, millisecondsUntil(deadline));
        if (ready < 0 && errno != EINTR)
            return Io::Broken;
        if (ready > 0) {
            if (entry.revents & wanted)
                return Io::Done;
            // Hang-up or error without data: the device is gone.
            return Io::Broken;
        }
        if (Clock::now() >= deadline)
            return Io::TimedOut;
    }
}

SerialPort::Io SerialPort::writeByte(std::uint8_t byte, Deadline deadline)
{
    if (m_fd < 0)
        return Io::Broken;
    for (;;) {
        const Io ready = waitFor(Direction::Out, deadline);
        if (ready != Io::Done)
            return ready;
        const ssize_t written = ::write(m_fd, &byte, 1);
        if (written == 1)
            return Io::Done;
        if (written < 0 && errno != EAGAIN && errno != EINTR)
            return Io::Broken;
        if (Clock::now() >= deadline)
            return Io::TimedOut;
    }
}

SerialPort::Io SerialPort::readByte(std::uint8_t& byte, Deadline deadline)
{
    if (m_fd < 0)
        return Io::Broken;
    for (;;) {
        const Io ready = waitFor(Direction::In, deadline);
        if (ready != Io::Done)
            return ready;
        const ssize_t got = ::read(m_fd, &byte, 1);
        if (got == 1)
            return Io::Done;
        // Readable but empty is end of file: nothing more will come.
        if (got == 0 || (errno != EAGAIN && errno != EINTR))
            return Io::Broken;
        if (Clock::now() >= deadline)
            return Io::TimedOut;
    }
}

bool SerialPort::hasInput() const
{
    if (m_fd < 0)
        return false;
    int waiting = 0;
    if (::ioctl(m_fd, FIONREAD, &waiting) == 0)
        return waiting > 0;
    pollfd entry {m_fd, POLLIN, 0};
    return ::poll(&entry, 1, 0) > 0 && (entry.revents & POLLIN);
}

} // namespace tlx
