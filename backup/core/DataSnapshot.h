#pragma once

#include <QString>

#include <atomic>

namespace kv::backup {

// A consistent copy of a data folder for the backup to pack: every database
// through SQLite's backup API (a reader's view of one committed state,
// whatever another computer is writing), every other file copied. The
// caller holds the "Printing" section, so no recording runs meanwhile.
class DataSnapshot {
public:
    // Whether an entry of the data folder belongs in a backup: not the
    // temporary folder, no backup file or archive (*.SBK, *.LZH), no
    // database journal and nothing behind a symbolic link.
    static bool isPacked(const QString& relativePath, bool isFolder);
    // A data folder's database files ("*.mdb").
    static bool isDatabase(const QString& fileName);

    // Copies what isPacked takes from dataFolder into target (made empty
    // first). False with the reason; cancel makes it stop at the next file
    // with an empty reason.
    static bool take(const QString& dataFolder, const QString& target,
                     const std::atomic<bool>& cancel, QString* error);

    // One database through the backup API; an SQLite result code.
    static int copyDatabase(const QString& source, const QString& destination);
};

} // namespace kv::backup
