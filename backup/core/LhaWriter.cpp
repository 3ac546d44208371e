#include "backup/core/LhaWriter.h"

#include "backup/core/Crc16.h"
#include "backup/core/LevelTwoHeader.h"
#include "backup/core/Lh5Compressor.h"

#include <QBuffer>
#include <QFileDevice>

#include <vector>

namespace kv::backup {

LhaWriter::LhaWriter(QIODevice& archive, int maxChainSteps)
    : m_archive(archive)
    , m_maxChainSteps(maxChainSteps)
    , m_end(archive.pos())
{
}

bool LhaWriter::fail(const QString& error)
{
    m_error = error;
    return false;
}

bool LhaWriter::addFile(const QString& nameInArchive, QIODevice& data, const QDateTime& modified)
{
    if (m_broken || m_finished)
        return fail(m_finished ? QStringLiteral("書庫はもう閉じています") : m_error);
    LevelTwoHeader header;
    header.modified = modified;
    QString error;
    if (!header.setName(nameInArchive, &error))
        return fail(error);
    const qint64 dataStart = data.pos();
    if (!data.isSequential())
        header.originalSize = data.size() - dataStart;
    // Refuse what cannot be recorded before writing anything.
    const QByteArray placeholder = header.encode(&error);
    if (placeholder.isEmpty())
        return fail(error);

    const auto archiveFailed = [&]() {
        m_broken = true;
        return fail(QStringLiteral("書庫の書き込みに失敗しました: %1").arg(m_archive.errorString()));
    };
    if (!m_archive.seek(m_end) || m_archive.write(placeholder) != placeholder.size())
        return archiveFailed();

    Lh5Compressor compressor(m_maxChainSteps);
    if (!compressor.compress(data, m_archive, LevelTwoHeader::kMaxSize)) {
        if (compressor.outputFailed())
            return archiveFailed();
        return fail(QStringLiteral("%1: %2").arg(nameInArchive, compressor.lastError()));
    }
    header.originalSize = compressor.inputSize();
    header.compressedSize = compressor.outputSize();
    header.dataCrc = compressor.inputCrc();
    if (header.compressedSize >= header.originalSize && !data.isSequential()) {
        header.method = "-lh0-";
        header.compressedSize = header.originalSize;
        if (!m_archive.seek(m_end + placeholder.size()))
            return archiveFailed();
        if (!storeAgain(data, dataStart, header.originalSize))
            return false;
    }

    const QByteArray finished = header.encode(&error);
    if (finished.isEmpty())
        return fail(QStringLiteral("%1: %2").arg(nameInArchive, error));
    if (!m_archive.seek(m_end) || m_archive.write(finished) != finished.size())
        return archiveFailed();
    m_end += finished.size() + header.compressedSize;
    if (header.codePage() == LevelTwoHeader::kCodePageUtf8)
        m_utf8Names.append(nameInArchive);
    return true;
}

bool LhaWriter::storeAgain(QIODevice& data, qint64 dataStart, qint64 size)
{
    if (!data.seek(dataStart))
        return fail(QStringLiteral("読み込みに失敗しました: %1").arg(data.errorString()));
    std::vector<char> chunk(1 << 16);
    for (qint64 left = size; left > 0;) {
        const qint64 got = data.read(chunk.data(), std::min<qint64>(left, qint64(chunk.size())));
        if (got <= 0)
            return fail(QStringLiteral("読み込みに失敗しました: %1").arg(data.errorString()));
        if (m_archive.write(chunk.data(), got) != got) {
            m_broken = true;
            return fail(QStringLiteral("書庫の書き込みに失敗しました: %1").arg(m_archive.errorString()));
        }
        left -= got;
    }
    return true;
}

bool LhaWriter::finish()
{
    if (m_broken || m_finished)
        return fail(m_finished ? QStringLiteral("書庫はもう閉じています") : m_error);
    m_finished = true;
    if (!m_archive.seek(m_end) || !m_archive.putChar(0)) {
        m_broken = true;
        return fail(QStringLiteral("書庫の書き込みに失敗しました: %1").arg(m_archive.errorString()));
    }
    ++m_end;
    return truncateArchive();
}

// An entry stored after it was compressed, or one refused halfway, can
// leave bytes beyond the archive's end.
bool LhaWriter::truncateArchive()
{
    if (m_archive.size() <= m_end)
        return true;
    if (auto* file = qobject_cast<QFileDevice*>(&m_archive)) {
        if (file->flush() && file->resize(m_end))
            return true;
        return fail(QStringLiteral("書庫の書き込みに失敗しました: %1").arg(file->errorString()));
    }
    if (auto* buffer = qobject_cast<QBuffer*>(&m_archive)) {
        buffer->buffer().truncate(m_end);
        return true;
    }
    return fail(QStringLiteral("書庫の末尾を切り詰められません"));
}

} // namespace kv::backup
