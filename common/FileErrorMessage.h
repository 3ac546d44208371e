#pragma once

#include "common/KVCommonExport.h"

#include <QString>

namespace kv {

// Shows the file error text of CFileSetErrStr for path and cause (a
// FileCause value) through the message gateway.
KVCOMMON_EXPORT void showFileError(const QString& path, int cause);

} // namespace kv
