#pragma once

#include <QString>
#include <QStringList>

namespace kv::data {

// The twelve resources guarded across computers, each with its lock-table
// file in the data folder.
class LockResources {
public:
    // In the order the tables are cleared, joined and released at start and end.
    static const QStringList& names();
    // "050.dat" .. "061.dat"; empty for a name that is not a resource.
    static QString lockFileOf(const QString& resource);
};

} // namespace kv::data
