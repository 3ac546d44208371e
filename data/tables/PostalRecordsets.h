#pragma once

// The 47 postal recordsets, one class per prefecture table, all with the
// same columns (CDaoPostSet) and generated from the postal table list.

#include "data/engine/TypedRecordset.h"
#include "data/tables/TableColumns.h"

#include <vector>

class CDaoPostSet : public kv::data::TypedRecordset<CDaoPostSet> {
public:
    static const std::vector<Member>& members();
    KV_COLUMNS_Post(KV_DECLARE_MEMBER)

protected:
    CDaoPostSet(kv::data::Connection& connection, const kv::data::TableDef& table);
};

#define KV_DECLARE_POSTAL_RECORDSET(Infix, Table, File)              \
    class CDaoPost##Infix##Set final : public CDaoPostSet {          \
    public:                                                          \
        explicit CDaoPost##Infix##Set(kv::data::Connection& connection); \
        static const kv::data::TableDef& tableDef();                 \
    };

KV_POSTAL_TABLES(KV_DECLARE_POSTAL_RECORDSET)

#undef KV_DECLARE_POSTAL_RECORDSET
