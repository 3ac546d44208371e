#pragma once

#include "common/KVCommonExport.h"

#include <QString>

namespace kv {

// Where a file chooser opens: the folder asked for when it exists, else the
// user's documents folder when there is one, else the home folder. A chooser
// started in a folder that is gone shows the user nothing to go from.
KVCOMMON_EXPORT QString existingStartFolder(const QString& folder);

// A suggested file path kept as it is when its folder exists; else the same
// name in existingStartFolder. An empty suggestion gives that folder.
KVCOMMON_EXPORT QString existingStartPath(const QString& suggestion);

} // namespace kv
