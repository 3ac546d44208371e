#include "backup/core/Crc16.h"

#include <array>

namespace kv::backup {

namespace {

constexpr std::array<quint16, 256> makeTable()
{
    std::array<quint16, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned value = i;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) ? (value >> 1) ^ 0xA001u : value >> 1;
        table[i] = quint16(value);
    }
    return table;
}

constexpr auto kTable = makeTable();

} // namespace

void Crc16::update(const char* data, qsizetype size)
{
    unsigned value = m_value;
    for (qsizetype i = 0; i < size; ++i)
        value = kTable[(value ^ static_cast<unsigned char>(data[i])) & 0xFF] ^ (value >> 8);
    m_value = quint16(value);
}

quint16 Crc16::of(QByteArrayView data)
{
    Crc16 crc;
    crc.update(data);
    return crc.value();
}

} // namespace kv::backup
