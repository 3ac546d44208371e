#pragma once

#include "backup/core/BackupVolumes.h"

#include <QDateTime>
#include <QFileDevice>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <atomic>
#include <functional>

namespace kv {
class MessageGateway;
}

namespace kv::backup {

class DiskQuestion;

// Copies an archive behind the backup header into the backup file: on a
// fixed or network drive in one file, on removable disks split over as
// many as it takes, each file with the same header and the next part of
// the archive. Runs on the backup's thread: its messages and questions go
// through the gateway given, which has the interface thread show them.
//
// A backup file is written under a temporary name and takes its own name
// only when it is complete, so a cancel, a failure or a full disk leaves
// no half-written file (and an older backup of the same name whole).
//
// The disks of a set are mounted wherever the system puts them: the user
// chooses each next one among the removable volumes (DiskQuestion), and
// the file goes to the same path within it as on the first disk. Each disk
// takes what its free space holds.
class BackupCopier {
public:
    static constexpr qint64 kChunkSize = 500000;
    // Kept free on every destination volume.
    static constexpr qint64 kReserve = 100000;

    // disks: asked for the next disk of a set; without it a backup that
    // needs more than one disk stops.
    BackupCopier(BackupVolumes& volumes, MessageGateway& messages, const std::atomic<bool>& cancel,
                 std::function<void(int percent)> progress = {}, DiskQuestion* disks = nullptr);

    // The destination as the dialog checked it: when its volume is no longer
    // mounted there, the first disk is asked for (a removable one) or the
    // copy stops, rather than writing to the folder where it was.
    void setCheckedVolume(const QString& root, BackupVolumes::DriveType type);

    // False after the message, or silently when cancelled. The overwrite
    // question for the first disk was answered in the dialog when
    // overwriteConfirmed.
    bool CopyToBackupFile(const QString& archivePath, const QString& destination,
                          bool overwriteConfirmed = false);

    // Disks needed for an archive at a disk's capacity in archive bytes:
    // never a disk for the header alone. 0 when no disk can hold anything.
    static qint64 disksNeeded(qint64 archiveSize, qint64 capacity);

private:
    // A part written to a disk of this set, to know the disk again.
    struct WrittenPart {
        qint64 size = 0;
        QDateTime modified;
    };

    bool cancelled() const { return m_cancel.load(); }
    // Where disk `disk` takes the file: asks for the disk among the mounted
    // removable volumes until one is chosen that does not hold a part of
    // this set already; empty when the user stops.
    QString askForDisk(int disk);
    // The disk at root holds the part of this set written to disk n: 0 when none.
    int partOn(const QString& root) const;
    // Makes the disk ready: checks the path, clears a removable disk that
    // holds files (after the user's yes) and gives the archive bytes it
    // takes. 0 when it cannot hold any, after the message.
    qint64 prepareDisk(int disk, QString& path, qint64 remaining);
    bool writeDisk(QFileDevice& archive, const QString& path, qint64 part, qint64 archiveSize);

    BackupVolumes& m_volumes;
    MessageGateway& m_messages;
    const std::atomic<bool>& m_cancel;
    std::function<void(int)> m_progress;
    DiskQuestion* m_disks = nullptr;
    qint64 m_written = 0;
    bool m_removable = false;
    bool m_overwriteConfirmed = false;
    QString m_checkedRoot;
    BackupVolumes::DriveType m_checkedType = BackupVolumes::DriveType::Unknown;
    // The disk at hand's volume, and the file's path within it.
    QString m_root;
    QString m_withinVolume;
    QList<WrittenPart> m_parts;
};

} // namespace kv::backup
