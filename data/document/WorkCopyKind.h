#pragma once

#include <QStringList>

namespace kv::data {

// The database files a print work copy of each kind takes into the
// temporary folder, always in the order "010.mdb", "009.mdb", "014.mdb",
// "013.mdb", "003.mdb", "002.mdb", "030.mdb", "004.mdb".
class WorkCopyKind {
public:
    static QStringList filesOf(int kind);
};

} // namespace kv::data
