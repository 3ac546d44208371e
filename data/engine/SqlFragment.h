#pragma once

#include <QByteArray>
#include <QString>

#include <variant>
#include <vector>

struct sqlite3_stmt;

namespace kv::data {

using SqlValue = std::variant<qint64, double, QString>;

// A piece of SQL with "?" placeholders and the values bound to them in order.
struct SqlFragment {
    QByteArray sql;
    std::vector<SqlValue> values;

    bool isEmpty() const { return sql.isEmpty(); }
};

// Binds values to placeholders firstIndex, firstIndex + 1, ... (1-based);
// returns the SQLite result of the first failure or SQLITE_OK.
int bindSqlValues(sqlite3_stmt* statement, int firstIndex, const std::vector<SqlValue>& values);
int bindSqlValue(sqlite3_stmt* statement, int index, const SqlValue& value);

} // namespace kv::data
