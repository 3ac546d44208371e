#pragma once

#include "data/engine/Connection.h"

namespace kv::data {

// Writes to several tables, in one file or several attached files, that
// must land together or not at all. Begins on construction; commit() makes
// them durable; leaving the scope without commit() undoes them.
class UnitOfWork {
public:
    explicit UnitOfWork(Connection& connection);
    ~UnitOfWork();
    UnitOfWork(const UnitOfWork&) = delete;
    UnitOfWork& operator=(const UnitOfWork&) = delete;

    // False when the transaction could not be started; then nothing is
    // written inside it either.
    bool isActive() const { return m_active; }
    bool commit();
    void rollback();
    const EngineError& lastError() const { return m_error; }

private:
    Connection& m_connection;
    bool m_active = false;
    EngineError m_error;
};

} // namespace kv::data
