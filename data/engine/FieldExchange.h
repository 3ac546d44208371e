#pragma once

#include "data/engine/TableDef.h"

#include <QString>

struct sqlite3_stmt;

namespace kv::data {

// Moves the columns of one row between a statement and a recordset's
// members, column by column in table order (the recordset calls field()
// once per column).
class FieldExchange {
public:
    enum class Mode {
        Load,     // result columns 0..n-1 into the members
        Bind,     // members into parameters 1.., auto-numbered columns skipped
        Defaults, // the table's default into every member
    };

    // Load reads result columns from firstColumn on.
    FieldExchange(Mode mode, const TableDef& table, sqlite3_stmt* statement, int firstColumn = 0);

    void field(int column, int& value);
    void field(int column, QString& value);
    void field(int column, double& value);

    // SQLite result of the first failed bind, or SQLITE_OK.
    int result() const { return m_result; }
    int boundCount() const { return m_nextParameter - 1; }

private:
    bool skipsColumn(int column) const;

    Mode m_mode;
    const TableDef& m_table;
    sqlite3_stmt* m_statement;
    int m_firstColumn = 0;
    int m_nextParameter = 1;
    int m_result = 0;
};

} // namespace kv::data
