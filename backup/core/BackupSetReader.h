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
class DiskQuestion;

// Reads a backup file back into the archive it carries: the header is
// checked, and for a set of removable disks each next disk is asked for
// among the mounted removable volumes (DiskQuestion) and read from the same
// path within it, until the archive is whole.
class BackupSetReader {
public:
    // Told the archive bytes joined so far and the archive's size.
    using Progress = std::function<void(qint64 done, qint64 total)>;

    // disks: asked for the next disk of a set; without it a set stops
    // after its first disk.
    BackupSetReader(BackupVolumes& volumes, MessageGateway& messages, DiskQuestion* disks = nullptr);

    // Writes the archive to archivePath; false after the message, or
    // silently when cancelled. The archive file is removed then.
    bool join(const QString& backupFile, const QString& archivePath,
              const std::atomic<bool>& cancel, const Progress& progress = {});

private:
    // The same file on disk `disk`, chosen by the user: a disk whose file
    // is not the next part of this set is refused and asked for again.
    // Empty when the user stops.
    QString askForDisk(int disk, const QString& withinVolume);

    BackupVolumes& m_volumes;
    MessageGateway& m_messages;
    DiskQuestion* m_disks;
};

} // namespace kv::backup
