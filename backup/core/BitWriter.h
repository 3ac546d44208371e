#pragma once

#include <QtGlobal>

#include <vector>

class QIODevice;

namespace kv::backup {

// Writes codes most significant bit first, the order the compressed
// stream is read in, buffering the bytes before they go to the device.
class BitWriter {
public:
    explicit BitWriter(QIODevice& out);

    // Appends the low `count` bits of `bits` (count at most 32).
    void write(quint32 bits, int count)
    {
        m_acc = (m_acc << count) | (bits & ((quint64(1) << count) - 1));
        m_count += count;
        while (m_count >= 8) {
            m_count -= 8;
            m_buffer.push_back(char(m_acc >> m_count));
        }
        if (m_buffer.size() >= kFlushAt)
            drain();
    }
    // Pads the last byte with zero bits and hands everything to the device.
    bool finish();

    // Bytes produced so far, whether or not the device has them yet.
    qint64 bytesWritten() const { return m_written + qint64(m_buffer.size()); }
    bool failed() const { return m_failed; }

private:
    static constexpr size_t kFlushAt = 1 << 16;
    void drain();

    QIODevice& m_out;
    std::vector<char> m_buffer;
    quint64 m_acc = 0;
    int m_count = 0;
    qint64 m_written = 0;
    bool m_failed = false;
};

} // namespace kv::backup
