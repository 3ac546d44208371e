#include "backup/core/BackupSetReader.h"

#include "backup/core/BackupHeader.h"
#include "backup/core/BackupTexts.h"
#include "backup/core/BackupVolumes.h"
#include "common/KVCommon.h"
#include "common/MessageGateway.h"
#include "common/platform/SharedFile.h"

#include <QFile>

#include <cerrno>

namespace kv::backup {

namespace {
using Icon = MessageGateway::Icon;
constexpr qint64 kChunk = 1 << 20;
} // namespace

BackupSetReader::BackupSetReader(BackupVolumes& volumes, MessageGateway& messages)
    : m_volumes(volumes)
    , m_messages(messages)
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
    qint64 size = -1;
    qint64 joined = 0;
    for (int disk = 1; size < 0 || joined < size; ++disk) {
        if (disk > 1)
            m_volumes.waitForDisk(disk, m_messages);
        QFile part(backupFile);
        if (!part.open(QIODevice::ReadOnly))
            return fileError(backupFile);
        const std::optional<quint32> named = BackupHeader::read(part.read(BackupHeader::kSize));
        if (!named)
            return failed(disk == 1 ? BackupTexts::NotBackupFile.arg(backupFile)
                                    : BackupTexts::WrongDisk.arg(backupFile).arg(disk));
        if (size < 0)
            size = *named;
        else if (*named != size)
            return failed(BackupTexts::WrongDisk.arg(backupFile).arg(disk));
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
            return fileError(backupFile);
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
