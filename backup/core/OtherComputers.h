#pragma once

#include <QString>

namespace kv::backup {

// Whether another computer works on a data folder, as its lock tables
// tell: a slot of another computer holding a code.
class OtherComputers {
public:
    // The resource another computer holds a code of; empty when none.
    static QString holdingLocks(const QString& dataFolder, const QString& computer);
};

} // namespace kv::backup
