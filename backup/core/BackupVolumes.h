#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

namespace kv::backup {

// The volumes a backup is written to, behind an interface so that tests
// put folders in place of removable disks. Paths are absolute.
class BackupVolumes {
public:
    // The operating system's drive kinds the backup knows.
    enum class DriveType { Unknown = 0, Removable = 2, Fixed = 3, Network = 4 };

    // A mounted volume as the user knows it.
    struct Volume {
        QString root;  // where it is mounted
        QString name;  // its label, or the last part of root
        qint64 free = 0;
        qint64 total = 0;
    };

    virtual ~BackupVolumes();

    virtual DriveType driveType(const QString& path) const = 0;
    // Total and free bytes of the volume holding folder; false when unknown.
    virtual bool space(const QString& folder, qint64* total, qint64* free) const = 0;
    // The mount point of the volume holding path, as the user knows the disk.
    virtual QString volumeRoot(const QString& path) const = 0;
    // Whether the volume of path holds any file; empty folders do not count.
    virtual bool holdsFiles(const QString& path) const = 0;
    // Removes every file and folder of the removable volume holding path.
    // Refused for any other volume and for the volume of the data folder or
    // the system. False with the reason on failure.
    virtual bool clear(const QString& path, QString* error) = 0;
    // The removable volumes mounted now: the disks of a set are chosen
    // among them.
    virtual QList<Volume> removableVolumes() const = 0;

protected:
    // Removes what folder holds, symbolic links as links; false with the
    // first failure.
    static bool removeContents(const QString& folder, QString* error);
};

} // namespace kv::backup
