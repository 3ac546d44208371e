#pragma once

#include "data/engine/Connection.h"
#include "data/engine/EngineError.h"
#include "data/engine/TableDef.h"

#include <QString>

#include <variant>

struct sqlite3_stmt;

namespace kv::data {

// Bulk rows into one table through a prepared INSERT over all its columns
// in table order, for loaders that write far more rows than a recordset
// should carry. The row comes from the members of a typed recordset used
// as a plain buffer, so the column order is the column table's by
// construction. Auto-numbered columns take the database's number.
class TableInserter {
public:
    TableInserter(Connection& connection, const TableDef& table);
    TableInserter(const TableInserter&) = delete;
    TableInserter& operator=(const TableInserter&) = delete;

    bool isValid() const { return m_statement != nullptr; }
    const EngineError& lastError() const { return m_connection.lastError(); }

    template <class Set>
    bool insert(const Set& record)
    {
        const auto& members = Set::members();
        for (size_t i = 0; i < members.size(); ++i) {
            if (m_table.columns[i].type != ColumnType::AutoLong)
                std::visit([&](auto member) { bind(int(i), record.*member); }, members[i]);
        }
        return step();
    }

private:
    void bind(int column, int value);
    void bind(int column, double value);
    void bind(int column, const QString& text);
    bool step();

    Connection& m_connection;
    const TableDef& m_table;
    sqlite3_stmt* m_statement = nullptr;
};

} // namespace kv::data
