#include "AdapterSimulator.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <random>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace tlx::test {

namespace {
constexpr char kStx = 2;
constexpr char kEtx = 3;

// Table-driven on purpose: the library computes its check bit by bit.
const std::array<std::uint16_t, 256>& kermitTable()
{
    static const std::array<std::uint16_t, 256> table = [] {
        std::array<std::uint16_t, 256> t {};
        for (unsigned i = 0; i < 256; ++i) {
            std::uint16_t value = static_cast<std::uint16_t>(i);
            for (int bit = 0; bit < 8; ++bit)
                value = (value & 1) ? static_cast<std::uint16_t>((value >> 1) ^ 0x8408) : static_cast<std::uint16_t>(value >> 1);
            t[i] = value;
        }
        return t;
    }();
    return table;
}
} // namespace

AdapterSimulator::AdapterSimulator(bool crcFraming)
    : m_crc(crcFraming)
{
    std::array<char, 128> name {};
    if (::openpty(&m_master, &m_slave, name.data(), nullptr, nullptr) != 0)
        throw std::runtime_error("openpty failed");
    m_devicePath = name.data();
    termios raw {};
    ::tcgetattr(m_slave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(m_slave, TCSANOW, &raw);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    if (::pipe(m_stopPipe) != 0)
        throw std::runtime_error("pipe failed");
    m_thread = std::thread([this] { run(); });
}

AdapterSimulator::~AdapterSimulator()
{
    const char stop = 'x';
    (void)!::write(m_stopPipe[1], &stop, 1);
    m_thread.join();
    closeMaster();
    ::close(m_slave);
    ::close(m_stopPipe[0]);
    ::close(m_stopPipe[1]);
}

bool AdapterSimulator::crcFraming() const
{
    std::lock_guard lock(m_mutex);
    return m_crc;
}

void AdapterSimulator::setReply(const std::string& command, std::vector<std::string> lines)
{
    std::lock_guard lock(m_mutex);
    m_replies[command] = std::move(lines);
}

void AdapterSimulator::misbehave(Misbehaviour misbehaviour, int commands)
{
    std::lock_guard lock(m_mutex);
    m_misbehaviour = misbehaviour;
    m_misbehaveCount = commands;
}

void AdapterSimulator::sendLine(const std::string& line)
{
    writeAll(frame(line, crcFraming()));
}

void AdapterSimulator::stream(const std::string& line, std::chrono::milliseconds duration,
                              std::chrono::milliseconds interval)
{
    const std::string bytes = frame(line, crcFraming());
    const auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end) {
        writeAll(bytes);
        std::this_thread::sleep_for(interval);
    }
}

std::vector<std::string> AdapterSimulator::commands() const
{
    std::lock_guard lock(m_mutex);
    return m_commands;
}

std::string AdapterSimulator::receivedBytes() const
{
    std::lock_guard lock(m_mutex);
    return m_received;
}

std::uint16_t AdapterSimulator::checkValue(const std::string& bytes)
{
    std::uint16_t crc = 0;
    for (const char c : bytes)
        crc = static_cast<std::uint16_t>((crc >> 8) ^ kermitTable()[(crc ^ static_cast<std::uint8_t>(c)) & 0xFF]);
    return crc;
}

std::string AdapterSimulator::frame(const std::string& line, bool crcFraming)
{
    const std::string text = line + "\r\n";
    if (!crcFraming)
        return text;
    const std::uint16_t crc = checkValue(text);
    std::string framed;
    framed += kStx;
    framed += text;
    framed += kEtx;
    framed += static_cast<char>(crc & 0xFF);
    framed += static_cast<char>(crc >> 8);
    return framed;
}

void AdapterSimulator::writeAll(const std::string& bytes)
{
    std::lock_guard lock(m_writeMutex);
    std::size_t done = 0;
    while (done < bytes.size() && m_master >= 0) {
        const ssize_t n = ::write(m_master, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return;
        // Nobody reads: give up after a while rather than block the test.
        pollfd entries[2] = {{m_master, POLLOUT, 0}, {m_stopPipe[0], POLLIN, 0}};
        if (::poll(entries, 2, 2000) <= 0 || (entries[1].revents & POLLIN))
            return;
    }
}

void AdapterSimulator::closeMaster()
{
    std::lock_guard lock(m_writeMutex);
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

void AdapterSimulator::run()
{
    while (m_master >= 0) {
        pollfd entries[2] = {{m_master, POLLIN, 0}, {m_stopPipe[0], POLLIN, 0}};
        if (::poll(entries, 2, -1) < 0 && errno != EINTR)
            return;
        if (entries[1].revents & POLLIN)
            return;
        if (!(entries[0].revents & POLLIN)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        std::array<char, 256> buffer {};
        const ssize_t n = ::read(m_master, buffer.data(), buffer.size());
        for (ssize_t i = 0; i < n && m_master >= 0; ++i) {
            const char c = buffer[static_cast<std::size_t>(i)];
            {
                std::lock_guard lock(m_mutex);
                m_received += c;
            }
            if (c == '\r') {
                handle(m_pending);
                m_pending.clear();
            } else {
                m_pending += c;
            }
        }
    }
}

void AdapterSimulator::handle(const std::string& command)
{
    std::vector<std::string> reply = {"OK"};
    Misbehaviour misbehaviour = Misbehaviour::None;
    bool crc = false;
    {
        std::lock_guard lock(m_mutex);
        m_commands.push_back(command);
        if (m_misbehaveCount > 0) {
            misbehaviour = m_misbehaviour;
            --m_misbehaveCount;
        }
        const std::string word = command.substr(0, command.find(' '));
        if (auto it = m_replies.find(command); it != m_replies.end())
            reply = it->second;
        else if (auto byWord = m_replies.find(word); byWord != m_replies.end())
            reply = byWord->second;
        if (word == "CRCS" && misbehaviour != Misbehaviour::Silence)
            m_crc = command.size() > 5 && command.substr(5) != "0";
        crc = m_crc;
    }
    switch (misbehaviour) {
    case Misbehaviour::None:
        break;
    case Misbehaviour::Silence:
        return;
    case Misbehaviour::WrongCrc:
        if (!reply.empty()) {
            std::string bad = frame(reply.front(), crc);
            bad[bad.size() - 1] = static_cast<char>(bad[bad.size() - 1] ^ 0x5A);
            writeAll(bad);
            return;
        }
        break;
    case Misbehaviour::Garbage: {
        std::mt19937 random(7);
        std::string junk;
        for (int i = 0; i < 300; ++i)
            junk += static_cast<char>(random() % 256);
        writeAll(junk);
        return;
    }
    case Misbehaviour::CutMidLine:
        if (!reply.empty()) {
            const std::string whole = frame(reply.front(), crc);
            writeAll(whole.substr(0, whole.size() / 2));
            return;
        }
        break;
    case Misbehaviour::HangUp:
        closeMaster();
        return;
    }
    for (const std::string& line : reply)
        writeAll(frame(line, crc));
}

} // namespace tlx::test
