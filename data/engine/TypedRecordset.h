#pragma once

#include "data/engine/Recordset.h"

#include <QString>

#include <variant>
#include <vector>

namespace kv::data {

// A recordset whose columns are members of Set. Set::members() lists one
// member pointer per column in table order; the exchange walks that list.
template <class Set>
class TypedRecordset : public Recordset {
public:
    using Member = std::variant<int Set::*, QString Set::*, double Set::*>;

protected:
    TypedRecordset(Connection& connection, const TableDef& table)
        : Recordset(connection, table)
    {
    }

    void exchange(FieldExchange& fx) override
    {
        Set& self = static_cast<Set&>(*this);
        const std::vector<Member>& members = Set::members();
        for (size_t i = 0; i < members.size(); ++i)
            std::visit([&](auto member) { fx.field(int(i), self.*member); }, members[i]);
    }
};

} // namespace kv::data

// Helpers for declaring a table's members from its column list (see
// data/tables/TableColumns.h): COLUMNS(KV_DECLARE_MEMBER) gives one public
// member m_<Column> of the column's C++ type.
#define KV_MEMBER_TYPE_Long int
#define KV_MEMBER_TYPE_AutoLong int
#define KV_MEMBER_TYPE_Text QString
#define KV_MEMBER_TYPE_Date double
#define KV_MEMBER_TYPE_Double double
#define KV_DECLARE_MEMBER(name, type) KV_MEMBER_TYPE_##type m_##name{};
#define KV_COLUMN_DEF(name, type) kv::data::ColumnDef{#name, kv::data::ColumnType::type},
#define KV_MEMBER_POINTER(name, type) Member(&Self::m_##name),
