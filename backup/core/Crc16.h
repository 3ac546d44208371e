#pragma once

#include <QByteArrayView>
#include <QtGlobal>

namespace kv::backup {

// The CRC-16 that archive entries carry for their data and their headers:
// polynomial 0x8005 bit-reversed (0xA001), starting from zero.
class Crc16 {
public:
    void update(const char* data, qsizetype size);
    void update(QByteArrayView data) { update(data.data(), data.size()); }
    quint16 value() const { return m_value; }

    static quint16 of(QByteArrayView data);

private:
    quint16 m_value = 0;
};

} // namespace kv::backup
