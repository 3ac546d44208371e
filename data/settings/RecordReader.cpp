#include "data/settings/RecordReader.h"

#include "common/Cp932.h"

#include <QtEndian>

#include <bit>
#include <cstring>

namespace kv::data {

RecordReader::RecordReader(const QByteArray& bytes, qsizetype recordSize)
    : m_bytes(bytes.left(recordSize))
{
    if (m_bytes.size() < recordSize)
        m_bytes.append(QByteArray(recordSize - m_bytes.size(), '\0'));
}

qint32 RecordReader::int32At(qsizetype offset) const
{
    return qFromLittleEndian<qint32>(m_bytes.constData() + offset);
}

double RecordReader::doubleAt(qsizetype offset) const
{
    return std::bit_cast<double>(qFromLittleEndian<quint64>(m_bytes.constData() + offset));
}

QString RecordReader::textAt(qsizetype offset, qsizetype size) const
{
    return cp932::decodeField(m_bytes.constData() + offset, size);
}

} // namespace kv::data
