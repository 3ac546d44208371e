#include "lan/core/MessageFramer.h"

#include "common/Cp932.h"
#include "lan/core/LanMessage.h"

namespace kv::lan {

static_assert(LanMessage::kMaxBytes == 1024, "the default of MessageFramer::frame");

std::optional<QByteArray> MessageFramer::frame(const QString& text, int maxBytes)
{
    QByteArray bytes = cp932::encode(text);
    if (bytes.size() > maxBytes)
        return std::nullopt;
    // A NUL inside would cut the message in two at the receiver.
    bytes.replace('\0', ' ');
    bytes.append('\0');
    return bytes;
}

bool MessageFramer::feed(const QByteArray& bytes, QStringList& messages)
{
    if (m_broken)
        return false;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf('\0', start);
        if (end < 0) {
            m_pending.append(bytes.constData() + start, bytes.size() - start);
            break;
        }
        m_pending.append(bytes.constData() + start, end - start);
        if (m_pending.size() > kMaxFrameBytes) {
            m_broken = true;
            m_pending.clear();
            return false;
        }
        // Empty frames carry nothing to act on.
        if (!m_pending.isEmpty())
            messages << cp932::decode(m_pending);
        m_pending.clear();
        start = end + 1;
    }
    if (m_pending.size() > kMaxFrameBytes) {
        m_broken = true;
        m_pending.clear();
        return false;
    }
    return true;
}

} // namespace kv::lan
