#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tlx {

// Assembles one reply line from the bytes of the line, fed one at a time.
// Plain framing: line feeds before the first other byte are skipped, the
// next line feed ends the line, every other byte (carriage return too) is
// kept. CRC framing: start-of-text is skipped wherever it comes, end-of-text
// is followed by the CRC-16/KERMIT of the text, low byte first; a line feed
// inside the text ends the line as a NUL. Either way a line ends after
// kMaxBytes bytes, so a flood of skipped bytes cannot hold the reader.
class FrameReader {
public:
    enum class Result { NeedMore, Line, CrcMismatch };
    static constexpr std::size_t kMaxBytes = 255;
    static constexpr std::uint8_t kLineFeed = 10;
    static constexpr std::uint8_t kStartOfText = 2;
    static constexpr std::uint8_t kEndOfText = 3;

    explicit FrameReader(bool crcFraming = false);

    // Starts a new line; the framing stays.
    void reset();
    void setCrcFraming(bool crcFraming);
    bool crcFraming() const { return m_crcFraming; }

    Result feed(std::uint8_t byte);

    // The line so far, always NUL-terminated.
    const char* line() const { return m_line.data(); }

private:
    enum class Stage { Text, CheckLow, CheckHigh };

    Result feedPlain(std::uint8_t byte);
    Result feedFramed(std::uint8_t byte);
    void append(char c);

    bool m_crcFraming;
    Stage m_stage = Stage::Text;
    bool m_started = false;
    std::size_t m_consumed = 0;
    std::size_t m_lineLength = 0;
    std::size_t m_rawLength = 0;
    std::uint8_t m_checkLow = 0;
    std::array<char, kMaxBytes + 1> m_line {};
    std::array<std::uint8_t, kMaxBytes + 1> m_raw {};
};

} // namespace tlx
