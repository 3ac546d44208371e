#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace kv::lan {

// Messages on the wire: the CP932 bytes of the text and a NUL after it
// (CP932 has no NUL inside a character, and no message text holds one).
// So a receiver takes two messages that arrive in one read as two, and a
// message split over two reads as one, each whole and once.
class MessageFramer {
public:
    // Longest frame a receiver takes. Above LanMessage::kMaxBytes, since
    // the server's relay puts the receiver's address and its own name into
    // a message that was at the limit.
    static constexpr int kMaxFrameBytes = 2048;

    // The frame of a message; nullopt when the text has more than maxBytes
    // CP932 bytes (the server's relays may use kMaxFrameBytes).
    static std::optional<QByteArray> frame(const QString& text, int maxBytes = 1024);

    // Takes received bytes and appends every message they complete. False
    // once the peer sent a frame longer than kMaxFrameBytes: what it sends
    // can no longer be told apart and the connection is to be dropped.
    bool feed(const QByteArray& bytes, QStringList& messages);
    bool isBroken() const { return m_broken; }
    // Bytes of a message begun but not ended.
    qsizetype pendingBytes() const { return m_pending.size(); }

private:
    QByteArray m_pending;
    bool m_broken = false;
};

} // namespace kv::lan
