#include "data/engine/ReadSnapshot.h"

namespace kv::data {

ReadSnapshot::ReadSnapshot(Connection& connection)
    : m_connection(connection)
{
    m_active = m_connection.begin();
}

ReadSnapshot::~ReadSnapshot()
{
    // Rows changed during the walk are kept, as they would be without it.
    if (m_active)
        m_connection.commit();
}

} // namespace kv::data
