#pragma once

#include "common/KVCommonExport.h"
#include "common/platform/RetryClock.h"

#include <QByteArray>
#include <QString>

namespace kv {

// Open-mode bits as the callers pass them (values of the Windows framework's
// file class, so that stored and documented modes keep their meaning).
namespace FileMode {
enum : unsigned {
    Read = 0x0000,
    Write = 0x0001,
    ReadWrite = 0x0002,
    ShareCompat = 0x0000,
    ShareExclusive = 0x0010,
    ShareDenyWrite = 0x0020,
    ShareDenyRead = 0x0030,
    ShareDenyNone = 0x0040,
    NoInherit = 0x0080,
    Create = 0x1000,
    NoTruncate = 0x2000,
    TypeText = 0x4000,
    TypeBinary = 0x8000,
};
}

// File-error causes 0..14, as the error texts number them.
namespace FileCause {
enum : int {
    None = 0,
    Generic = 1,
    FileNotFound = 2,
    BadPath = 3,
    TooManyOpenFiles = 4,
    AccessDenied = 5,
    InvalidFile = 6,
    RemoveCurrentDir = 7,
    DirectoryFull = 8,
    BadSeek = 9,
    HardIO = 10,
    SharingViolation = 11,
    LockViolation = 12,
    DiskFull = 13,
    EndOfFile = 14,
};
}

// Maps an errno value to a file-error cause. `path` helps tell a missing
// file (2) from a missing folder (3).
KVCOMMON_EXPORT int fileCauseFromErrno(int error, const QString& path = {});

// A file opened with a Windows-style sharing mode. The sharing rules are
// carried by advisory whole-file locks (flock), which also hold between
// computers on a network share: exclusive opens and writers refusing other
// writers take an exclusive lock, every other open a shared one, so a
// conflicting open fails with cause 11 like a sharing violation.
class KVCOMMON_EXPORT SharedFile {
public:
    SharedFile() = default;
    ~SharedFile();
    SharedFile(const SharedFile&) = delete;
    SharedFile& operator=(const SharedFile&) = delete;

    // Opens path with FileMode bits; on failure returns false with the cause
    // and the errno value.
    bool open(const QString& path, unsigned mode, int* cause = nullptr, int* osError = nullptr);
    // As open, retrying a sharing violation every timing.intervalMs until
    // timing.timeoutMs has passed since the first attempt (< 0: forever),
    // by clock. A file still busy then gives false with cause 11.
    bool openRetrying(const QString& path, unsigned mode, const RetryTiming& timing,
                      int* cause = nullptr, int* osError = nullptr,
                      RetryClock& clock = RetryClock::system());
    // False when the system reports an error on closing (cause in lastCause()).
    bool close();
    bool isOpen() const { return m_fd >= 0; }
    const QString& path() const { return m_path; }
    int handle() const { return m_fd; }

    // Reads up to size bytes; returns the count read, -1 on error.
    qint64 read(char* data, qint64 size);
    QByteArray readAll();
    // Writes all bytes; false on error (cause in lastCause()).
    bool write(const char* data, qint64 size);
    bool write(const QByteArray& data) { return write(data.constData(), data.size()); }
    // origin 0 begin, 1 current, 2 end; returns the new position or -1.
    qint64 seek(qint64 offset, int origin = 0);
    qint64 size() const;
    bool flush();
    int lastCause() const { return m_lastCause; }

private:
    int m_fd = -1;
    int m_lastCause = 0;
    QString m_path;
};

} // namespace kv
