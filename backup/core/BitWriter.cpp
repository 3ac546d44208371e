#include "backup/core/BitWriter.h"

#include <QIODevice>

namespace kv::backup {

BitWriter::BitWriter(QIODevice& out)
    : m_out(out)
{
    m_buffer.reserve(kFlushAt + 16);
}

bool BitWriter::finish()
{
    if (m_count > 0) {
        m_buffer.push_back(char(m_acc << (8 - m_count)));
        m_count = 0;
    }
    drain();
    return !m_failed;
}

void BitWriter::drain()
{
    if (!m_failed && !m_buffer.empty()
        && m_out.write(m_buffer.data(), qint64(m_buffer.size())) != qint64(m_buffer.size()))
        m_failed = true;
    m_written += qint64(m_buffer.size());
    m_buffer.clear();
}

} // namespace kv::backup
