#include "uninstall/core/BackupRescue.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace kv::uninstall {
namespace {

QString freeName(const QString& target, const QFileInfo& backup)
{
    QString candidate = target + QLatin1Char('/') + backup.fileName();
    for (int n = 2; QFileInfo::exists(candidate) || QFileInfo(candidate).isSymLink(); ++n) {
        candidate = QStringLiteral("%1/%2 (%3).%4")
                        .arg(target, backup.completeBaseName(), QString::number(n), backup.suffix());
    }
    return candidate;
}

} // namespace

BackupRescue BackupRescue::moveBackups(const QString& folder, const QString& target)
{
    BackupRescue result;
    QStringList found;
    // Links are not followed: a link to a backup elsewhere loses nothing.
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        if (!entry.isSymLink() && entry.suffix().compare(QStringLiteral("sbk"), Qt::CaseInsensitive) == 0)
            found << entry.absoluteFilePath();
    }
    found.sort();
    for (const QString& path : found) {
        const QString destination = freeName(target, QFileInfo(path));
        // Across file systems QFile copies and then removes the original.
        if (QFile::rename(path, destination)) {
            result.moved << destination;
        } else if (result.notMoved.isEmpty()) {
            result.notMoved = path;
        }
    }
    return result;
}

} // namespace kv::uninstall
