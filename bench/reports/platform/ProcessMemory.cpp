#include "ProcessMemory.h"

#include <QFile>

namespace kv::bench {

namespace {

// A "kB" line of /proc/self/status.
long long statusBytes(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return 0;
}

} // namespace

long long residentBytes()
{
    return statusBytes("VmRSS");
}

long long peakResidentBytes()
{
    return statusBytes("VmHWM");
}

void resetPeakResident()
{
    // "5" resets the peak resident size to the present one.
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

} // namespace kv::bench
