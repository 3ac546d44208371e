#include "backup/core/BackupPathCheck.h"

#include "backup/core/BackupTexts.h"
#include "common/KVCommon.h"
#include "common/MessageGateway.h"
#include "common/platform/SharedFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace kv::backup {

BackupPathCheck::BackupPathCheck(BackupVolumes& volumes, MessageGateway& messages)
    : m_volumes(volumes)
    , m_messages(messages)
{
}

bool BackupPathCheck::ValidateBackupPath(QString& path, BackupVolumes::DriveType* driveType,
                                         QString* folder)
{
    const auto invalid = [&] {
        m_messages.showMessage(BackupTexts::InvalidName.arg(path), MessageGateway::Icon::Warning);
        return false;
    };
    const qsizetype slash = path.lastIndexOf(u'/');
    if (!path.startsWith(u'/') || path.contains(QChar(0)) || slash == path.size() - 1)
        return invalid();

    const BackupVolumes::DriveType type = m_volumes.driveType(path);
    const bool elsewhere = !m_requiredRoot.isEmpty() && m_volumes.volumeRoot(path) != m_requiredRoot;
    if (elsewhere
        || (type != BackupVolumes::DriveType::Removable && type != BackupVolumes::DriveType::Fixed
            && type != BackupVolumes::DriveType::Network)) {
        m_messages.showMessage(BackupTexts::WrongDrive, MessageGateway::Icon::Warning);
        return false;
    }
    if (!path.mid(slash + 1).contains(u'.'))
        path += QStringLiteral(".SBK");
    const QString parent = slash == 0 ? QStringLiteral("/") : path.left(slash);

    if (QFileInfo(path).isDir())
        return invalid();
    // Asked whenever something is there, readable or not: the backup would
    // replace it.
    if (path != m_confirmed && QFileInfo::exists(path)) {
        if (!m_messages.askYesNo(BackupTexts::Overwrite.arg(path), true,
                                 MessageGateway::Icon::Question))
            return false;
    }
    if (!QDir().mkpath(parent))
        return invalid();
    if (!probe(path, parent))
        return false;
    if (driveType)
        *driveType = type;
    if (folder)
        *folder = parent;
    return true;
}

bool BackupPathCheck::probe(const QString& path, const QString& folder)
{
    const QByteArray probeName = QFile::encodeName(folder + QStringLiteral("/.sabion-probe"));
    for (;;) {
        const int fd = ::open(probeName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        const int error = errno;
        if (fd >= 0) {
            ::close(fd);
            ::unlink(probeName.constData());
            return true;
        }
        // Left by a run that ended abruptly.
        if (error == EEXIST && ::unlink(probeName.constData()) == 0)
            continue;
        const QString disk = m_volumes.volumeRoot(path);
        if (error == EROFS) {
            if (m_messages.askYesNo(BackupTexts::WriteProtected.arg(disk), false,
                                    MessageGateway::Icon::Critical))
                continue;
            return false;
        }
        if (error == EACCES || error == EPERM) {
            m_messages.showMessage(BackupTexts::InvalidName.arg(path), MessageGateway::Icon::Warning);
            return false;
        }
        if (error == EIO || error == ENODEV || error == ENXIO || error == ENOMEDIUM) {
            if (m_messages.askYesNo(BackupTexts::NotReady.arg(disk), false,
                                    MessageGateway::Icon::Critical))
                continue;
            return false;
        }
        QString text;
        CFileSetErrStr(text, path, fileCauseFromErrno(error, path));
        m_messages.showMessage(text, MessageGateway::Icon::Warning);
        return false;
    }
}

} // namespace kv::backup
