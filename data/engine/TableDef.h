#pragma once

#include <QString>

#include <vector>

namespace kv::data {

enum class ColumnType {
    Long,     // 32-bit integer
    AutoLong, // 32-bit integer numbered by the database on add
    Text,     // text, ordered and compared in CP932 byte order
    Date,     // day number (DayNumber.h)
    Double,
};

struct ColumnDef {
    const char* name;
    ColumnType type;
};

// One table of a database file: the single description from which the
// schema, the filter translator's name check and the recordset exchange
// are all derived.
struct TableDef {
    const char* name;
    const char* fileName;                 // "010.mdb"
    std::vector<ColumnDef> columns;       // in exchange order
    std::vector<const char*> indexes;     // column lists, "Furi, KokCode"

    // Index of the column, matched without regard to ASCII case; -1 none.
    int columnIndex(QStringView columnName) const;
    bool isText(int column) const { return columns[size_t(column)].type == ColumnType::Text; }
};

} // namespace kv::data
