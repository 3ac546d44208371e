#include "backup/core/MatchFinder.h"

#include <algorithm>
#include <cstring>

namespace kv::backup {

MatchFinder::MatchFinder(int maxChainSteps)
    : m_buffer(size_t(kBufferSize))
    , m_head(size_t(1) << kHashBits, -1)
    , m_previous(size_t(kChainMask) + 1, -1)
    , m_maxChainSteps(maxChainSteps)
{
}

qsizetype MatchFinder::room()
{
    const qint64 keepFrom = std::max(m_base, m_position - kMaxDistance);
    if (keepFrom > m_base) {
        // Slide: drop what lies beyond the dictionary's reach.
        const qsizetype kept = qsizetype(m_end - keepFrom);
        std::memmove(m_buffer.data(), m_buffer.data() + (keepFrom - m_base), size_t(kept));
        m_base = keepFrom;
    }
    return kBufferSize - qsizetype(m_end - m_base);
}

void MatchFinder::append(const char* data, qsizetype size)
{
    Q_ASSERT(size <= room());
    std::memcpy(m_buffer.data() + (m_end - m_base), data, size_t(size));
    m_end += size;
}

quint32 MatchFinder::hashAt(qint64 position) const
{
    const quint8* p = m_buffer.data() + (position - m_base);
    const quint32 key = quint32(p[0]) << 16 | quint32(p[1]) << 8 | p[2];
    return (key * 2654435761u) >> (32 - kHashBits);
}

MatchFinder::Match MatchFinder::longestMatch(int enough) const
{
    Match best;
    const int limit = std::min(lookahead(), kMaxMatch);
    if (limit < kMinMatch)
        return best;
    const quint8* here = current();
    const qint64 oldest = m_position - kMaxDistance;
    qint64 candidate = m_head[hashAt(m_position)];
    for (int steps = 0; steps < m_maxChainSteps && candidate >= oldest && candidate >= 0; ++steps) {
        const quint8* there = m_buffer.data() + (candidate - m_base);
        // Only a candidate that beats the best so far is worth comparing.
        if (there[best.length] == here[best.length] && there[0] == here[0]) {
            int length = 0;
            while (length < limit && there[length] == here[length])
                ++length;
            if (length > best.length) {
                best.length = length;
                best.distance = int(m_position - candidate);
                if (length >= std::min(limit, enough))
                    break;
            }
        }
        const qint64 older = m_previous[size_t(candidate & kChainMask)];
        if (older >= candidate)
            break; // the slot was reused by a newer position
        candidate = older;
    }
    if (best.length < kMinMatch)
        best = Match{};
    return best;
}

void MatchFinder::advance(int count)
{
    for (int i = 0; i < count; ++i, ++m_position) {
        if (m_end - m_position < kMinMatch)
            continue;
        const quint32 hash = hashAt(m_position);
        m_previous[size_t(m_position & kChainMask)] = m_head[hash];
        m_head[hash] = m_position;
    }
}

} // namespace kv::backup
