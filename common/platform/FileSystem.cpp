#include "common/platform/FileSystem.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace kv {
namespace {

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

QString childPath(const QString& folder, const QString& name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

bool failWith(int error, int* osError)
{
    if (osError)
        *osError = error;
    return false;
}

bool copyBytes(int from, int to)
{
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            return true;
        ssize_t done = 0;
        while (done < got) {
            const ssize_t put = ::write(to, buffer + done, static_cast<size_t>(got - done));
            if (put < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            done += put;
        }
    }
}

// Makes a folder's new or renamed entries durable.
void syncFolderOf(const QString& path)
{
    const int fd = ::open(native(QFileInfo(path).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// A sibling of path that nothing else uses, created empty and open.
int createTemporarySibling(const QString& path, QByteArray& tempName)
{
    tempName = native(path) + ".kvtmp-XXXXXX";
    return ::mkstemp(tempName.data());
}

bool copyFileContent(const QString& source, const QString& destination, bool failIfExists,
                     bool syncToDisk, int* osError)
{
    const int from = ::open(native(source).constData(), O_RDONLY | O_CLOEXEC);
    if (from < 0)
        return failWith(errno, osError);
    struct stat st {};
    if (::fstat(from, &st) != 0 || S_ISDIR(st.st_mode)) {
        const int error = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(from);
        return failWith(error, osError);
    }

    // Replacing goes through a temporary sibling renamed over the old file,
    // so a failed copy leaves the old destination as it was.
    QByteArray writtenName;
    int to = -1;
    if (failIfExists) {
        writtenName = native(destination);
        to = ::open(writtenName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    } else {
        struct stat existing {};
        if (::lstat(native(destination).constData(), &existing) == 0) {
            if (S_ISDIR(existing.st_mode)) {
                ::close(from);
                return failWith(EISDIR, osError);
            }
            if (!S_ISLNK(existing.st_mode) && !(existing.st_mode & S_IWUSR)) {
                ::close(from);
                return failWith(EACCES, osError);
            }
        }
        to = createTemporarySibling(destination, writtenName);
    }
    if (to < 0) {
        const int error = errno;
        ::close(from);
        return failWith(error, osError);
    }

    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    bool ok = copyBytes(from, to) && ::fchmod(to, st.st_mode & 07777) == 0
        && ::futimens(to, times) == 0 && (!syncToDisk || ::fsync(to) == 0);
    int error = ok ? 0 : errno;
    ::close(from);
    if (::close(to) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && !failIfExists && ::rename(writtenName.constData(), native(destination).constData()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(writtenName.constData());
        return failWith(error, osError);
    }
    if (syncToDisk)
        syncFolderOf(destination);
    return true;
}

bool copyLink(const QString& source, const QString& destination, int* osError)
{
    char target[4096];
    const ssize_t length = ::readlink(native(source).constData(), target, sizeof target - 1);
    if (length < 0)
        return failWith(errno, osError);
    target[length] = '\0';
    QByteArray tempName;
    const int placeholder = createTemporarySibling(destination, tempName);
    if (placeholder < 0)
        return failWith(errno, osError);
    ::close(placeholder);
    ::unlink(tempName.constData());
    if (::symlink(target, tempName.constData()) != 0)
        return failWith(errno, osError);
    if (::rename(tempName.constData(), native(destination).constData()) != 0) {
        const int error = errno;
        ::unlink(tempName.constData());
        return failWith(error, osError);
    }
    syncFolderOf(destination);
    return true;
}

} // namespace

bool FileSystem::listFolder(const QString& folder, QList<DirectoryEntry>& entries, int* osError)
{
    entries.clear();
    const QString base = folder.isEmpty() ? QStringLiteral("/") : folder;
    DIR* dir = ::opendir(native(base).constData());
    if (!dir)
        return failWith(errno, osError);
    for (;;) {
        errno = 0;
        const struct dirent* raw = ::readdir(dir);
        if (!raw) {
            const int error = errno;
            ::closedir(dir);
            if (error != 0)
                return failWith(error, osError);
            return true;
        }
        const QString name = QFile::decodeName(raw->d_name);
        if (name == QLatin1String(".") || name == QLatin1String(".."))
            continue;
        const QByteArray path = native(childPath(base, name));
        struct stat own {};
        if (::lstat(path.constData(), &own) != 0)
            continue;  // gone since readdir
        DirectoryEntry entry;
        entry.name = name;
        entry.isLink = S_ISLNK(own.st_mode);
        struct stat target = own;
        if (entry.isLink && ::stat(path.constData(), &target) != 0)
            target = {};  // a dangling link is a link to nothing
        entry.isFolder = S_ISDIR(target.st_mode);
        entry.isReadOnly = !entry.isLink && !(own.st_mode & S_IWUSR);
        entry.size = S_ISREG(target.st_mode) ? static_cast<qint64>(target.st_size) : 0;
        entries.append(entry);
    }
}

bool FileSystem::isReadOnly(const QString& path)
{
    struct stat st {};
    if (::lstat(native(path).constData(), &st) != 0 || S_ISLNK(st.st_mode))
        return false;
    return !(st.st_mode & S_IWUSR);
}

bool FileSystem::removeFile(const QString& path, int* osError)
{
    if (isReadOnly(path))
        return failWith(EACCES, osError);
    if (::unlink(native(path).constData()) != 0)
        return failWith(errno, osError);
    return true;
}

bool FileSystem::removeFolder(const QString& path, int* osError)
{
    if (::rmdir(native(path).constData()) != 0)
        return failWith(errno, osError);
    return true;
}

bool FileSystem::copyFile(const QString& source, const QString& destination, bool failIfExists,
                          int* osError)
{
    return copyFileContent(source, destination, failIfExists, false, osError);
}

bool FileSystem::moveFile(const QString& source, const QString& destination, int* osError)
{
    struct stat existing {};
    if (::lstat(native(destination).constData(), &existing) == 0 && !S_ISLNK(existing.st_mode)
        && !S_ISDIR(existing.st_mode) && !(existing.st_mode & S_IWUSR))
        return failWith(EACCES, osError);
    if (::rename(native(source).constData(), native(destination).constData()) == 0) {
        syncFolderOf(destination);
        return true;
    }
    if (errno != EXDEV)
        return failWith(errno, osError);

    struct stat own {};
    if (::lstat(native(source).constData(), &own) != 0)
        return failWith(errno, osError);
    const bool copied = S_ISLNK(own.st_mode) ? copyLink(source, destination, osError)
                                             : copyFileContent(source, destination, false, true,
                                                               osError);
    if (!copied)
        return false;
    if (::unlink(native(source).constData()) != 0)
        return failWith(errno, osError);
    return true;
}

bool FileSystem::volumeSpace(const QString& path, VolumeSpace& space, int* osError)
{
    struct statvfs vfs {};
    if (::statvfs(native(path).constData(), &vfs) != 0)
        return failWith(errno, osError);
    const quint64 unit = vfs.f_frsize ? vfs.f_frsize : vfs.f_bsize;
    space.totalBytes = static_cast<quint64>(vfs.f_blocks) * unit;
    space.freeBytes = static_cast<quint64>(vfs.f_bfree) * unit;
    space.availableBytes = static_cast<quint64>(vfs.f_bavail) * unit;
    return true;
}

} // namespace kv
