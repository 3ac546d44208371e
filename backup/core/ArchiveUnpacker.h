#pragma once

#include <QString>

namespace kv::backup {

// Unpacks an LHA archive with liblhasa (a reader of its own, not ours
// turned round) into a folder, checking the CRC of every file. Names are
// CP932; a name that would leave the folder (absolute, "..") is refused.
class ArchiveUnpacker {
public:
    // False with the reason. Files already written stay for the caller to
    // remove.
    static bool unpack(const QString& archivePath, const QString& folder, QString* error);
};

} // namespace kv::backup
