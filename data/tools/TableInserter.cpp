#include "data/tools/TableInserter.h"

#include "data/engine/FilterTranslator.h"
#include "data/engine/StatementScope.h"

#include <sqlite3.h>

namespace kv::data {

TableInserter::TableInserter(Connection& connection, const TableDef& table)
    : m_connection(connection), m_table(table)
{
    const QString schema = connection.schemaOf(QString::fromLatin1(table.fileName));
    if (schema.isEmpty()) {
        connection.setError(EngineError::make(error::kFileNotFound, QString::fromLatin1(table.fileName)));
        return;
    }
    const QByteArray schemaName = schema.toUtf8();
    QByteArray sql = "INSERT INTO " + FilterTranslator::quotedName(schemaName.constData()) + '.'
        + FilterTranslator::quotedName(table.name) + " (";
    QByteArray parameters;
    for (size_t i = 0; i < table.columns.size(); ++i) {
        sql += (i ? ", " : "") + FilterTranslator::quotedName(table.columns[i].name);
        parameters += i ? ", ?" : "?";
    }
    sql += ") VALUES (" + parameters + ')';
    m_statement = connection.prepareCached(sql);
}

void TableInserter::bind(int column, int value)
{
    sqlite3_bind_int(m_statement, column + 1, value);
}

void TableInserter::bind(int column, double value)
{
    sqlite3_bind_double(m_statement, column + 1, value);
}

void TableInserter::bind(int column, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(m_statement, column + 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

bool TableInserter::step()
{
    if (!m_statement)
        return false;
    // Unbound parameters are NULL: an auto-numbered column takes the next
    // number, and the scope clears the bindings for the next row.
    StatementScope scope(m_statement);
    const int rc = sqlite3_step(m_statement);
    if (rc != SQLITE_DONE) {
        m_connection.fail(rc, QString::fromLatin1(m_table.name));
        return false;
    }
    return true;
}

} // namespace kv::data
