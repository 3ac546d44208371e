#include "adapter/FrameReader.h"

#include "adapter/Crc16Kermit.h"

namespace tlx {

FrameReader::FrameReader(bool crcFraming)
    : m_crcFraming(crcFraming)
{
}

void FrameReader::reset()
{
    m_stage = Stage::Text;
    m_started = false;
    m_consumed = 0;
    m_lineLength = 0;
    m_rawLength = 0;
    m_checkLow = 0;
    m_line.fill(0);
}

void FrameReader::setCrcFraming(bool crcFraming)
{
    m_crcFraming = crcFraming;
    reset();
}

FrameReader::Result FrameReader::feed(std::uint8_t byte)
{
    return m_crcFraming ? feedFramed(byte) : feedPlain(byte);
}

void FrameReader::append(char c)
{
    if (m_lineLength < kMaxBytes)
        m_line[m_lineLength++] = c;
}

FrameReader::Result FrameReader::feedPlain(std::uint8_t byte)
{
    ++m_consumed;
    if (byte == kLineFeed) {
        if (m_started)
            return Result::Line;
    } else {
        m_started = true;
        append(static_cast<char>(byte));
    }
    return m_consumed >= kMaxBytes ? Result::Line : Result::NeedMore;
}

FrameReader::Result FrameReader::feedFramed(std::uint8_t byte)
{
    switch (m_stage) {
    case Stage::Text:
        ++m_consumed;
        if (byte == kEndOfText) {
            m_stage = Stage::CheckLow;
            return Result::NeedMore;
        }
        if (byte != kStartOfText) {
            if (m_rawLength < kMaxBytes)
                m_raw[m_rawLength++] = byte;
            append(byte == kLineFeed ? '\0' : static_cast<char>(byte));
        }
        // A frame that never ends is handed over unchecked.
        return m_consumed >= kMaxBytes ? Result::Line : Result::NeedMore;
    case Stage::CheckLow:
        m_checkLow = byte;
        m_stage = Stage::CheckHigh;
        return Result::NeedMore;
    case Stage::CheckHigh: {
        const auto received = static_cast<std::uint16_t>(m_checkLow | (byte << 8));
        return received == crc16Kermit(m_raw.data(), m_rawLength) ? Result::Line : Result::CrcMismatch;
    }
    }
    return Result::NeedMore;
}

} // namespace tlx
