#pragma once

#include <QtGlobal>

#include <vector>

namespace kv::backup {

// Finds the longest earlier copy of the bytes at the current position
// within the dictionary, through hash chains of three-byte prefixes. The
// window slides over a fixed buffer, so input of any length streams through.
class MatchFinder {
public:
    static constexpr int kMinMatch = 3;
    static constexpr int kMaxMatch = 256;
    // Copies reach back at most this far: the reader's dictionary is 8 KiB.
    static constexpr int kMaxDistance = 8191;

    struct Match {
        int length = 0;
        int distance = 0;
    };

    explicit MatchFinder(int maxChainSteps = 48);

    // How many bytes append() takes now without losing the dictionary.
    qsizetype room();
    void append(const char* data, qsizetype size);
    // Bytes appended but not yet passed over.
    int lookahead() const { return int(m_end - m_position); }
    const quint8* current() const { return m_buffer.data() + (m_position - m_base); }

    // The longest match at the current position (length 0 when none of at
    // least kMinMatch), never longer than lookahead() allows. Stops early
    // at a match of `enough` bytes.
    Match longestMatch(int enough = kMaxMatch) const;
    // Passes over `count` bytes, entering each position into the chains.
    void advance(int count);

private:
    static constexpr int kHashBits = 15;
    static constexpr qsizetype kBufferSize = 1 << 16;
    static constexpr int kChainMask = 8191;

    quint32 hashAt(qint64 position) const;

    std::vector<quint8> m_buffer;
    std::vector<qint64> m_head;
    std::vector<qint64> m_previous;
    qint64 m_base = 0;     // stream position of m_buffer[0]
    qint64 m_position = 0; // next stream position to encode
    qint64 m_end = 0;      // stream position after the last byte appended
    int m_maxChainSteps;
};

} // namespace kv::backup
