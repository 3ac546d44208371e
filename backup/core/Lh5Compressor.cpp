#include "backup/core/Lh5Compressor.h"

#include "backup/core/BitWriter.h"
#include "backup/core/BlockEncoder.h"
#include "backup/core/Crc16.h"
#include "backup/core/MatchFinder.h"

#include <QIODevice>

#include <algorithm>
#include <vector>

namespace kv::backup {

namespace {
// A copy at least this long is taken at once, without looking one byte on
// for a longer one.
constexpr int kTakeAtOnce = 32;
constexpr qsizetype kReadSize = 1 << 15;
} // namespace

Lh5Compressor::Lh5Compressor(int maxChainSteps)
    : m_maxChainSteps(maxChainSteps)
{
}

bool Lh5Compressor::compress(QIODevice& in, QIODevice& out, qint64 maxInput)
{
    m_inputSize = m_outputSize = 0;
    m_crc = 0;
    m_error.clear();
    m_outputFailed = false;

    MatchFinder finder(m_maxChainSteps);
    BitWriter bits(out);
    BlockEncoder blocks(bits);
    Crc16 crc;
    std::vector<char> chunk(static_cast<size_t>(kReadSize));
    bool inputEnded = false;

    const auto refill = [&]() {
        while (!inputEnded && finder.lookahead() <= MatchFinder::kMaxMatch) {
            const qint64 got = in.read(chunk.data(), std::min(finder.room(), kReadSize));
            if (got < 0) {
                m_error = QStringLiteral("読み込みに失敗しました: %1").arg(in.errorString());
                return false;
            }
            if (got == 0) {
                inputEnded = true;
                break;
            }
            m_inputSize += got;
            if (m_inputSize > maxInput) {
                m_error = QStringLiteral("ファイルが大きすぎて書庫に入りません（%1 バイトまで）").arg(maxInput);
                return false;
            }
            crc.update(chunk.data(), got);
            finder.append(chunk.data(), got);
        }
        return true;
    };

    // One step of lazy matching: a copy found one byte before waits to see
    // whether the next position starts a longer one.
    MatchFinder::Match pending;
    while (true) {
        if (!refill())
            return false;
        if (finder.lookahead() == 0)
            break;
        const MatchFinder::Match match = finder.longestMatch();
        if (pending.length > 0) {
            if (match.length > pending.length) {
                blocks.literal(finder.current()[-1]);
                pending = match;
                finder.advance(1);
            } else {
                blocks.copy(pending.length, pending.distance);
                finder.advance(pending.length - 1);
                pending = {};
            }
        } else if (match.length >= kTakeAtOnce) {
            blocks.copy(match.length, match.distance);
            finder.advance(match.length);
        } else if (match.length > 0) {
            pending = match;
            finder.advance(1);
        } else {
            blocks.literal(finder.current()[0]);
            finder.advance(1);
        }
    }
    if (pending.length > 0)
        blocks.copy(pending.length, pending.distance);
    blocks.flush();

    m_crc = crc.value();
    const bool written = bits.finish();
    m_outputSize = bits.bytesWritten();
    if (!written) {
        m_outputFailed = true;
        m_error = QStringLiteral("書き込みに失敗しました: %1").arg(out.errorString());
        return false;
    }
    return true;
}

} // namespace kv::backup
