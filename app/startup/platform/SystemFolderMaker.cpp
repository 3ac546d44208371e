#include "app/startup/platform/SystemFolderMaker.h"

#include <QFile>

#include <cerrno>
#include <sys/stat.h>

namespace kv::app {

FolderMaker::~FolderMaker() = default;

namespace {

// "//computer/share": a share is never made by creating a folder, and here
// it would land as a folder of the root instead.
bool isShareRoot(const QString& path)
{
    return path.startsWith(QStringLiteral("//"))
           && path.mid(2).count(QLatin1Char('/')) == 1;
}

} // namespace

FolderMaker::Result SystemFolderMaker::makeFolder(const QString& path, int* error)
{
    const QByteArray native = QFile::encodeName(path);
    if (isShareRoot(path)) {
        struct stat info {};
        if (::stat(native.constData(), &info) == 0 && S_ISDIR(info.st_mode))
            return Result::AlreadyExists;
        if (error)
            *error = ENOENT;
        return Result::Failed;
    }
    if (::mkdir(native.constData(), 0777) == 0)
        return Result::Created;
    const int code = errno;
    if (code == EEXIST)
        return Result::AlreadyExists;
    if (error)
        *error = code;
    return Result::Failed;
}

} // namespace kv::app
