#pragma once

#include <QtGlobal>

#include <vector>

namespace kv::backup {

// A canonical prefix code built from symbol frequencies, its lengths kept
// within a limit: shorter codes first, within one length in symbol order,
// which is how the reader rebuilds the codes from the lengths alone.
class HuffmanCode {
public:
    HuffmanCode() = default;
    HuffmanCode(const std::vector<quint32>& frequencies, int maxLength);

    // Code lengths, zero for unused symbols. With fewer than two used
    // symbols every length is zero and singleSymbol() names the one.
    const std::vector<quint8>& lengths() const { return m_lengths; }
    quint16 code(int symbol) const { return m_codes[size_t(symbol)]; }
    int length(int symbol) const { return m_lengths[size_t(symbol)]; }
    // The only used symbol (0 when none is used), or -1 when there are more.
    int singleSymbol() const { return m_single; }

    // Optimal lengths, then capped at maxLength keeping the code complete.
    static std::vector<quint8> limitedLengths(const std::vector<quint32>& frequencies, int maxLength);

private:
    std::vector<quint8> m_lengths;
    std::vector<quint16> m_codes;
    int m_single = 0;
};

} // namespace kv::backup
