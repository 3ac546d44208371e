#pragma once

// The values of one row of each data-folder table as a plain struct,
// Table##Row (KokRow, CarRow, ...), with the members m_<Column> of the
// column table. Record flows take and return these; the typed recordset of
// a table derives from its row, so a row is copied out of or into the
// current record by plain assignment.

#include "data/engine/TypedRecordset.h"
#include "data/tables/TableColumns.h"

namespace kv::data {

#define KV_DECLARE_DATA_ROW(Table, Class, File)              \
    struct Table##Row {                                       \
        KV_COLUMNS_##Table(KV_DECLARE_MEMBER)                 \
        bool operator==(const Table##Row&) const = default;  \
    };

KV_DATA_TABLES(KV_DECLARE_DATA_ROW)

#undef KV_DECLARE_DATA_ROW

} // namespace kv::data
