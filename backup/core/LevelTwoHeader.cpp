#include "backup/core/LevelTwoHeader.h"

#include "backup/core/Crc16.h"
#include "common/Cp932.h"

#include <QStringList>
#include <QtEndian>

#include <algorithm>

namespace kv::backup {

namespace {

constexpr int kFixedSize = 26;
constexpr int kCrcOffset = 27; // inside the first extended header
constexpr char kOsMsDos = 'M';
constexpr quint16 kDosArchiveBit = 0x20;
constexpr quint16 kUnixRegularFile = 0100644;

void putLe16(QByteArray& bytes, quint16 value)
{
    bytes.append(char(value & 0xFF));
    bytes.append(char(value >> 8));
}

void putLe32(QByteArray& bytes, quint32 value)
{
    putLe16(bytes, quint16(value & 0xFFFF));
    putLe16(bytes, quint16(value >> 16));
}

// One extended header: its type, its data, then the size of the next one
// (patched when the next one is added).
void putExtension(QByteArray& bytes, char type, const QByteArray& data)
{
    const int size = 1 + int(data.size()) + 2;
    qToLittleEndian<quint16>(quint16(size), bytes.data() + bytes.size() - 2);
    bytes.append(type);
    bytes.append(data);
    putLe16(bytes, 0);
}

QByteArray le16(quint16 value)
{
    QByteArray bytes;
    putLe16(bytes, value);
    return bytes;
}

QByteArray le32(quint32 value)
{
    QByteArray bytes;
    putLe32(bytes, value);
    return bytes;
}

// CP932 bytes that read back as exactly this component, or none: some
// characters have no code, others one that reads back as another
// character, and 0xFF would read as a folder separator.
bool exactCp932(const QString& component, QByteArray* bytes)
{
    bool ok = false;
    *bytes = cp932::encode(component, &ok);
    return ok && !bytes->contains(char(0xFF)) && cp932::decode(*bytes) == component;
}

} // namespace

bool LevelTwoHeader::setName(const QString& nameInArchive, QString* error)
{
    const QString& path = nameInArchive;
    const QStringList parts = path.split(QLatin1Char('/'));
    const bool bad = path.isEmpty() || path.startsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('/'))
        || path.contains(QLatin1Char(':')) || path.contains(QChar(0))
        || std::any_of(parts.begin(), parts.end(), [](const QString& part) {
               return part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..");
           });
    if (bad) {
        *error = QStringLiteral("書庫に入れる名前が正しくありません: %1").arg(nameInArchive);
        return false;
    }
    QList<QByteArray> encoded;
    bool cp932 = true;
    for (const QString& part : parts) {
        QByteArray bytes;
        cp932 = cp932 && exactCp932(part, &bytes);
        encoded.append(bytes);
    }
    m_codePage = cp932 ? kCodePageCp932 : kCodePageUtf8;
    if (!cp932) {
        for (qsizetype i = 0; i < parts.size(); ++i)
            encoded[i] = parts[i].toUtf8();
    }
    m_fileName = encoded.last();
    m_folderName.clear();
    for (qsizetype i = 0; i + 1 < encoded.size(); ++i)
        m_folderName += encoded[i] + char(0xFF);
    return true;
}

QByteArray LevelTwoHeader::encode(QString* error) const
{
    const qint64 seconds = modified.isValid() ? modified.toSecsSinceEpoch() : -1;
    if (compressedSize > kMaxSize || originalSize > kMaxSize) {
        *error = QStringLiteral("ファイルが大きすぎて書庫に入りません（%1 バイトまで）").arg(kMaxSize);
        return {};
    }
    if (seconds < 0 || seconds > kMaxSize) {
        *error = QStringLiteral("更新日時を書庫に記録できません: %1").arg(modified.toString(Qt::ISODate));
        return {};
    }

    QByteArray bytes;
    putLe16(bytes, 0); // total size, set below
    bytes.append(method);
    putLe32(bytes, quint32(compressedSize));
    putLe32(bytes, quint32(originalSize));
    putLe32(bytes, quint32(seconds));
    bytes.append(char(0x20));
    bytes.append(char(2)); // header level
    putLe16(bytes, dataCrc);
    bytes.append(kOsMsDos);
    putLe16(bytes, 0);
    Q_ASSERT(bytes.size() == kFixedSize);

    putExtension(bytes, 0x00, le16(0)); // the header CRC, set below
    putExtension(bytes, 0x01, m_fileName);
    if (!m_folderName.isEmpty())
        putExtension(bytes, 0x02, m_folderName);
    // Readers that know the code page need no option to read the names.
    putExtension(bytes, 0x46, le32(m_codePage));
    putExtension(bytes, 0x40, le16(kDosArchiveBit));
    putExtension(bytes, 0x50, le16(kUnixRegularFile));
    // A first byte of zero marks the end of the archive, so a header whose
    // size ends in a zero byte gets one byte of padding.
    if ((bytes.size() & 0xFF) == 0)
        bytes.append(char(0));
    if (bytes.size() > 0xFFFF) {
        *error = QStringLiteral("書庫に入れる名前が長すぎます");
        return {};
    }
    qToLittleEndian<quint16>(quint16(bytes.size()), bytes.data());
    qToLittleEndian<quint16>(Crc16::of(bytes), bytes.data() + kCrcOffset);
    return bytes;
}

} // namespace kv::backup
