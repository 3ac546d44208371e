#pragma once

#include <QByteArray>

#include <cstring>

namespace kv::test {

// Expected file contents built by hand, byte by byte, so that tests do not
// lean on the writers they check.
class ExpectedBytes {
public:
    explicit ExpectedBytes(int size)
        : m_bytes(size, '\0')
    {
    }

    ExpectedBytes& i32(int offset, qint32 value)
    {
        const auto u = static_cast<quint32>(value);
        for (int k = 0; k < 4; ++k)
            m_bytes[offset + k] = char((u >> (8 * k)) & 0xFF);
        return *this;
    }
    // Hex digits, blanks allowed: "e7 e5 8b e0".
    ExpectedBytes& hex(int offset, const char* digits)
    {
        const QByteArray raw = QByteArray::fromHex(QByteArray(digits).replace(' ', ""));
        std::memcpy(m_bytes.data() + offset, raw.constData(), size_t(raw.size()));
        return *this;
    }
    ExpectedBytes& fill(int offset, int count, char value)
    {
        std::memset(m_bytes.data() + offset, value, size_t(count));
        return *this;
    }
    const QByteArray& bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

} // namespace kv::test
