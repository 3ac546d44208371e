#include "backup/core/BackupCopier.h"

#include "backup/core/BackupHeader.h"
#include "backup/core/BackupPathCheck.h"
#include "backup/core/BackupTexts.h"
#include "backup/core/DiskQuestion.h"
#include "common/KVCommon.h"
#include "common/MessageGateway.h"
#include "common/platform/SharedFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <new>
#include <vector>

namespace kv::backup {

namespace {
using Icon = MessageGateway::Icon;
using DriveType = BackupVolumes::DriveType;

QString fileErrorText(const QString& path, int error)
{
    QString text;
    CFileSetErrStr(text, path, fileCauseFromErrno(error, path));
    return text;
}
} // namespace

BackupCopier::BackupCopier(BackupVolumes& volumes, MessageGateway& messages,
                           const std::atomic<bool>& cancel, std::function<void(int)> progress,
                           DiskQuestion* disks)
    : m_volumes(volumes)
    , m_messages(messages)
    , m_cancel(cancel)
    , m_progress(std::move(progress))
    , m_disks(disks)
{
}

void BackupCopier::setCheckedVolume(const QString& root, DriveType type)
{
    m_checkedRoot = QDir::cleanPath(root);
    m_checkedType = type;
}

qint64 BackupCopier::disksNeeded(qint64 archiveSize, qint64 capacity)
{
    if (capacity <= 0)
        return 0;
    return std::max<qint64>(1, (archiveSize + capacity - 1) / capacity);
}

int BackupCopier::partOn(const QString& root) const
{
    const QFileInfo file(root + u'/' + m_withinVolume);
    if (!file.isFile())
        return 0;
    for (qsizetype i = 0; i < m_parts.size(); ++i) {
        if (file.size() == m_parts[i].size && file.lastModified() == m_parts[i].modified)
            return int(i + 1);
    }
    return 0;
}

QString BackupCopier::askForDisk(int disk)
{
    while (m_disks && !cancelled()) {
        const QString root = QDir::cleanPath(m_disks->chooseDisk(disk, m_volumes));
        if (root.isEmpty() || root == u"." || cancelled())
            return QString();
        // A removable volume as mounted now, never a folder where one was.
        if (m_volumes.driveType(root) != DriveType::Removable
            || QDir::cleanPath(m_volumes.volumeRoot(root)) != root) {
            m_messages.showMessage(BackupTexts::WrongDrive, Icon::Warning);
            continue;
        }
        // Clearing it would lose that part.
        if (const int part = partOn(root)) {
            m_messages.showMessage(BackupTexts::DiskInSetAlready.arg(root).arg(part), Icon::Warning);
            continue;
        }
        return root;
    }
    return QString();
}

qint64 BackupCopier::prepareDisk(int disk, QString& path, qint64 remaining)
{
    BackupPathCheck check(m_volumes, m_messages);
    if (disk == 1 && m_overwriteConfirmed)
        check.setOverwriteConfirmed(path);
    if (!m_root.isEmpty())
        check.requireVolume(m_root);
    DriveType type = DriveType::Unknown;
    QString folder;
    if (!check.ValidateBackupPath(path, &type, &folder) || cancelled())
        return 0;
    if (disk == 1)
        m_removable = type == DriveType::Removable;
    else if (type != DriveType::Removable) {
        m_messages.showMessage(BackupTexts::WrongDrive, Icon::Warning);
        return 0;
    }
    const QString root = m_volumes.volumeRoot(path);
    qint64 total = 0;
    qint64 free = 0;
    if (!m_volumes.space(folder, &total, &free)) {
        m_messages.showMessage(BackupTexts::SpaceCheckFailed, Icon::Warning);
        return 0;
    }
    if (m_removable && m_volumes.holdsFiles(path)) {
        // The disk's files are removed, its file system kept: never
        // without the user's yes, never another volume than this one.
        if (!m_messages.askYesNo(BackupTexts::ClearDisk.arg(root, BackupTexts::Quick), true,
                                 Icon::Question)
            || cancelled())
            return 0;
        QString why;
        if (!m_volumes.clear(path, &why)) {
            m_messages.showMessage(BackupTexts::ClearFailed + u'\n' + why, Icon::Critical);
            return 0;
        }
        // Inside the volume, which is there: its root was not cleared away.
        if (!QDir().mkpath(folder) || !m_volumes.space(folder, &total, &free)) {
            m_messages.showMessage(BackupTexts::SpaceCheckFailed, Icon::Warning);
            return 0;
        }
    }
    // Each disk holds a header of its own besides its part, in what is free
    // on it: a file system takes room of its own however empty it is.
    const qint64 capacity = free - kReserve - BackupHeader::kSize;
    if (m_removable && disk == 1) {
        const qint64 disks = disksNeeded(remaining, capacity);
        if (disks > 1
            && !m_messages.askYesNo(BackupTexts::DisksNeeded.arg(disks), false, Icon::Question))
            return 0;
    }
    // A disk that cannot take a byte of the archive is refused, not asked
    // for again and again; a fixed drive must take all of it.
    if (capacity <= 0 || (!m_removable && capacity < remaining)) {
        m_messages.showMessage(BackupTexts::NoRoom.arg(root), Icon::Warning);
        return 0;
    }
    return std::min(capacity, remaining);
}

bool BackupCopier::writeDisk(QFileDevice& archive, const QString& path, qint64 part,
                             qint64 archiveSize)
{
    QSaveFile out(path);
    const auto failed = [&](int error) {
        out.cancelWriting();
        if (!cancelled())
            m_messages.showMessage(fileErrorText(path, error), Icon::Warning);
        return false;
    };
    // Unbuffered, so that a short write is seen at the write that made it.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(errno);
    const QByteArray header = BackupHeader::make(quint32(archiveSize));
    if (out.write(header) != header.size())
        return failed(errno);

    std::vector<char> buffer;
    try {
        buffer.resize(size_t(kChunkSize));
    } catch (const std::bad_alloc&) {
        m_messages.showMessage(BackupTexts::OutOfMemory, Icon::Critical);
        return false;
    }
    for (qint64 left = part; left > 0;) {
        if (cancelled())
            return failed(0);
        const qint64 got = archive.read(buffer.data(), std::min<qint64>(left, kChunkSize));
        if (got <= 0) {
            out.cancelWriting();
            m_messages.showMessage(fileErrorText(archive.fileName(), EIO), Icon::Warning);
            return false;
        }
        if (out.write(buffer.data(), got) != got)
            return failed(errno);
        left -= got;
        m_written += got;
        if (m_progress)
            m_progress(int(m_written * 100 / archiveSize));
    }
    if (cancelled())
        return failed(0);
    errno = 0;
    if (!out.commit())
        return failed(errno ? errno : EIO);
    // What is on the disk is what was meant to be, or nothing.
    if (QFileInfo(path).size() != BackupHeader::kSize + part) {
        QFile::remove(path);
        m_messages.showMessage(fileErrorText(path, ENOSPC), Icon::Warning);
        return false;
    }
    return true;
}

bool BackupCopier::CopyToBackupFile(const QString& archivePath, const QString& destination,
                                    bool overwriteConfirmed)
{
    m_written = 0;
    m_overwriteConfirmed = overwriteConfirmed;
    m_root.clear();
    m_withinVolume.clear();
    m_parts.clear();
    QFile archive(archivePath);
    if (!archive.open(QIODevice::ReadOnly)) {
        m_messages.showMessage(fileErrorText(archivePath, errno), Icon::Warning);
        return false;
    }
    const qint64 archiveSize = archive.size();
    if (archiveSize > BackupHeader::kMaxArchiveSize) {
        m_messages.showMessage(BackupTexts::TooLarge.arg(archiveSize), Icon::Warning);
        return false;
    }
    for (int disk = 1; m_written < archiveSize; ++disk) {
        QString path = destination;
        if (disk == 1 && !m_checkedRoot.isEmpty()) {
            m_root = m_checkedRoot;
            if (QDir::cleanPath(m_volumes.volumeRoot(path)) != m_checkedRoot) {
                // The disk the dialog saw has gone since.
                if (m_checkedType != DriveType::Removable) {
                    m_messages.showMessage(BackupTexts::NotReady.arg(m_checkedRoot), Icon::Warning);
                    return false;
                }
                m_withinVolume = QDir(m_checkedRoot).relativeFilePath(path);
                m_root = askForDisk(disk);
                if (m_root.isEmpty())
                    return false;
                path = m_root + u'/' + m_withinVolume;
            }
        } else if (disk > 1) {
            m_root = askForDisk(disk);
            if (m_root.isEmpty())
                return false;
            path = m_root + u'/' + m_withinVolume;
        }
        if (cancelled())
            return false;
        const qint64 part = prepareDisk(disk, path, archiveSize - m_written);
        if (part <= 0)
            return false;
        if (disk == 1) {
            m_root = QDir::cleanPath(m_volumes.volumeRoot(path));
            m_withinVolume = QDir(m_root).relativeFilePath(path);
        }
        if (cancelled() || !writeDisk(archive, path, part, archiveSize))
            return false;
        const QFileInfo written(path);
        m_parts.append({written.size(), written.lastModified()});
    }
    if (m_progress)
        m_progress(100);
    return true;
}

} // namespace kv::backup
