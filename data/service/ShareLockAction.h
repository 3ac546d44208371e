#pragma once

namespace kv::data {

// The actions of LockTables::ShareLock and HeldLockFile. The numbers are
// what callers pass and must not change.
namespace ShareLockAction {
enum : int {
    Release = 0,
    Claim = 1,
    Join = 2,
    Clear = 3,
    IsHeldElsewhere = 4,
    SetHeld = 5,
    // HeldLockFile only: hold the lock file open.
    Hold = 6,
};
}

} // namespace kv::data
