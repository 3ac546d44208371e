#include "backup/core/BackupHeader.h"

#include <QtEndian>

#include <cstring>

namespace kv::backup {

namespace {
constexpr char kTitle[] = "Sabion Backup Data"; // 18 letters and its zero byte
}

QByteArray BackupHeader::make(quint32 archiveSize)
{
    QByteArray header(kSize, '\0');
    std::memcpy(header.data(), kTitle, sizeof kTitle);
    qToLittleEndian(archiveSize, header.data() + kSizeOffset);
    return header;
}

std::optional<quint32> BackupHeader::read(const QByteArray& bytes)
{
    if (bytes.size() < kSize)
        return std::nullopt;
    // Everything but the size must be exactly what make writes.
    const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + kSizeOffset);
    if (bytes.left(kSize) != make(size))
        return std::nullopt;
    return size;
}

} // namespace kv::backup
