#include "backup/core/BackupSetReader.h"

#include "backup/core/BackupHeader.h"
#include "backup/core/BackupTexts.h"
#include "backup/core/BackupVolumes.h"
#include "backup/core/DiskQuestion.h"
#include "common/KVCommon.h"
#include "common/MessageGateway.h"
#include "common/platform/SharedFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <cerrno>
#include <utility>

namespace kv::backup {

namespace {
using Icon = MessageGateway::Icon;
constexpr qint64 kChunk = 1 << 20;
} // namespace

BackupSetReader::BackupSetReader(BackupVolumes& volumes, MessageGateway& messages,
                                 DiskQuestion* disks)
    : m_volumes(volumes)
    , m_messages(messages)
    , m_disks(disks)
{
}

bool BackupSetReader::join(const QString& backupFile, const QString& archivePath,
                           const std::atomic<bool>& cancel, const Progress& progress)
{
    QFile archive(archivePath);
    const auto failed = [&](const QString& text) {
        archive.close();
        archive.remove();
        if (!text.isEmpty())
            m_messages.showMessage(text, Icon::Warning);
        return false;
    };
    const auto fileError = [&](const QString& path) {
        QString text;
        CFileSetErrStr(text, path, fileCauseFromErrno(errno, path));
        return failed(text);
    };
    if (!archive.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fileError(archivePath);

    const bool removable = m_volumes.driveType(backupFile) == BackupVolumes::DriveType::Removable;
    const QString root = QDir::cleanPath(m_volumes.volumeRoot(backupFile));
    const QString withinVolume = QDir(root).relativeFilePath(backupFile);
    // The parts read so far, to know a disk given twice: by their size and
    // their first bytes, as a stick's clock (two seconds on FAT) may give
    // two parts written in a row the same time.
    QList<std::pair<qint64, QByteArray>> read;
    const auto identity = [](QFile& part) {
        return std::pair(part.size(), QCryptographicHash::hash(part.peek(kChunk), QCryptographicHash::Sha1));
    };
    qint64 size = -1;
    qint64 joined = 0;
    for (int disk = 1; size < 0 || joined < size; ++disk) {
        QFile part(backupFile);
        if (disk == 1) {
            if (!part.open(QIODevice::ReadOnly))
                return fileError(backupFile);
            const std::optional<quint32> named = BackupHeader::read(part.read(BackupHeader::kSize));
            if (!named)
                return failed(BackupTexts::NotBackupFile.arg(backupFile));
            size = *named;
        } else {
            for (;;) {
                const QString chosen =
                    m_disks ? QDir::cleanPath(m_disks->chooseDisk(disk, m_volumes)) : QString();
                if (cancel.load())
                    return failed(QString());
                if (chosen.isEmpty() || chosen == u".")
                    return failed(BackupTexts::RestoreStopped);
                part.setFileName(chosen + u'/' + withinVolume);
                std::optional<quint32> named;
                if (part.open(QIODevice::ReadOnly)) {
                    named = BackupHeader::read(part.read(BackupHeader::kSize));
                    if (read.contains(identity(part)))
                        named.reset();
                }
                if (named && *named == size)
                    break;
                part.close();
                m_messages.showMessage(BackupTexts::WrongDisk.arg(part.fileName()).arg(disk),
                                       Icon::Warning);
            }
        }
        read.append(identity(part));
        qint64 fromThisDisk = 0;
        for (;;) {
            if (cancel.load())
                return failed(QString());
            const QByteArray bytes = part.read(kChunk);
            if (bytes.isEmpty())
                break;
            if (joined + bytes.size() > size)
                return failed(BackupTexts::Broken.arg(QStringLiteral("%1 バイトの書庫より長い").arg(size)));
            if (archive.write(bytes) != bytes.size())
                return fileError(archivePath);
            joined += bytes.size();
            fromThisDisk += bytes.size();
            if (progress)
                progress(joined, size);
        }
        if (part.error() != QFileDevice::NoError)
            return fileError(part.fileName());
        // Only a set of removable disks goes on; a short file anywhere else,
        // or a disk that adds nothing, is a damaged backup.
        if (joined < size && (!removable || fromThisDisk == 0))
            return failed(BackupTexts::Broken.arg(
                QStringLiteral("%1 バイトの書庫のうち %2 バイトしかありません").arg(size).arg(joined)));
    }
    if (!archive.flush())
        return fileError(archivePath);
    archive.close();
    return true;
}

} // namespace kv::backup
