#pragma once

#include "common/platform/SharedFile.h"

#include <QString>

namespace kv::data {

class LockTables;

// Holds a resource's lock file (LockTables::HeldLockFile) for the guard's
// lifetime, e.g. "Printing" around a print preparation.
class HeldLockGuard {
public:
    // action: ShareLockAction::Hold, or IsHeldElsewhere to refuse when
    // another computer holds code.
    HeldLockGuard(LockTables& tables, const QString& resource, const QString& computer, int code,
                  int action);
    ~HeldLockGuard();
    HeldLockGuard(const HeldLockGuard&) = delete;
    HeldLockGuard& operator=(const HeldLockGuard&) = delete;

    bool isHeld() const { return m_file.isOpen(); }
    // Ends the exclusive section early.
    void release();

private:
    SharedFile m_file;
};

} // namespace kv::data
