#pragma once

#include <QString>
#include <QtGlobal>

#include <atomic>
#include <functional>

namespace kv::backup {

// Unpacks an LHA archive with liblhasa (a reader of its own, not ours
// turned round) into a folder, checking the CRC of every file. Names are
// CP932, or UTF-8 where an entry's code page says so; a name that would
// leave the folder (absolute, "..") or cannot be read whole is refused.
class ArchiveUnpacker {
public:
    // Told the archive bytes read so far and the archive's size.
    using Progress = std::function<void(qint64 done, qint64 total)>;

    // False with the reason, or with an empty reason when cancelled (noticed
    // within a file, not only between files). Files already written stay for
    // the caller to remove.
    static bool unpack(const QString& archivePath, const QString& folder,
                       const std::atomic<bool>& cancel, const Progress& progress, QString* error);
};

} // namespace kv::backup
