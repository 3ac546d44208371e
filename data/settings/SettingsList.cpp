#include "data/settings/SettingsList.h"

#include "data/settings/RecordReader.h"
#include "data/settings/RecordWriter.h"

namespace kv::data {

SettingsList::SettingsList(const ListLayout& layout)
    : m_layout(&layout)
{
    for (int i = 0; i < layout.entries; ++i)
        m_entries.append(QString());
}

QString SettingsList::entry(int index) const
{
    return index >= 0 && index < m_entries.size() ? m_entries.at(index) : QString();
}

bool SettingsList::setEntry(int index, const QString& text)
{
    if (index < 0 || index >= m_entries.size())
        return false;
    m_entries[index] = text;
    return true;
}

void SettingsList::readBytes(const QByteArray& bytes)
{
    for (int i = 0; i < m_layout->entries; ++i) {
        const QByteArray record = bytes.mid(qsizetype(i) * m_layout->recordSize,
                                            m_layout->recordSize);
        m_entries[i] = RecordReader(record, m_layout->recordSize).textAt(0, m_layout->textBytes);
    }
}

QByteArray SettingsList::toBytes(QString* refusal) const
{
    QByteArray out;
    out.reserve(m_layout->fileSize());
    for (int i = 0; i < m_layout->entries; ++i) {
        RecordWriter record(m_layout->recordSize);
        const QString label = QStringLiteral("%1 %2番").arg(m_layout->captionText()).arg(i);
        if (!record.putText(0, m_layout->textBytes, m_entries.at(i), label)) {
            if (refusal)
                *refusal = record.error();
            return {};
        }
        out.append(record.bytes());
    }
    return out;
}

bool SettingsList::operator==(const SettingsList& other) const
{
    return m_layout == other.m_layout && m_entries == other.m_entries;
}

} // namespace kv::data
