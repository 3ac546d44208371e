#include "data/settings/RecordWriter.h"

#include "common/Cp932.h"

#include <QtEndian>

#include <bit>

namespace kv::data {

RecordWriter::RecordWriter(qsizetype recordSize)
    : m_bytes(recordSize, '\0')
{
}

void RecordWriter::putInt32(qsizetype offset, qint32 value)
{
    qToLittleEndian<qint32>(value, m_bytes.data() + offset);
}

void RecordWriter::putDouble(qsizetype offset, double value)
{
    qToLittleEndian<quint64>(std::bit_cast<quint64>(value), m_bytes.data() + offset);
}

QString RecordWriter::checkText(const QString& text, qsizetype size, const QString& label)
{
    const qsizetype bad = cp932::firstUnrepresentable(text);
    if (bad >= 0) {
        const QString character = text.mid(bad, text.at(bad).isHighSurrogate() ? 2 : 1);
        return QStringLiteral("%1に使用できない文字「%2」が含まれています！").arg(label, character);
    }
    if (cp932::byteLength(text) > size)
        return QStringLiteral("%1は%2バイト（全角%3文字）以内で入力して下さい！")
            .arg(label)
            .arg(size)
            .arg(size / 2);
    return {};
}

bool RecordWriter::putText(qsizetype offset, qsizetype size, const QString& text,
                           const QString& label)
{
    const QString refusal = checkText(text, size, label);
    if (!refusal.isEmpty()) {
        if (m_error.isEmpty())
            m_error = refusal;
        return false;
    }
    putBytes(offset, cp932::encode(text));
    return true;
}

void RecordWriter::putBytes(qsizetype offset, const QByteArray& bytes)
{
    m_bytes.replace(offset, bytes.size(), bytes);
}

} // namespace kv::data
