// Free space of the volume holding a path; any path on the volume serves as
// its root, an empty one means the working folder's volume.

#include "common/KVCommon.h"
#include "common/platform/FileSystem.h"

namespace {

bool queryVolume(const QString& root, kv::VolumeSpace& space)
{
    return kv::FileSystem::volumeSpace(root.isEmpty() ? QStringLiteral(".") : root, space, nullptr);
}

} // namespace

double GetDiskFreeByte(QString root)
{
    kv::VolumeSpace space;
    if (!queryVolume(root, space))
        return -1;
    return double(space.availableBytes);
}

int GetDiskFreeByteEx(QString root, double* total, double* free)
{
    kv::VolumeSpace space;
    if (!queryVolume(root, space))
        return 0;
    if (total)
        *total = double(space.totalBytes);
    if (free)
        *free = double(space.freeBytes);
    return 1;
}
