#pragma once

#include "data/settings/CallInfoFile.h"

#include <QString>

#include <vector>

namespace kv::callerid {

// One row of the call history (TEL着信履歴): a kept call as its columns show it.
struct CallHistoryRow {
    int code = 0;
    QString codeText; // "%06d"
    QString name;     // OwnerName1 and OwnerName2, each cut to 20 bytes
    QString address;  // OwnerJyu1 and OwnerJyu2, each cut to 30 bytes
    QString tel;      // Tel1
    QString arrival;

    static CallHistoryRow of(const data::CallInfoEntry& call);
    // The kept calls, oldest first; empty entries give no row.
    static std::vector<CallHistoryRow> rowsOf(const data::CallInfoFile& calls);
};

} // namespace kv::callerid
