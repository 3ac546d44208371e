#pragma once

#include "backup/core/BackupVolumes.h"

namespace kv::backup {

// The volumes as Linux mounts them. A volume is removable only when the
// kernel reports its disk removable; a network file system counts as a
// network drive, any other mounted file system as a fixed one. Clearing a disk removes its files; no file system is ever
// made anew.
class LinuxVolumes final : public BackupVolumes {
public:
    // dataFolder's volume is never cleared, whatever the kernel says of it.
    explicit LinuxVolumes(QString dataFolder);

    // The drive kind of a mounted file system of this type.
    static DriveType kindOf(const QByteArray& fileSystemType, bool removableDisk);

    DriveType driveType(const QString& path) const override;
    bool space(const QString& folder, qint64* total, qint64* free) const override;
    QString volumeRoot(const QString& path) const override;
    bool holdsFiles(const QString& path) const override;
    bool clear(const QString& path, QString* error) override;
    QList<Volume> removableVolumes() const override;

private:
    QString m_dataFolder;
};

} // namespace kv::backup
