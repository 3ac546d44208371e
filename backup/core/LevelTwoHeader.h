#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QtGlobal>

namespace kv::backup {

// The level-2 header in front of each archive entry: the fixed part, then
// extended headers for the header's own CRC, the file and folder names,
// the code page they are written in and the MS-DOS and Unix attributes.
// Names are CP932; a name that CP932 cannot give back exactly is written
// in UTF-8 under code page 65001, so that it comes back as it was.
class LevelTwoHeader {
public:
    // The sizes and the time travel in 32-bit fields.
    static constexpr qint64 kMaxSize = 0xFFFFFFFFLL;

    QByteArray method = "-lh5-";
    qint64 compressedSize = 0;
    qint64 originalSize = 0;
    QDateTime modified;
    quint16 dataCrc = 0;

    static constexpr quint32 kCodePageCp932 = 932;
    static constexpr quint32 kCodePageUtf8 = 65001;

    // Sets the entry's name, '/' between folders (any other character,
    // a backslash too, belongs to the name); false (with the reason) for an
    // empty, absolute or climbing path.
    bool setName(const QString& nameInArchive, QString* error);
    // The code page the name is written in.
    quint32 codePage() const { return m_codePage; }
    // The header's bytes with its CRC; empty (with the reason) when a value
    // does not fit its field.
    QByteArray encode(QString* error) const;

private:
    QByteArray m_fileName;
    QByteArray m_folderName; // components each followed by 0xFF
    quint32 m_codePage = kCodePageCp932;
};

} // namespace kv::backup
