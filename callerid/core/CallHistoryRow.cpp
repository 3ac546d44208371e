#include "callerid/core/CallHistoryRow.h"

#include "common/Cp932.h"

namespace kv::callerid {

CallHistoryRow CallHistoryRow::of(const data::CallInfoEntry& call)
{
    CallHistoryRow row;
    row.code = call.kokCode;
    row.codeText = QStringLiteral("%1").arg(call.kokCode, 6, 10, QLatin1Char('0'));
    row.name = cp932::truncateToBytes(call.ownerName1, 20) + cp932::truncateToBytes(call.ownerName2, 20);
    row.address = cp932::truncateToBytes(call.ownerJyu1, 30) + cp932::truncateToBytes(call.ownerJyu2, 30);
    row.tel = call.tel1;
    row.arrival = call.arrival;
    return row;
}

std::vector<CallHistoryRow> CallHistoryRow::rowsOf(const data::CallInfoFile& calls)
{
    std::vector<CallHistoryRow> rows;
    for (const data::CallInfoEntry& call : calls.entries)
        if (call.kokCode != 0)
            rows.push_back(of(call));
    return rows;
}

} // namespace kv::callerid
