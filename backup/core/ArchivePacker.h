#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <atomic>
#include <functional>

namespace kv::backup {

// Packs a folder with its sub-folders into one LHA archive (LhaWriter),
// names relative to the folder. Streams every file; a cancel is noticed
// within a read of a file, not only between files.
class ArchivePacker {
public:
    // Told the bytes read so far and the bytes there are to read.
    using Progress = std::function<void(qint64 done, qint64 total)>;

    // False with the reason, or with an empty reason when cancelled; the
    // archive file is removed then. utf8Names: the names that CP932 cannot
    // hold, stored in UTF-8.
    static bool pack(const QString& folder, const QString& archivePath,
                     const std::atomic<bool>& cancel, const Progress& progress, QString* error,
                     QStringList* utf8Names = nullptr);
};

} // namespace kv::backup
