#pragma once

#include "common/KVCommonExport.h"

#include <QList>
#include <QString>

namespace kv {

// One entry of a folder as the folder itself records it: a symbolic link is
// reported as a link (with what it points at), never silently as its target.
struct DirectoryEntry {
    QString name;
    bool isLink = false;
    bool isFolder = false;     // the entry, or the link's target, is a folder
    bool isReadOnly = false;   // no write permission for the owner
    qint64 size = 0;           // bytes of the file (of the target for a link)
};

// Free space of the volume holding a path.
struct VolumeSpace {
    quint64 totalBytes = 0;
    quint64 freeBytes = 0;       // free on the volume, reserved blocks included
    quint64 availableBytes = 0;  // free for the calling user
};

// The file-system calls the common library needs, with the operating
// system's error code on failure (errno here). Everything platform-specific
// about files and folders lives behind this class.
//
// Read-only: the owner's write permission stands for the read-only attribute
// (as Qt maps it on Windows). Deleting a read-only file and replacing one are
// refused with EACCES, so files a user protected survive clean-ups as they
// would on Windows, and this holds for root as well.
class KVCOMMON_EXPORT FileSystem {
public:
    // Entries of folder except "." and ".."; false with the error when the
    // folder cannot be read.
    static bool listFolder(const QString& folder, QList<DirectoryEntry>& entries, int* osError);

    static bool isReadOnly(const QString& path);

    // Deletes a file or a symbolic link (the link itself).
    static bool removeFile(const QString& path, int* osError);
    // Removes an empty folder.
    static bool removeFolder(const QString& path, int* osError);

    // Copies the content, permissions and modification time of a file.
    // With failIfExists an existing destination is an error (EEXIST);
    // otherwise it is replaced at once, so it is never left half written.
    static bool copyFile(const QString& source, const QString& destination, bool failIfExists,
                         int* osError);

    // Moves a file or link, replacing the destination, copying between
    // volumes when it must, and returns only once the move is on the disk.
    static bool moveFile(const QString& source, const QString& destination, int* osError);

    static bool volumeSpace(const QString& path, VolumeSpace& space, int* osError);
};

} // namespace kv
