#pragma once

#include <sqlite3.h>

namespace kv::data {

// Resets a cached statement when the scope ends, so that no read leaves a
// shared lock on a file that other computers want to write.
class StatementScope {
public:
    explicit StatementScope(sqlite3_stmt* statement) : m_statement(statement) {}
    ~StatementScope()
    {
        if (m_statement) {
            sqlite3_reset(m_statement);
            sqlite3_clear_bindings(m_statement);
        }
    }
    StatementScope(const StatementScope&) = delete;
    StatementScope& operator=(const StatementScope&) = delete;

private:
    sqlite3_stmt* m_statement;
};

} // namespace kv::data
