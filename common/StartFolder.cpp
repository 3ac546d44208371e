#include "common/StartFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kv {

QString existingStartFolder(const QString& folder)
{
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

QString existingStartPath(const QString& suggestion)
{
    if (suggestion.isEmpty())
        return existingStartFolder({});
    const QFileInfo file(suggestion);
    if (file.isDir())
        return suggestion;
    // A bare name has no folder of its own to keep.
    const bool hasFolder = suggestion.contains(QLatin1Char('/'));
    if (hasFolder && file.absoluteDir().exists())
        return suggestion;
    return QDir(existingStartFolder({})).filePath(file.fileName());
}

} // namespace kv
