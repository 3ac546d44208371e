#pragma once

#include <QString>

namespace kv::backup {

class BackupVolumes;

// Asks the user which of the mounted removable volumes holds the next disk
// of a set: a desktop mounts each disk at a folder of its own (its label),
// so the next disk is not where the last one was. Behind an interface so
// that tests answer it; the windows ask with a dialog.
class DiskQuestion {
public:
    virtual ~DiskQuestion();
    // Disk `number` of the set (disk 1 again when it has gone before its
    // turn); the chosen volume's root, or empty when the user stops.
    virtual QString chooseDisk(int number, BackupVolumes& volumes) = 0;
};

} // namespace kv::backup
