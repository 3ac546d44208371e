#include "backup/core/platform/LinuxVolumes.h"

#include "backup/core/BackupTexts.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

namespace kv::backup {

namespace {

// The volume of path, or of its nearest folder that exists (the backup's
// folder may still be to be made).
QStorageInfo volumeOf(const QString& path)
{
    QFileInfo info(path);
    while (!info.exists() && !info.isRoot() && info.absolutePath() != info.absoluteFilePath())
        info = QFileInfo(info.absolutePath());
    return QStorageInfo(info.absoluteFilePath());
}

// /sys says "1" in removable for the disk of a removable device; a
// partition asks its disk, one folder up.
bool kernelSaysRemovable(const QByteArray& device)
{
    if (!device.startsWith("/dev/"))
        return false;
    const QString name = QFileInfo(QFile::decodeName(device)).canonicalFilePath().section(u'/', -1);
    const QString node = QFileInfo(QStringLiteral("/sys/class/block/") + name).canonicalFilePath();
    if (node.isEmpty())
        return false;
    for (const QString& candidate : {node + QStringLiteral("/removable"),
                                     QFileInfo(node).absolutePath() + QStringLiteral("/removable")}) {
        QFile flag(candidate);
        if (flag.open(QIODevice::ReadOnly))
            return flag.readAll().trimmed() == "1";
    }
    return false;
}

bool isNetworkFileSystem(const QByteArray& type)
{
    return type.startsWith("nfs") || type == "cifs" || type.startsWith("smb")
        || type == "fuse.sshfs" || type == "fuse.gvfsd-fuse" || type == "9p" || type == "afs";
}

} // namespace

BackupVolumes::DriveType LinuxVolumes::kindOf(const QByteArray& fileSystemType, bool removableDisk)
{
    if (isNetworkFileSystem(fileSystemType))
        return DriveType::Network;
    // Whatever else holds folders (tmpfs, ZFS datasets, btrfs subvolumes,
    // fuse) takes a backup file like a fixed disk; whether it can be
    // written the probe finds out.
    return removableDisk ? DriveType::Removable : DriveType::Fixed;
}

LinuxVolumes::LinuxVolumes(QString dataFolder)
    : m_dataFolder(std::move(dataFolder))
{
}

BackupVolumes::DriveType LinuxVolumes::driveType(const QString& path) const
{
    const QStorageInfo volume = volumeOf(path);
    if (!volume.isValid() || !volume.isReady())
        return DriveType::Unknown;
    return kindOf(volume.fileSystemType(), kernelSaysRemovable(volume.device()));
}

bool LinuxVolumes::space(const QString& folder, qint64* total, qint64* free) const
{
    const QStorageInfo volume = volumeOf(folder);
    if (!volume.isValid() || !volume.isReady())
        return false;
    *total = volume.bytesTotal();
    *free = volume.bytesAvailable();
    return *total >= 0 && *free >= 0;
}

QString LinuxVolumes::volumeRoot(const QString& path) const
{
    return volumeOf(path).rootPath();
}

bool LinuxVolumes::holdsFiles(const QString& path) const
{
    // Empty folders (the backup's own, made by its checks) hold nothing.
    const QString root = volumeRoot(path);
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        if (!entry.isDir() || entry.isSymLink()) {
            if (!entry.filePath().startsWith(root + QStringLiteral("/lost+found/")))
                return true;
        }
    }
    return false;
}

bool LinuxVolumes::clear(const QString& path, QString* error)
{
    const QStorageInfo volume = volumeOf(path);
    const QString root = volume.rootPath();
    const bool forbidden = driveType(path) != DriveType::Removable || root.isEmpty()
                        || root == u"/" || volume == QStorageInfo::root()
                        || volume == volumeOf(m_dataFolder)
                        || volume == volumeOf(QDir::homePath());
    if (forbidden) {
        if (error)
            *error = BackupTexts::FixedDriveRefused;
        return false;
    }
    return removeContents(root, error);
}

QList<BackupVolumes::Volume> LinuxVolumes::removableVolumes() const
{
    QList<Volume> volumes;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady() || !kernelSaysRemovable(volume.device()))
            continue;
        QString name = volume.name();
        if (name.isEmpty())
            name = QFileInfo(volume.rootPath()).fileName();
        volumes.append({volume.rootPath(), name, volume.bytesAvailable(), volume.bytesTotal()});
    }
    return volumes;
}

} // namespace kv::backup
