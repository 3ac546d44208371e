#include "data/engine/FieldExchange.h"

#include "data/engine/DayNumber.h"

#include <sqlite3.h>

namespace kv::data {

FieldExchange::FieldExchange(Mode mode, const TableDef& table, sqlite3_stmt* statement,
                             int firstColumn)
    : m_mode(mode)
    , m_table(table)
    , m_statement(statement)
    , m_firstColumn(firstColumn)
{
}

bool FieldExchange::skipsColumn(int column) const
{
    return m_table.columns[size_t(column)].type == ColumnType::AutoLong;
}

void FieldExchange::field(int column, int& value)
{
    switch (m_mode) {
    case Mode::Load: value = sqlite3_column_int(m_statement, m_firstColumn + column); break;
    case Mode::Bind:
        if (!skipsColumn(column) && m_result == SQLITE_OK)
            m_result = sqlite3_bind_int(m_statement, m_nextParameter++, value);
        break;
    case Mode::Defaults: value = 0; break;
    }
}

void FieldExchange::field(int column, QString& value)
{
    switch (m_mode) {
    case Mode::Load: {
        const int at = m_firstColumn + column;
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, at));
        value = text ? QString::fromUtf8(text, sqlite3_column_bytes(m_statement, at)) : QString();
        break;
    }
    case Mode::Bind:
        if (m_result == SQLITE_OK) {
            const QByteArray utf8 = value.toUtf8();
            m_result = sqlite3_bind_text(m_statement, m_nextParameter++, utf8.constData(),
                                         int(utf8.size()), SQLITE_TRANSIENT);
        }
        break;
    case Mode::Defaults: value.clear(); break;
    }
}

void FieldExchange::field(int column, double& value)
{
    const bool isDate = m_table.columns[size_t(column)].type == ColumnType::Date;
    switch (m_mode) {
    case Mode::Load:
        value = sqlite3_column_type(m_statement, m_firstColumn + column) == SQLITE_NULL
                  ? (isDate ? kEmptyDate : 0.0)
                  : sqlite3_column_double(m_statement, m_firstColumn + column);
        break;
    case Mode::Bind:
        if (m_result == SQLITE_OK)
            m_result = sqlite3_bind_double(m_statement, m_nextParameter++, value);
        break;
    case Mode::Defaults: value = isDate ? kEmptyDate : 0.0; break;
    }
}

} // namespace kv::data
