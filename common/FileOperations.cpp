// Folder-wide copy, move, delete and size operations, and the two file
// helpers. Patterns are "folder/name-pattern" (FileNamePattern). Nothing here
// changes the process's working folder, and recursion never follows a
// symbolic link: a link is an entry of its own folder, deleted as a link.

#include "common/FileErrorMessage.h"
#include "common/FileNamePattern.h"
#include "common/KVCommon.h"
#include "common/MessageGateway.h"
#include "common/platform/FileSystem.h"
#include "common/platform/SharedFile.h"

#include <QList>

#include <cerrno>
#include <climits>

using kv::DirectoryEntry;
using kv::FileNamePattern;
using kv::FileSystem;
using kv::showFileError;

namespace {

// A folder argument that should end in "/": one without it still means the
// folder, never its parent; an empty one means nothing.
bool folderWithSlash(const QString& folder, QString* withSlash)
{
    if (folder.isEmpty())
        return false;
    *withSlash = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    return true;
}

int deleteMatching(const QString& folder, const FileNamePattern& pattern, bool recurse)
{
    QList<DirectoryEntry> entries;
    if (!FileSystem::listFolder(folder, entries, nullptr))
        return 0;
    for (const DirectoryEntry& entry : entries) {
        if (!pattern.matches(entry.name))
            continue;
        const QString path = FileNamePattern::join(folder, entry.name);
        if (entry.isLink || !entry.isFolder) {
            FileSystem::removeFile(path, nullptr);  // undeletable files are left alone
            continue;
        }
        if (!recurse)
            continue;
        if (!deleteMatching(path, pattern, true))
            return 0;
        int error = 0;
        if (!FileSystem::removeFolder(path, &error) && error != EACCES && error != EPERM)
            return 0;
    }
    return 1;
}

bool addSizes(const QString& folder, const FileNamePattern& pattern, bool recurse, double* total)
{
    QList<DirectoryEntry> entries;
    if (!FileSystem::listFolder(folder, entries, nullptr))
        return false;
    static const FileNamePattern everything(QStringLiteral("*.*"));
    for (const DirectoryEntry& entry : entries) {
        if (entry.isFolder) {
            if (recurse && !entry.isLink
                && !addSizes(FileNamePattern::join(folder, entry.name), everything, true, total))
                return false;
            continue;
        }
        if (pattern.matches(entry.name))
            *total += double(entry.size);
    }
    return true;
}

// Applies operation to every file (not folder) of folder, carrying on after
// failures; the last error code is kept.
template <typename Operation>
int forEachFile(const QString& folder, int* error, Operation operation)
{
    QList<DirectoryEntry> entries;
    int code = 0;
    if (!FileSystem::listFolder(folder, entries, &code)) {
        if (error)
            *error = code;
        return 0;
    }
    int result = 1;
    for (const DirectoryEntry& entry : entries) {
        if (entry.isFolder && !entry.isLink)
            continue;
        if (!operation(entry, &code)) {
            if (error)
                *error = code;
            result = 0;
        }
    }
    return result;
}

} // namespace

int CopyFile2(QString sourcePattern, QString destinationPattern, int failIfExists)
{
    QString sourceFolder, sourceName, destinationFolder, destinationName;
    if (!FileNamePattern::split(sourcePattern, &sourceFolder, &sourceName) || sourceName.isEmpty())
        return 0;
    if (!FileNamePattern::split(destinationPattern, &destinationFolder, &destinationName)
        || destinationName != QLatin1String("*.*"))
        return 0;
    QList<DirectoryEntry> entries;
    if (!FileSystem::listFolder(sourceFolder, entries, nullptr))
        return 0;
    const FileNamePattern pattern(sourceName);
    for (const DirectoryEntry& entry : entries) {
        if (entry.isFolder || !pattern.matches(entry.name))
            continue;
        if (!FileSystem::copyFile(FileNamePattern::join(sourceFolder, entry.name),
                                  FileNamePattern::join(destinationFolder, entry.name),
                                  failIfExists != 0, nullptr))
            return 0;
    }
    return 1;
}

int DeleteFile2(QString pattern, int recurse)
{
    QString folder, namePattern;
    if (!FileNamePattern::split(pattern, &folder, &namePattern))
        return 0;
    return deleteMatching(folder, FileNamePattern(namePattern), recurse != 0);
}

int DeleteFiles(QString folder, int* error)
{
    QString base;
    if (!folderWithSlash(folder, &base)) {
        if (error)
            *error = ENOENT;
        return 0;
    }
    return forEachFile(base, error, [&](const DirectoryEntry& entry, int* code) {
        return FileSystem::removeFile(base + entry.name, code);
    });
}

int MoveFiles(QString sourceFolder, QString destinationFolder, int* error)
{
    QString source, destination;
    if (!folderWithSlash(sourceFolder, &source) || !folderWithSlash(destinationFolder, &destination)) {
        if (error)
            *error = ENOENT;
        return 0;
    }
    return forEachFile(source, error, [&](const DirectoryEntry& entry, int* code) {
        return FileSystem::moveFile(source + entry.name, destination + entry.name, code);
    });
}

int WriteDataToFile(QString fileName, unsigned openMode, int offset, int origin, QByteArray data)
{
    kv::SharedFile file;
    int cause = 0;
    if (!file.open(fileName, openMode, &cause)) {
        showFileError(fileName, cause);
        return 0;
    }
    // A failed seek or write is reported like a failed open rather than
    // passed off as written.
    if (file.seek(offset, origin) < 0 || !file.write(data)) {
        showFileError(fileName, file.lastCause());
        return 0;
    }
    if (!file.close()) {
        showFileError(fileName, file.lastCause());
        return 0;
    }
    return 1;
}

int GetSize(QString fileName, int* flag)
{
    if (flag)
        *flag = 0;
    kv::SharedFile file;
    int osError = 0;
    if (!file.open(fileName, kv::FileMode::Read | kv::FileMode::ShareDenyNone, nullptr, &osError)) {
        kv::showMessage(QStringLiteral("%1 ファイルオープン失敗！(エラーコード %2)")
                            .arg(fileName)
                            .arg(osError));
        return 0;
    }
    // A size the 32-bit result cannot hold is a size that cannot be read.
    const qint64 size = file.size();
    if (size < 0 || size > INT_MAX) {
        kv::showMessage(QStringLiteral("ファイルサイズ取得失敗！"));
        return 0;
    }
    if (!file.close()) {
        kv::showMessage(QStringLiteral("ファイルクローズ失敗！"));
        return 0;
    }
    if (flag)
        *flag = 1;
    return int(size);
}

int GetSize2(QString pattern, int recurse, double* total)
{
    if (total)
        *total = 0;
    QString folder, namePattern;
    if (!FileNamePattern::split(pattern, &folder, &namePattern) || namePattern.isEmpty())
        return 0;
    double sum = 0;
    if (!addSizes(folder, FileNamePattern(namePattern), recurse != 0, &sum))
        return 0;
    if (total)
        *total = sum;
    return 1;
}
