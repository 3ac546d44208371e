#pragma once

// The typed recordsets of the data-folder tables, one class per table, each
// with its columns as public members m_<Column> in table order, inherited
// from the table's plain row. They are generated from the column table so
// that the members, the exchange and the schema cannot drift apart.

#include "data/tables/TableRows.h"

#define KV_DECLARE_DATA_RECORDSET(Table, Class, File)                     \
    class Class final : public kv::data::TypedRecordset<Class>,           \
                        public kv::data::Table##Row {                     \
    public:                                                                \
        using Row = kv::data::Table##Row;                                  \
        explicit Class(kv::data::Connection& connection);                 \
        static const kv::data::TableDef& tableDef();                      \
        static const std::vector<Member>& members();                      \
        Row row() const { return *this; }                                  \
        void assign(const Row& values) { Row::operator=(values); }         \
    };

KV_DATA_TABLES(KV_DECLARE_DATA_RECORDSET)

#undef KV_DECLARE_DATA_RECORDSET
