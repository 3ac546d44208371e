#include "uninstall/core/TreeRemoval.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kv::uninstall {
namespace {

bool removeEntry(const QFileInfo& entry, QString* left)
{
    const QString path = entry.absoluteFilePath();
    bool removed = true;
    if (entry.isDir() && !entry.isSymLink()) {
        const QFileInfoList inside = QDir(path).entryInfoList(
            QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
        for (const QFileInfo& child : inside)
            removed = removeEntry(child, left) && removed;
        removed = removed && QDir().rmdir(path);
    } else {
        // QFile removes a link itself, not what it points to.
        removed = QFile::remove(path);
    }
    if (!removed && left && left->isEmpty())
        *left = path;
    return removed;
}

} // namespace

bool removeTree(const QString& path, QString* left)
{
    const QFileInfo entry(path);
    if (!entry.exists() && !entry.isSymLink())
        return true;
    return removeEntry(entry, left);
}

} // namespace kv::uninstall
