#pragma once

#include "backup/core/BackupVolumes.h"
#include "common/MessageGateway.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QList>

#include <functional>

namespace kv::test {

// Folders in place of volumes: `drive` is the one mount point, of the
// kind and size the test says. Changing a removable disk moves what the
// drive holds to ejected/diskN and puts the next disk's files (if the test
// gave any) in.
class FolderVolumes final : public backup::BackupVolumes {
public:
    FolderVolumes(QString drive, QString ejected, DriveType type, qint64 total)
        : m_drive(std::move(drive))
        , m_ejected(std::move(ejected))
        , m_type(type)
        , m_total(total)
    {
        QDir().mkpath(m_drive);
    }

    DriveType driveType(const QString& path) const override
    {
        return path.startsWith(m_drive) ? m_type : DriveType::Unknown;
    }
    bool space(const QString&, qint64* total, qint64* free) const override
    {
        qint64 used = 0;
        QDirIterator it(m_drive, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            used += QFileInfo(it.next()).size();
        *total = m_total;
        *free = m_total - used;
        return true;
    }
    QString volumeRoot(const QString&) const override { return m_drive; }
    bool holdsFiles(const QString&) const override
    {
        return !QDir(m_drive).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty();
    }
    bool clear(const QString& path, QString* error) override
    {
        ++clears;
        if (m_type != DriveType::Removable || !path.startsWith(m_drive))
            return false;
        return removeContents(m_drive, error);
    }
    void waitForDisk(int number, MessageGateway& messages) override
    {
        messages.showMessage(QStringLiteral("disk %1").arg(number), MessageGateway::Icon::Information);
        disksAsked.append(number);
        const QString out = QStringLiteral("%1/disk%2").arg(m_ejected).arg(number - 1);
        QDir().mkpath(m_ejected);
        QDir().rename(m_drive, out);
        QDir().mkpath(m_drive);
        if (nextDisk)
            nextDisk(number, m_drive);
    }
    QString ejectedDisk(int number) const { return QStringLiteral("%1/disk%2").arg(m_ejected).arg(number); }

    // Fills the drive for disk `number` (2 and on) as it is put in.
    std::function<void(int number, const QString& drive)> nextDisk;
    QList<int> disksAsked;
    int clears = 0;

private:
    QString m_drive;
    QString m_ejected;
    DriveType m_type;
    qint64 m_total;
};

} // namespace kv::test
