#include "backup/core/DataSnapshot.h"

#include "backup/core/BackupTexts.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <algorithm>

namespace kv::backup {

bool DataSnapshot::isDatabase(const QString& fileName)
{
    return fileName.endsWith(QStringLiteral(".mdb"), Qt::CaseInsensitive);
}

bool DataSnapshot::isPacked(const QString& relativePath, bool isFolder)
{
    if (relativePath.isEmpty())
        return false;
    const QString first = relativePath.section(u'/', 0, 0);
    if (first.compare(QStringLiteral("Temp"), Qt::CaseInsensitive) == 0)
        return false;
    if (isFolder)
        return true;
    const QString name = relativePath.section(u'/', -1);
    for (const char* excluded : {".SBK", ".LZH", "-journal", "-wal", "-shm"}) {
        if (name.endsWith(QLatin1String(excluded), Qt::CaseInsensitive))
            return false;
    }
    return name != u".sabion-probe";
}

int DataSnapshot::copyDatabase(const QString& source, const QString& destination)
{
    sqlite3* from = nullptr;
    sqlite3* to = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(source).constData(), &from, SQLITE_OPEN_READONLY,
                             nullptr);
    if (rc == SQLITE_OK) {
        // A writer on another computer finishes its unit of work first.
        sqlite3_busy_timeout(from, 60000);
        rc = sqlite3_open_v2(QFile::encodeName(destination).constData(), &to,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    }
    if (rc == SQLITE_OK) {
        sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
        if (!backup) {
            rc = sqlite3_errcode(to);
        } else {
            // All pages in one step: the copy is one committed state.
            do {
                rc = sqlite3_backup_step(backup, -1);
                if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
                    sqlite3_sleep(50);
            } while (rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
            const int finished = sqlite3_backup_finish(backup);
            rc = rc == SQLITE_DONE ? finished : rc;
        }
    }
    sqlite3_close(to);
    sqlite3_close(from);
    return rc;
}

bool DataSnapshot::take(const QString& dataFolder, const QString& target,
                        const std::atomic<bool>& cancel, QString* error)
{
    const auto failed = [error](const QString& path, const QString& why) {
        if (error)
            *error = BackupTexts::SnapshotFailed.arg(path, why);
        return false;
    };
    QDir targetDir(target);
    if ((targetDir.exists() && !targetDir.removeRecursively()) || !QDir().mkpath(target))
        return failed(target, QString());

    const QDir source(dataFolder);
    QDirIterator it(dataFolder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    QStringList skippedFolders;
    while (it.hasNext()) {
        if (cancel.load()) {
            if (error)
                error->clear();
            return false;
        }
        const QFileInfo entry(it.next());
        const QString relative = source.relativeFilePath(entry.filePath());
        const bool inSkipped = std::any_of(skippedFolders.cbegin(), skippedFolders.cend(),
                                           [&](const QString& folder) {
                                               return relative.startsWith(folder + u'/');
                                           });
        if (inSkipped || entry.isSymLink())
            continue;
        if (!isPacked(relative, entry.isDir())) {
            if (entry.isDir())
                skippedFolders.append(relative);
            continue;
        }
        const QString copy = targetDir.filePath(relative);
        if (entry.isDir()) {
            if (!QDir().mkpath(copy))
                return failed(copy, QString());
            continue;
        }
        if (!entry.isFile())
            continue;
        QDir().mkpath(QFileInfo(copy).absolutePath());
        if (isDatabase(entry.fileName())) {
            const int rc = copyDatabase(entry.filePath(), copy);
            if (rc != SQLITE_OK)
                return failed(entry.filePath(), QString::fromUtf8(sqlite3_errstr(rc)));
        } else {
            QFile file(entry.filePath());
            if (!file.copy(copy))
                return failed(entry.filePath(), file.errorString());
        }
        // The archive keeps the time of the data, not of the copy.
        QFile stamped(copy);
        if (stamped.open(QIODevice::ReadWrite))
            stamped.setFileTime(entry.lastModified(), QFileDevice::FileModificationTime);
    }
    return true;
}

} // namespace kv::backup
