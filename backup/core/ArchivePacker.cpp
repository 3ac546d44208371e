#include "backup/core/ArchivePacker.h"

#include "backup/core/LhaWriter.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace kv::backup {

namespace {

// A file as the writer reads it, counting what has been read and failing
// its reads once the backup is cancelled.
class WatchedFile final : public QIODevice {
public:
    WatchedFile(const QString& path, const std::atomic<bool>& cancel,
                const std::function<void(qint64)>& consumed)
        : m_file(path)
        , m_cancel(cancel)
        , m_consumed(consumed)
    {
    }

    bool open(OpenMode mode) override
    {
        if (!m_file.open(mode))
            return false;
        return QIODevice::open(mode | QIODevice::Unbuffered);
    }
    void close() override
    {
        m_file.close();
        QIODevice::close();
    }
    qint64 size() const override { return m_file.size(); }
    bool seek(qint64 position) override
    {
        return QIODevice::seek(position) && m_file.seek(position);
    }
    QString fileError() const { return m_file.errorString(); }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (m_cancel.load()) {
            setErrorString(QStringLiteral("cancelled"));
            return -1;
        }
        const qint64 got = m_file.read(data, maxSize);
        if (got > 0)
            m_consumed(got);
        return got;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QFile m_file;
    const std::atomic<bool>& m_cancel;
    const std::function<void(qint64)>& m_consumed;
};

} // namespace

bool ArchivePacker::pack(const QString& folder, const QString& archivePath,
                         const std::atomic<bool>& cancel, const Progress& progress, QString* error,
                         QStringList* utf8Names)
{
    const QDir root(folder);
    QStringList files;
    qint64 total = 0;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        files.append(root.relativeFilePath(entry.filePath()));
        total += entry.size();
    }
    // Sorted, so that the same data always gives the same archive.
    files.sort();

    QFile archive(archivePath);
    const auto failed = [&](const QString& why) {
        archive.close();
        archive.remove();
        if (error)
            *error = cancel.load() ? QString() : why;
        return false;
    };
    if (!archive.open(QIODevice::ReadWrite | QIODevice::Truncate))
        return failed(archive.errorString());

    LhaWriter writer(archive);
    qint64 done = 0;
    const std::function<void(qint64)> consumed = [&](qint64 bytes) {
        done += bytes;
        if (progress)
            progress(done, total);
    };
    for (const QString& name : std::as_const(files)) {
        if (cancel.load())
            return failed(QString());
        WatchedFile data(root.filePath(name), cancel, consumed);
        if (!data.open(QIODevice::ReadOnly))
            return failed(QStringLiteral("%1: %2").arg(name, data.fileError()));
        const qint64 before = done;
        const QDateTime modified = QFileInfo(root.filePath(name)).lastModified();
        if (!writer.addFile(name, data, modified))
            return failed(writer.lastError());
        // A file stored after all is read twice; count it once.
        done = before + data.size();
    }
    if (!writer.finish() || !archive.flush())
        return failed(writer.lastError().isEmpty() ? archive.errorString() : writer.lastError());
    archive.close();
    if (utf8Names)
        *utf8Names = writer.utf8Names();
    return true;
}

} // namespace kv::backup
