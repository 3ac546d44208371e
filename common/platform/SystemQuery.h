#pragma once

#include "common/KVCommonExport.h"

#include <QString>

struct OsVersionInfo;

namespace kv {

// Operating-system facts behind GetWindowsInfo. On this platform the kernel
// release stands for the Windows version (reported as the NT family) and the
// standard folders map to their nearest Linux counterparts:
//   Windows folder  -> the system prefix holding the operating system's
//                      programs and data (Qt's prefix, /usr on Debian)
//   system folder   -> the folder of the system's shared libraries
//   program files   -> /opt, where add-on applications are installed
class KVCOMMON_EXPORT SystemQuery {
public:
    // False when the kernel cannot be asked.
    static bool osVersion(OsVersionInfo& info);
    // Empty when the folder cannot be determined or does not exist.
    static QString systemRootFolder();
    static QString systemLibraryFolder();
    static QString programFilesFolder();
};

} // namespace kv
