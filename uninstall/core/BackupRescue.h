#pragma once

#include <QString>
#include <QStringList>

namespace kv::uninstall {

// Backup files are the shop's only way back to its data, so none is removed
// with a folder: every backup file inside it (by its extension, in any case)
// is moved to the target folder first, under a free name.
struct BackupRescue {
    QStringList moved;   // where each one is now
    QString notMoved;    // the first that could not be moved; empty when all were

    static BackupRescue moveBackups(const QString& folder, const QString& target);
};

} // namespace kv::uninstall
