#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

namespace kv::backup {

// The 256 bytes in front of the archive in every backup file (each disk of
// a set carries the same): the title with its zero byte, then the size of
// the whole archive as an unsigned 32-bit little-endian number at 24.
class BackupHeader {
public:
    static constexpr int kSize = 256;
    static constexpr int kSizeOffset = 24;
    // The largest archive the size field can name.
    static constexpr qint64 kMaxArchiveSize = 0xFFFFFFFFll;

    static QByteArray make(quint32 archiveSize);
    // The archive size, or nothing when the bytes are not such a header.
    static std::optional<quint32> read(const QByteArray& bytes);
};

} // namespace kv::backup
