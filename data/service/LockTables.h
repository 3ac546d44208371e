#pragma once

#include "data/service/ExclusiveFileOpener.h"

#include <QString>

#include <functional>

namespace kv {
class SharedFile;
}

namespace kv::data {

// The cross-computer lock tables of the data folder ("050.dat" .. "061.dat"),
// each opened exclusively for one read-modify-write.
class LockTables {
public:
    explicit LockTables(const QString& dataFolder, const RetryTiming& timing = {});

    // Acts on the resource's table for this computer (ShareLockAction).
    // Release/Join/Clear/SetHeld give true; Claim and IsHeldElsewhere give
    // false when another computer holds the code. Code 0 for Claim,
    // IsHeldElsewhere and SetHeld, and any unknown action, give true without
    // touching the file. False when the file cannot be had, the resource is
    // unknown or the computer name cannot be kept in a slot.
    bool ShareLock(const QString& resource, const QString& computer, int code, int action);

    // Frees the slots of the computers isGone names, under one exclusive
    // open of the table: what the computers still running hold stays.
    bool clearSlotsOf(const QString& resource, const std::function<bool(const QString&)>& isGone);

    // Opens the resource's lock file into file and leaves it open, so every
    // other computer's open of it waits and finally fails until the caller
    // closes it. With action IsHeldElsewhere and a code, fails (file closed)
    // when another computer holds the code. Actions other than
    // IsHeldElsewhere and Hold are reported as a fault and treated as Hold.
    bool HeldLockFile(const QString& resource, const QString& computer, int code, int action,
                      SharedFile& file);

    // Runs work while the resource's lock file is held exclusively, so that
    // a search and the insert it leads to are one step for every computer.
    // work must not touch the same resource's table (its open would wait for
    // this very hold). False, with work not run, when the file cannot be had.
    bool runExclusively(const QString& resource, const std::function<void()>& work);

    QString lockFilePath(const QString& resource) const;
    const QString& dataFolder() const { return m_dataFolder; }

private:
    QString m_dataFolder;
    ExclusiveFileOpener m_opener;
};

} // namespace kv::data
