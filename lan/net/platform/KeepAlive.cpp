#include "lan/net/platform/KeepAlive.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace kv::lan {

bool KeepAlive::apply(qintptr descriptor)
{
    if (descriptor < 0)
        return false;
    const int fd = int(descriptor);
    const int on = 1;
    const int idle = IdleSeconds;
    const int interval = IntervalSeconds;
    const int probes = Probes;
    const unsigned userTimeoutMs = unsigned(DeadAfterSeconds) * 1000u;
    bool ok = ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on) == 0;
    ok = ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle) == 0 && ok;
    ok = ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval) == 0 && ok;
    ok = ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &probes, sizeof probes) == 0 && ok;
    // Without it, data waiting for an acknowledgement is retried for a
    // quarter of an hour before the keep-alive gets its turn.
    ok = ::setsockopt(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &userTimeoutMs, sizeof userTimeoutMs) == 0 && ok;
    return ok;
}

} // namespace kv::lan
