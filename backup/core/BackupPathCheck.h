#pragma once

#include "backup/core/BackupVolumes.h"

#include <QString>

namespace kv {
class MessageGateway;
}

namespace kv::backup {

// Checks and prepares the destination of a backup file, for the dialog,
// before the copy and again for every disk of a set. Messages and the
// overwrite question go through the given gateway, so that the copy's
// thread can have them shown by the interface thread.
class BackupPathCheck {
public:
    BackupPathCheck(BackupVolumes& volumes, MessageGateway& messages);

    // path: absolute; ".SBK" is appended to a file name without a dot. The
    // drive must be removable, fixed or network; an existing file is
    // overwritten only when the user says so; the folder is made and a
    // file can be created in it. False after the message (or the user's No).
    bool ValidateBackupPath(QString& path, BackupVolumes::DriveType* driveType, QString* folder);

    // The user has said yes to overwriting this path already (in the
    // dialog): not asked again.
    void setOverwriteConfirmed(const QString& path) { m_confirmed = path; }
    // The path must lie on the volume mounted at root: when that volume has
    // gone, nothing is made in the folder where it was.
    void requireVolume(const QString& root) { m_requiredRoot = root; }

private:
    // Creates and removes a file of its own beside the destination, so an
    // existing backup stays whole until the new one replaces it.
    bool probe(const QString& path, const QString& folder);

    BackupVolumes& m_volumes;
    MessageGateway& m_messages;
    QString m_confirmed;
    QString m_requiredRoot;
};

} // namespace kv::backup
