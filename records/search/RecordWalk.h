#pragma once

#include "common/MessageGateway.h"
#include "data/engine/ReadSnapshot.h"
#include "data/engine/Recordset.h"
#include "records/search/SearchRows.h"

namespace kv::records::search {

// Opens the recordset with its filter and sort and appends its rows to the
// list until the list is full; the rows beyond count towards the total.
// The walk runs inside one read snapshot. A database failure is shown and
// kept in the list.
template <typename Row, typename MakeRow>
bool appendRows(data::Recordset& set, RowList<Row>& list, MakeRow makeRow)
{
    data::ReadSnapshot snapshot(set.connection());
    if (!set.Open()) {
        list.failure = set.lastError().description;
        showMessage(list.failure);
        return false;
    }
    list.total += int(set.GetRecordCount());
    for (; !set.IsEOF() && !list.full(); set.MoveNext()) {
        if (set.IsDeleted())
            continue;
        list.rows.push_back(makeRow());
    }
    list.truncated = list.total > int(list.rows.size());
    return true;
}

} // namespace kv::records::search
