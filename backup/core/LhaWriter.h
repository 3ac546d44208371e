#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QtGlobal>

class QIODevice;

namespace kv::backup {

// Writes an LHA archive: each file compressed with -lh5- behind a level-2
// header, or stored with -lh0- when compressing would not make it smaller.
// The archive device must be seekable (a header is completed once its data
// is written); files stream through without being held in memory.
class LhaWriter {
public:
    explicit LhaWriter(QIODevice& archive, int maxChainSteps = 48);

    // Adds the rest of `data` under nameInArchive ('/' between folders).
    // On failure the archive is left as it was before the call, unless the
    // archive device itself failed; lastError() tells why.
    bool addFile(const QString& nameInArchive, QIODevice& data, const QDateTime& modified);
    // Ends the archive. Nothing may be added afterwards.
    bool finish();

    QString lastError() const { return m_error; }
    // The names added so far that CP932 cannot hold, written in UTF-8.
    const QStringList& utf8Names() const { return m_utf8Names; }

private:
    bool fail(const QString& error);
    bool storeAgain(QIODevice& data, qint64 dataStart, qint64 size);
    bool truncateArchive();

    QIODevice& m_archive;
    int m_maxChainSteps;
    qint64 m_end = 0; // where the next entry starts
    bool m_broken = false;
    bool m_finished = false;
    QString m_error;
    QStringList m_utf8Names;
};

} // namespace kv::backup
