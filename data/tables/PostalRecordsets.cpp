#include "data/tables/PostalRecordsets.h"

CDaoPostSet::CDaoPostSet(kv::data::Connection& connection, const kv::data::TableDef& table)
    : kv::data::TypedRecordset<CDaoPostSet>(connection, table)
{
}

const std::vector<CDaoPostSet::Member>& CDaoPostSet::members()
{
    using Self = CDaoPostSet;
    static const std::vector<Member> list{KV_COLUMNS_Post(KV_MEMBER_POINTER)};
    return list;
}

#define KV_DEFINE_POSTAL_RECORDSET(Infix, Table, File)                                   \
    CDaoPost##Infix##Set::CDaoPost##Infix##Set(kv::data::Connection& connection)         \
        : CDaoPostSet(connection, tableDef())                                            \
    {                                                                                    \
    }                                                                                    \
    const kv::data::TableDef& CDaoPost##Infix##Set::tableDef()                           \
    {                                                                                    \
        static const kv::data::TableDef table{                                           \
            Table, File, {KV_COLUMNS_Post(KV_COLUMN_DEF)}, {"Post", "Section2, Section3"}};                      \
        return table;                                                                    \
    }

KV_POSTAL_TABLES(KV_DEFINE_POSTAL_RECORDSET)
