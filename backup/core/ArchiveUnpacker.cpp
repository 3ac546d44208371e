#include "backup/core/ArchiveUnpacker.h"

#include "backup/core/LevelTwoHeader.h"
#include "common/Cp932.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>

extern "C" {
#include <lhasa.h>
}

#include <memory>

namespace kv::backup {

namespace {

struct ReaderDeleter {
    void operator()(LHAReader* reader) const { lha_reader_free(reader); }
};
struct StreamDeleter {
    void operator()(LHAInputStream* stream) const { lha_input_stream_free(stream); }
};

// The archive file as the library reads it, counting what it took. A
// cancel fails the next read, which ends the file being extracted.
struct CountedFile {
    QFile file;
    qint64 consumed = 0;
    qint64 size = 0;
    const std::atomic<bool>* cancel = nullptr;
    const ArchiveUnpacker::Progress* progress = nullptr;
};

int readCounted(void* handle, void* buffer, size_t length)
{
    auto* counted = static_cast<CountedFile*>(handle);
    if (counted->cancel->load())
        return -1;
    const qint64 got = counted->file.read(static_cast<char*>(buffer), qint64(length));
    if (got > 0) {
        counted->consumed += got;
        if (*counted->progress)
            (*counted->progress)(counted->consumed, counted->size);
    }
    return int(got);
}

void closeCounted(void*) {}

const LHAInputStreamType kCountedType = {readCounted, nullptr, closeCounted};

quint32 le16At(const uint8_t* bytes)
{
    return quint32(bytes[0]) | quint32(bytes[1]) << 8;
}

// The names of an entry as its own header gives them: the folders as the
// separators of the path header divide them, the file name whole, in the
// code page the header names. The library's view of the name will not do:
// it cannot tell a separator from the second byte of a CP932 character.
struct EntryNames {
    QList<QByteArray> folders;
    QByteArray fileName;
    quint32 codePage = LevelTwoHeader::kCodePageCp932;
};

bool namesFromLevelTwo(const LHAFileHeader& header, EntryNames* names)
{
    constexpr size_t kFirstExtension = 24;
    const uint8_t* raw = header.raw_data;
    const size_t length = header.raw_data_len;
    size_t at = kFirstExtension;
    while (at + 2 <= length) {
        const size_t size = le16At(raw + at);
        if (size == 0)
            return true;
        // type, data, the size of the next one
        if (size < 3 || at + size + 2 > length)
            return false;
        const char* data = reinterpret_cast<const char*>(raw + at + 3);
        const qsizetype dataLength = qsizetype(size - 3);
        switch (raw[at + 2]) {
        case 0x01:
            names->fileName = QByteArray(data, dataLength);
            break;
        case 0x02:
            names->folders = QByteArray(data, dataLength).split(char(0xFF));
            names->folders.removeAll(QByteArray());
            break;
        case 0x46:
            if (dataLength == 4)
                names->codePage = le16At(raw + at + 3) | le16At(raw + at + 5) << 16;
            break;
        default:
            break;
        }
        at += size;
    }
    return false;
}

QString decodeComponent(const QByteArray& bytes, quint32 codePage)
{
    if (codePage == LevelTwoHeader::kCodePageUtf8) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8(bytes);
        return utf8.hasError() ? QString(QChar::ReplacementCharacter) : text;
    }
    return cp932::decode(bytes);
}

// The archive's path of an entry, '/' between folders; empty when it
// cannot be restored as it was or would leave the folder.
QString safeName(const LHAFileHeader& header)
{
    EntryNames names;
    if (header.header_level == 2) {
        if (!namesFromLevelTwo(header, &names))
            return QString();
    } else {
        // Other levels are not ours; the library's names serve.
        names.folders = QByteArray(header.path ? header.path : "").split('/');
        names.folders.removeAll(QByteArray());
        names.fileName = header.filename ? QByteArray(header.filename) : QByteArray();
    }
    QStringList parts;
    for (const QByteArray& folder : std::as_const(names.folders))
        parts.append(decodeComponent(folder, names.codePage));
    if (!names.fileName.isEmpty())
        parts.append(decodeComponent(names.fileName, names.codePage));
    if (parts.isEmpty())
        return QString();
    for (const QString& part : std::as_const(parts)) {
        if (part.isEmpty() || part == u"." || part == u".." || part.contains(u'/')
            || part.contains(QChar(0)) || part.contains(QChar::ReplacementCharacter))
            return QString();
    }
    return parts.join(u'/');
}

} // namespace

bool ArchiveUnpacker::unpack(const QString& archivePath, const QString& folder,
                             const std::atomic<bool>& cancel, const Progress& progress,
                             QString* error)
{
    const auto failed = [error, &cancel](const QString& why) {
        if (error)
            *error = cancel.load() ? QString() : why;
        return false;
    };
    CountedFile input;
    input.cancel = &cancel;
    input.progress = &progress;
    input.file.setFileName(archivePath);
    if (!input.file.open(QIODevice::ReadOnly))
        return failed(QStringLiteral("%1 を開けません").arg(archivePath));
    input.size = input.file.size();
    std::unique_ptr<LHAInputStream, StreamDeleter> stream(lha_input_stream_new(&kCountedType, &input));
    if (!stream)
        return failed(QStringLiteral("%1 を開けません").arg(archivePath));
    std::unique_ptr<LHAReader, ReaderDeleter> reader(lha_reader_new(stream.get()));
    if (!reader)
        return failed(QStringLiteral("%1 を読めません").arg(archivePath));
    lha_reader_set_dir_policy(reader.get(), LHA_READER_DIR_END_OF_FILE);

    const QDir target(folder);
    int files = 0;
    while (LHAFileHeader* header = lha_reader_next_file(reader.get())) {
        if (lha_reader_current_is_fake(reader.get()))
            continue;
        const QString name = safeName(*header);
        if (name.isEmpty())
            return failed(QStringLiteral("不正なファイル名があります"));
        const QString destination = target.filePath(name);
        if (qstrcmp(header->compress_method, "-lhd-") == 0) {
            if (!QDir().mkpath(destination))
                return failed(QStringLiteral("%1 を作れません").arg(destination));
            continue;
        }
        if (header->symlink_target)
            return failed(QStringLiteral("%1: リンクは復元しません").arg(name));
        if (!QDir().mkpath(QFileInfo(destination).absolutePath()))
            return failed(QStringLiteral("%1 を作れません").arg(destination));
        QByteArray out = QFile::encodeName(destination);
        // The library compares length and CRC-16 of what it decoded.
        if (!lha_reader_extract(reader.get(), out.data(), nullptr, nullptr))
            return failed(QStringLiteral("%1: CRC エラー").arg(name));
        ++files;
    }
    // The end of the list and a damaged header look alike to the reader;
    // a damaged archive stops short of its end.
    if (files == 0 || input.consumed != input.size)
        return failed(QStringLiteral("書庫の %1 バイト目から先が読めません").arg(input.consumed));
    return true;
}

} // namespace kv::backup
