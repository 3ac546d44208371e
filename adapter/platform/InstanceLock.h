#pragma once

#include <string>

namespace tlx {

// Marks "the adapter is open" for every process of the user: an advisory
// lock on a small file in the user's runtime folder, held while the port is
// open. The system drops it with the process, so a crash leaves no stale claim.
class InstanceLock {
public:
    enum class Result { Acquired, HeldElsewhere, Failed };

    InstanceLock() = default;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    ~InstanceLock();

    Result acquire();
    void release();

    // $XDG_RUNTIME_DIR/TLX_K5.lock, else /tmp/TLX_K5-<uid>.lock.
    static std::string lockFilePath();

private:
    int m_fd = -1;
};

} // namespace tlx
