#include "backup/core/BackupVolumes.h"

#include "backup/core/DiskQuestion.h"

#include <QDir>
#include <QFileInfo>

namespace kv::backup {

BackupVolumes::~BackupVolumes() = default;
DiskQuestion::~DiskQuestion() = default;

bool BackupVolumes::removeContents(const QString& folder, QString* error)
{
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        // The file system's own folder is not the user's, and not ours to remove.
        if (entry.fileName() == u"lost+found")
            continue;
        // A link goes as a link: nothing outside the disk is touched.
        const bool removed = entry.isDir() && !entry.isSymLink()
                               ? QDir(entry.filePath()).removeRecursively()
                               : QFile::remove(entry.filePath());
        if (!removed) {
            if (error)
                *error = entry.filePath();
            return false;
        }
    }
    return true;
}

} // namespace kv::backup
