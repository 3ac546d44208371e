#include "backup/core/BlockEncoder.h"

#include "backup/core/BitWriter.h"

#include <bit>

namespace kv::backup {

namespace {

constexpr int kCountBitsLiterals = 9;  // entries in the literal/length table
constexpr int kCountBitsTable = 5;     // entries in the code-length table
constexpr int kCountBitsPositions = 4; // entries in the position table
// Code-length symbols: 0 one zero, 1 a run of 3..18 zeros, 2 a run of 20
// or more, 3.. a length of 1.. bits.
constexpr int kTableSymbols = BlockEncoder::kMaxCodeLength + 3;

// Walks the literal/length code lengths as code-length symbols, each with
// its extra bits: fn(symbol, extraBits, extraValue).
template<typename Fn>
void forEachLengthSymbol(const std::vector<quint8>& lengths, int count, Fn fn)
{
    int i = 0;
    while (i < count) {
        if (lengths[size_t(i)] != 0) {
            fn(lengths[size_t(i)] + 2, 0, 0);
            ++i;
            continue;
        }
        int zeros = 0;
        while (i < count && lengths[size_t(i)] == 0) {
            ++zeros;
            ++i;
        }
        if (zeros <= 2) {
            for (int k = 0; k < zeros; ++k)
                fn(0, 0, 0);
        } else if (zeros <= 18) {
            fn(1, 4, zeros - 3);
        } else if (zeros == 19) {
            fn(0, 0, 0);
            fn(1, 4, 15);
        } else {
            fn(2, kCountBitsLiterals, zeros - 20);
        }
    }
}

int usedCount(const std::vector<quint8>& lengths)
{
    int n = int(lengths.size());
    while (n > 0 && lengths[size_t(n - 1)] == 0)
        --n;
    return n;
}

} // namespace

BlockEncoder::BlockEncoder(BitWriter& out, int symbolsPerBlock)
    : m_out(out)
    , m_symbolsPerBlock(size_t(symbolsPerBlock))
    , m_literalFrequencies(kLiteralLengthSymbols, 0)
    , m_positionFrequencies(kPositionSymbols, 0)
{
    Q_ASSERT(symbolsPerBlock > 0 && symbolsPerBlock <= 0xFFFF);
    m_symbols.reserve(size_t(symbolsPerBlock) * 2 + 2);
}

void BlockEncoder::copy(int length, int distance)
{
    const int symbol = 256 + length - 3;
    const quint16 position = quint16(distance - 1);
    m_symbols.push_back(quint16(symbol));
    m_symbols.push_back(position);
    ++m_literalFrequencies[size_t(symbol)];
    ++m_positionFrequencies[size_t(std::bit_width(position))];
    ++m_copies;
    if (m_symbols.size() - m_copies >= m_symbolsPerBlock)
        flush();
}

void BlockEncoder::flush()
{
    const size_t symbolCount = m_symbols.size() - m_copies;
    if (symbolCount == 0)
        return;
    m_out.write(quint32(symbolCount), 16);

    const HuffmanCode literals(m_literalFrequencies, kMaxCodeLength);
    if (literals.singleSymbol() >= 0) {
        m_out.write(0, kCountBitsTable);
        m_out.write(0, kCountBitsTable);
        m_out.write(0, kCountBitsLiterals);
        m_out.write(quint32(literals.singleSymbol()), kCountBitsLiterals);
    } else {
        std::vector<quint32> tableFrequencies(kTableSymbols, 0);
        forEachLengthSymbol(literals.lengths(), usedCount(literals.lengths()),
                            [&](int symbol, int, int) { ++tableFrequencies[size_t(symbol)]; });
        const HuffmanCode table(tableFrequencies, kMaxCodeLength);
        if (table.singleSymbol() >= 0) {
            m_out.write(0, kCountBitsTable);
            m_out.write(quint32(table.singleSymbol()), kCountBitsTable);
        } else {
            writeLengthsCompactly(table.lengths(), kCountBitsTable, 3);
        }
        writeLiteralLengths(literals, table);
    }

    const HuffmanCode positions(m_positionFrequencies, kMaxCodeLength);
    if (positions.singleSymbol() >= 0) {
        m_out.write(0, kCountBitsPositions);
        m_out.write(quint32(positions.singleSymbol()), kCountBitsPositions);
    } else {
        writeLengthsCompactly(positions.lengths(), kCountBitsPositions, -1);
    }

    for (size_t i = 0; i < m_symbols.size(); ++i) {
        const int symbol = m_symbols[i];
        writeCode(literals, symbol);
        if (symbol >= 256) {
            const quint32 position = m_symbols[++i];
            const int bits = std::bit_width(position);
            writeCode(positions, bits);
            if (bits > 1)
                m_out.write(position, bits - 1); // the top bit is implied
        }
    }

    m_symbols.clear();
    m_copies = 0;
    std::fill(m_literalFrequencies.begin(), m_literalFrequencies.end(), 0);
    std::fill(m_positionFrequencies.begin(), m_positionFrequencies.end(), 0);
}

void BlockEncoder::writeLengthsCompactly(const std::vector<quint8>& lengths, int countBits, int zeroRunAfter)
{
    const int n = usedCount(lengths);
    m_out.write(quint32(n), countBits);
    int i = 0;
    while (i < n) {
        const int length = lengths[size_t(i++)];
        if (length <= 6)
            m_out.write(quint32(length), 3);
        else // 7 and more: 111, then one 1 per bit beyond 7, then a 0
            m_out.write((quint32(1) << (length - 3)) - 2, length - 3);
        if (i == zeroRunAfter) {
            int zeros = 0;
            while (i < n && i < zeroRunAfter + 3 && lengths[size_t(i)] == 0) {
                ++zeros;
                ++i;
            }
            m_out.write(quint32(zeros), 2);
        }
    }
}

void BlockEncoder::writeLiteralLengths(const HuffmanCode& literals, const HuffmanCode& table)
{
    const int n = usedCount(literals.lengths());
    m_out.write(quint32(n), kCountBitsLiterals);
    forEachLengthSymbol(literals.lengths(), n, [&](int symbol, int extraBits, int extra) {
        writeCode(table, symbol);
        if (extraBits > 0)
            m_out.write(quint32(extra), extraBits);
    });
}

void BlockEncoder::writeCode(const HuffmanCode& code, int symbol)
{
    const int length = code.length(symbol);
    if (length > 0)
        m_out.write(code.code(symbol), length);
}

} // namespace kv::backup
