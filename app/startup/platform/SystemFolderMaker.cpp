#include "app/startup/platform/SystemFolderMaker.h"

#include <QFile>

#include <cerrno>
#include <sys/stat.h>

namespace kv::app {

FolderMaker::~FolderMaker() = default;

FolderMaker::Result SystemFolderMaker::makeFolder(const QString& path, int* error)
{
    const QByteArray native = QFile::encodeName(path);
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
