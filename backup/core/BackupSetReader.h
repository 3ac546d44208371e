#pragma once

#include <QString>
#include <QtGlobal>

#include <atomic>
#include <functional>

namespace kv {
class MessageGateway;
}

namespace kv::backup {

class BackupVolumes;

// Reads a backup file back into the archive it carries: the header is
// checked, and for a set of removable disks the same file on the next disks
// is asked for until the archive is whole.
class BackupSetReader {
public:
    // Told the archive bytes joined so far and the archive's size.
    using Progress = std::function<void(qint64 done, qint64 total)>;

    BackupSetReader(BackupVolumes& volumes, MessageGateway& messages);

    // Writes the archive to archivePath; false after the message, or
    // silently when cancelled. The archive file is removed then.
    bool join(const QString& backupFile, const QString& archivePath,
              const std::atomic<bool>& cancel, const Progress& progress = {});

private:
    BackupVolumes& m_volumes;
    MessageGateway& m_messages;
};

} // namespace kv::backup
