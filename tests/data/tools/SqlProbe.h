#pragma once

#include "data/engine/Connection.h"

#include <sqlite3.h>

#include <QString>
#include <QStringList>

#include <vector>

namespace kv::test {

// The first column of every row of a query of the test's own, as text.
inline QStringList column(kv::data::Connection& connection, const QByteArray& sql)
{
    QStringList values;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(connection.handle(), sql.constData(), int(sql.size()), &statement, nullptr)
        != SQLITE_OK) {
        values << QStringLiteral("SQL error: ") + QString::fromUtf8(sqlite3_errmsg(connection.handle()));
        return values;
    }
    while (sqlite3_step(statement) == SQLITE_ROW)
        values << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    return values;
}

inline long long scalar(kv::data::Connection& connection, const QByteArray& sql)
{
    const QStringList values = column(connection, sql);
    return values.isEmpty() ? -1 : values.first().toLongLong();
}

} // namespace kv::test
