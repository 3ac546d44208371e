#include "adapter/platform/InstanceLock.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tlx {

InstanceLock::~InstanceLock()
{
    release();
}

std::string InstanceLock::lockFilePath()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime)
        return std::string(runtime) + "/TLX_K5.lock";
    return "/tmp/TLX_K5-" + std::to_string(::getuid()) + ".lock";
}

InstanceLock::Result InstanceLock::acquire()
{
    if (m_fd >= 0)
        return Result::Acquired;
    const int fd = ::open(lockFilePath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return Result::Failed;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held ? Result::HeldElsewhere : Result::Failed;
    }
    m_fd = fd;
    return Result::Acquired;
}

void InstanceLock::release()
{
    if (m_fd < 0)
        return;
    ::close(m_fd);
    m_fd = -1;
}

} // namespace tlx
