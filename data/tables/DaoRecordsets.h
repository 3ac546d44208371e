#pragma once

// The typed recordsets of the data-folder tables, one class per table, each
// with its columns as public members m_<Column> in table order. They are
// generated from the column table so that the members, the exchange and
// the schema cannot drift apart.

#include "data/engine/TypedRecordset.h"
#include "data/tables/TableColumns.h"

#define KV_DECLARE_DATA_RECORDSET(Table, Class, File)                     \
    class Class final : public kv::data::TypedRecordset<Class> {          \
    public:                                                                \
        explicit Class(kv::data::Connection& connection);                 \
        static const kv::data::TableDef& tableDef();                      \
        static const std::vector<Member>& members();                      \
        KV_COLUMNS_##Table(KV_DECLARE_MEMBER)                              \
    };

KV_DATA_TABLES(KV_DECLARE_DATA_RECORDSET)

#undef KV_DECLARE_DATA_RECORDSET
