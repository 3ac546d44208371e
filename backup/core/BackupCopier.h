#pragma once

#include "backup/core/BackupVolumes.h"

#include <QFileDevice>
#include <QString>
#include <QtGlobal>

#include <atomic>
#include <functional>

namespace kv {
class MessageGateway;
}

namespace kv::backup {

// Copies an archive behind the backup header into the backup file: on a
// fixed or network drive in one file, on removable disks split over as
// many as it takes, each file with the same header and the next part of
// the archive. Runs on the backup's thread: its messages and questions go
// through the gateway given, which has the interface thread show them.
//
// A backup file is written under a temporary name and takes its own name
// only when it is complete, so a cancel, a failure or a full disk leaves
// no half-written file (and an older backup of the same name whole).
class BackupCopier {
public:
    static constexpr qint64 kChunkSize = 500000;
    // Kept free on every destination volume.
    static constexpr qint64 kReserve = 100000;

    BackupCopier(BackupVolumes& volumes, MessageGateway& messages, const std::atomic<bool>& cancel,
                 std::function<void(int percent)> progress = {});

    // False after the message, or silently when cancelled. The overwrite
    // question for the first disk was answered in the dialog when
    // overwriteConfirmed.
    bool CopyToBackupFile(const QString& archivePath, const QString& destination,
                          bool overwriteConfirmed = false);

    // Disks needed for an archive at a disk's capacity in archive bytes:
    // never a disk for the header alone. 0 when no disk can hold anything.
    static qint64 disksNeeded(qint64 archiveSize, qint64 capacity);

private:
    bool cancelled() const { return m_cancel.load(); }
    // Makes the disk ready: checks the path, clears a removable disk that
    // holds files (after the user's yes) and gives the archive bytes it
    // takes. 0 when it cannot hold any, after the message.
    qint64 prepareDisk(int disk, QString& path, qint64 remaining);
    bool writeDisk(QFileDevice& archive, const QString& path, qint64 part, qint64 archiveSize);

    BackupVolumes& m_volumes;
    MessageGateway& m_messages;
    const std::atomic<bool>& m_cancel;
    std::function<void(int)> m_progress;
    qint64 m_written = 0;
    bool m_removable = false;
    bool m_overwriteConfirmed = false;
};

} // namespace kv::backup
