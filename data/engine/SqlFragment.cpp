#include "data/engine/SqlFragment.h"

#include <sqlite3.h>

namespace kv::data {

int bindSqlValue(sqlite3_stmt* statement, int index, const SqlValue& value)
{
    if (const auto* integer = std::get_if<qint64>(&value))
        return sqlite3_bind_int64(statement, index, *integer);
    if (const auto* real = std::get_if<double>(&value))
        return sqlite3_bind_double(statement, index, *real);
    const QByteArray utf8 = std::get<QString>(value).toUtf8();
    return sqlite3_bind_text(statement, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

int bindSqlValues(sqlite3_stmt* statement, int firstIndex, const std::vector<SqlValue>& values)
{
    for (size_t i = 0; i < values.size(); ++i) {
        const int rc = bindSqlValue(statement, firstIndex + int(i), values[i]);
        if (rc != SQLITE_OK)
            return rc;
    }
    return SQLITE_OK;
}

} // namespace kv::data
