#include "backup/core/ArchiveUnpacker.h"

#include "common/Cp932.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

// The archive's path of an entry, '/' between folders; empty when unsafe.
QString safeName(const LHAFileHeader& header)
{
    QByteArray raw;
    if (header.path)
        raw += header.path;
    if (header.filename)
        raw += header.filename;
    raw.replace('\\', '/');
    while (raw.endsWith('/'))
        raw.chop(1);
    const QString name = cp932::decode(raw);
    if (name.isEmpty() || name.startsWith(u'/'))
        return QString();
    for (const QString& part : name.split(u'/')) {
        if (part.isEmpty() || part == u"." || part == u"..")
            return QString();
    }
    return name;
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
