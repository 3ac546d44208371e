#pragma once

#include "backup/core/HuffmanCode.h"

#include <QtGlobal>

#include <vector>

namespace kv::backup {

class BitWriter;

// Gathers literals and copies into blocks and writes each block the way
// the -lh5- reader expects: the symbol count, the code-length code, the
// literal/length code, the position code, then the coded symbols.
class BlockEncoder {
public:
    static constexpr int kLiteralLengthSymbols = 256 + 256 - 3 + 1; // bytes, then lengths 3..256
    static constexpr int kPositionSymbols = 14;                     // bit counts 0..13 of distance-1
    static constexpr int kMaxCodeLength = 16;

    explicit BlockEncoder(BitWriter& out, int symbolsPerBlock = 32768);

    void literal(quint8 byte)
    {
        m_symbols.push_back(byte);
        ++m_literalFrequencies[byte];
        if (m_symbols.size() - m_copies >= m_symbolsPerBlock)
            flush();
    }
    void copy(int length, int distance);
    // Writes out what is gathered as one block (nothing when empty).
    void flush();

private:
    void writeLengthsCompactly(const std::vector<quint8>& lengths, int countBits, int zeroRunAfter);
    void writeLiteralLengths(const HuffmanCode& literals, const HuffmanCode& lengthCode);
    void writeCode(const HuffmanCode& code, int symbol);

    BitWriter& m_out;
    size_t m_symbolsPerBlock;
    // Literal/length symbol, and for a length the position value after it.
    std::vector<quint16> m_symbols;
    std::vector<quint32> m_literalFrequencies;
    std::vector<quint32> m_positionFrequencies;
    size_t m_copies = 0;
};

} // namespace kv::backup
