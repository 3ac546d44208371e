#pragma once

#include <QString>

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
    BackupSetReader(BackupVolumes& volumes, MessageGateway& messages);

    // Writes the archive to archivePath; false after the message.
    bool join(const QString& backupFile, const QString& archivePath);

private:
    BackupVolumes& m_volumes;
    MessageGateway& m_messages;
};

} // namespace kv::backup
