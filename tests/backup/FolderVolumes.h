#pragma once

#include "backup/core/BackupVolumes.h"
#include "backup/core/DiskQuestion.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QList>

#include <functional>

namespace kv::test {

// Folders in place of volumes, as a desktop mounts them: each volume at a
// folder of its own, of the kind and size the test says. Taking a disk
// out moves its folder away, so nothing is left where it was mounted;
// putting it in moves the folder back, to the same or another mount point.
// A path on no volume is on `elsewhere` (a system disk, when Fixed).
class FolderVolumes final : public backup::BackupVolumes {
public:
    FolderVolumes() = default;
    // One volume mounted at drive.
    FolderVolumes(const QString& drive, DriveType type, qint64 total) { plug(drive, type, total); }

    // Mounts a volume at root (made): total bytes, of which the empty file
    // system uses overhead.
    void plug(const QString& root, DriveType type, qint64 total, qint64 overhead = 0)
    {
        QDir().mkpath(root);
        m_mounted.append({root, type, total, overhead});
    }
    // Takes the volume at root out: its files go to `keep`.
    void unplug(const QString& root, const QString& keep)
    {
        for (qsizetype i = 0; i < m_mounted.size(); ++i) {
            if (m_mounted[i].root == root) {
                QDir().mkpath(QFileInfo(keep).absolutePath());
                QDir().rename(root, keep);
                m_mounted.removeAt(i);
                return;
            }
        }
    }
    // Puts a volume taken out to `kept` in again, mounted at root.
    void plugBack(const QString& kept, const QString& root, DriveType type, qint64 total,
                  qint64 overhead = 0)
    {
        QDir().rename(kept, root);
        plug(root, type, total, overhead);
    }

    DriveType driveType(const QString& path) const override
    {
        const Mounted* volume = find(path);
        return volume ? volume->type : elsewhere;
    }
    bool space(const QString& folder, qint64* total, qint64* free) const override
    {
        const Mounted* volume = find(folder);
        if (!volume) {
            *total = *free = qint64(1) << 40;
            return elsewhere != DriveType::Unknown;
        }
        *total = volume->total;
        *free = volume->total - volume->overhead - used(volume->root);
        return true;
    }
    QString volumeRoot(const QString& path) const override
    {
        const Mounted* volume = find(path);
        return volume ? volume->root : QStringLiteral("/");
    }
    bool holdsFiles(const QString& path) const override
    {
        const Mounted* volume = find(path);
        return volume && QDirIterator(volume->root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories).hasNext();
    }
    bool clear(const QString& path, QString* error) override
    {
        ++clears;
        const Mounted* volume = find(path);
        if (!volume || volume->type != DriveType::Removable)
            return false;
        return removeContents(volume->root, error);
    }
    QList<Volume> removableVolumes() const override
    {
        QList<Volume> volumes;
        for (const Mounted& volume : m_mounted) {
            if (volume.type != DriveType::Removable)
                continue;
            qint64 total = 0;
            qint64 free = 0;
            space(volume.root, &total, &free);
            volumes.append({volume.root, QFileInfo(volume.root).fileName(), free, total});
        }
        return volumes;
    }

    DriveType elsewhere = DriveType::Unknown;
    int clears = 0;

private:
    struct Mounted {
        QString root;
        DriveType type;
        qint64 total;
        qint64 overhead;
    };

    const Mounted* find(const QString& path) const
    {
        for (const Mounted& volume : m_mounted) {
            if (path == volume.root || path.startsWith(volume.root + u'/'))
                return &volume;
        }
        return nullptr;
    }
    static qint64 used(const QString& root)
    {
        qint64 bytes = 0;
        QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            bytes += QFileInfo(it.next()).size();
        return bytes;
    }

    QList<Mounted> m_mounted;
};

// Answers the question for the next disk as the test says: `answer` is
// given the disk's number and returns the chosen root (empty: stop).
class ScriptedDisks final : public backup::DiskQuestion {
public:
    QString chooseDisk(int number, backup::BackupVolumes&) override
    {
        asked.append(number);
        return answer ? answer(number) : QString();
    }
    std::function<QString(int number)> answer;
    QList<int> asked;
};

} // namespace kv::test
