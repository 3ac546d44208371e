#include "data/engine/UnitOfWork.h"

namespace kv::data {

UnitOfWork::UnitOfWork(Connection& connection)
    : m_connection(connection)
{
    m_active = m_connection.begin();
    if (!m_active)
        m_error = m_connection.lastError();
}

UnitOfWork::~UnitOfWork()
{
    rollback();
}

bool UnitOfWork::commit()
{
    if (!m_active) {
        if (!m_error.isError())
            m_error = EngineError::make(error::kGeneric, QStringLiteral("COMMIT"));
        return false;
    }
    m_active = false;
    if (!m_connection.commit()) {
        m_error = m_connection.lastError();
        return false;
    }
    return true;
}

void UnitOfWork::rollback()
{
    if (!m_active)
        return;
    m_active = false;
    m_connection.rollback();
}

} // namespace kv::data
