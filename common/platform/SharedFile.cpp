#include "common/platform/SharedFile.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kv {

int fileCauseFromErrno(int error, const QString& path)
{
    switch (error) {
    case 0:
        return FileCause::None;
    case ENOENT:
        if (!path.isEmpty() && !QFileInfo(path).absoluteDir().exists())
            return FileCause::BadPath;
        return FileCause::FileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return FileCause::BadPath;
    case EMFILE:
    case ENFILE:
        return FileCause::TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EEXIST:
        return FileCause::AccessDenied;
    case EBADF:
        return FileCause::InvalidFile;
    case EBUSY:
        return FileCause::RemoveCurrentDir;
    case ESPIPE:
    case EOVERFLOW:
        return FileCause::BadSeek;
    case EIO:
    case ENXIO:
    case ENODEV:
        return FileCause::HardIO;
    case EWOULDBLOCK:
        return FileCause::SharingViolation;
    case EDEADLK:
    case ENOLCK:
        return FileCause::LockViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return FileCause::DiskFull;
    default:
        return FileCause::Generic;
    }
}

SharedFile::~SharedFile()
{
    close();
}

bool SharedFile::close()
{
    if (m_fd < 0)
        return true;
    const int result = ::close(m_fd);  // releases the lock with the descriptor
    m_fd = -1;
    if (result != 0 && errno != EINTR) {
        m_lastCause = fileCauseFromErrno(errno);
        return false;
    }
    return true;
}

bool SharedFile::open(const QString& path, unsigned mode, int* cause, int* osError)
{
    close();
    m_path = path;
    auto fail = [&](int err) {
        m_lastCause = fileCauseFromErrno(err, path);
        if (cause)
            *cause = m_lastCause;
        if (osError)
            *osError = err;
        if (m_fd >= 0) {
            ::close(m_fd);
            m_fd = -1;
        }
        return false;
    };

    int flags = O_CLOEXEC;
    const unsigned access = mode & 0x3;
    const bool writes = access == FileMode::Write || access == FileMode::ReadWrite;
    if (access == FileMode::Write)
        flags |= O_WRONLY;
    else if (access == FileMode::ReadWrite)
        flags |= O_RDWR;
    else
        flags |= O_RDONLY;
    if (mode & FileMode::Create)
        flags |= O_CREAT;

    const QByteArray native = QFile::encodeName(path);
    m_fd = ::open(native.constData(), flags, 0666);
    if (m_fd < 0)
        return fail(errno);

    struct stat st {};
    if (::fstat(m_fd, &st) == 0 && S_ISDIR(st.st_mode))
        return fail(EACCES);

    const unsigned share = mode & 0x70;
    const bool exclusiveLock = share == FileMode::ShareExclusive || share == FileMode::ShareCompat
        || share == FileMode::ShareDenyRead || (share == FileMode::ShareDenyWrite && writes);
    if (::flock(m_fd, (exclusiveLock ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0)
        return fail(errno == EWOULDBLOCK || errno == EAGAIN ? EWOULDBLOCK : errno);

    // Truncate only once the lock is ours, never under another holder.
    if ((mode & FileMode::Create) && !(mode & FileMode::NoTruncate) && writes) {
        if (::ftruncate(m_fd, 0) != 0)
            return fail(errno);
    }
    m_lastCause = FileCause::None;
    return true;
}

bool SharedFile::openRetrying(const QString& path, unsigned mode, const RetryTiming& timing,
                              int* cause, int* osError, RetryClock& clock)
{
    clock.restart();
    int localCause = 0;
    for (;;) {
        if (open(path, mode, &localCause, osError))
            return true;
        if (cause)
            *cause = localCause;
        if (localCause != FileCause::SharingViolation)
            return false;
        if (timing.timeoutMs >= 0 && clock.elapsedMs() >= timing.timeoutMs)
            return false;
        clock.sleepMs(timing.intervalMs);
    }
}

qint64 SharedFile::read(char* data, qint64 size)
{
    qint64 total = 0;
    while (total < size) {
        ssize_t n = ::read(m_fd, data + total, static_cast<size_t>(size - total));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            m_lastCause = fileCauseFromErrno(errno);
            return -1;
        }
        if (n == 0)
            break;
        total += n;
    }
    return total;
}

QByteArray SharedFile::readAll()
{
    QByteArray out;
    char buffer[65536];
    for (;;) {
        qint64 n = read(buffer, sizeof buffer);
        if (n <= 0)
            break;
        out.append(buffer, n);
        if (n < qint64(sizeof buffer))
            break;
    }
    return out;
}

bool SharedFile::write(const char* data, qint64 size)
{
    qint64 total = 0;
    while (total < size) {
        ssize_t n = ::write(m_fd, data + total, static_cast<size_t>(size - total));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            m_lastCause = fileCauseFromErrno(errno);
            return false;
        }
        total += n;
    }
    return true;
}

qint64 SharedFile::seek(qint64 offset, int origin)
{
    int whence = origin == 1 ? SEEK_CUR : origin == 2 ? SEEK_END : SEEK_SET;
    off_t r = ::lseek(m_fd, static_cast<off_t>(offset), whence);
    if (r < 0) {
        m_lastCause = FileCause::BadSeek;
        return -1;
    }
    return r;
}

qint64 SharedFile::size() const
{
    struct stat st {};
    if (::fstat(m_fd, &st) != 0)
        return -1;
    return st.st_size;
}

bool SharedFile::flush()
{
    return ::fsync(m_fd) == 0;
}

} // namespace kv
