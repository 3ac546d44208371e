#pragma once

#include <QString>
#include <QStringList>

namespace kv::data {

// Makes a fresh data folder: the fifteen database files with their schema,
// the job categories and label sheets a new installation ships, the
// settings files with a Japanese shop's defaults, the lock and counter
// files and the working sub-folders. A folder that already holds anything
// is refused and left as it was, so no shop's data is ever overwritten.
class DataFolderCreator {
public:
    // Missing parent folders are created. On failure *error tells why, and
    // nothing created here is left behind.
    static bool create(const QString& folder, QString* error = nullptr);

    // "Temp", "Photo", "Printer".
    static const QStringList& workingFolders();

private:
    static bool seedTables(const QString& folder, QString* error);
};

} // namespace kv::data
