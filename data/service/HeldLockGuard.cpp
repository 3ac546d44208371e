#include "data/service/HeldLockGuard.h"

#include "data/service/LockTables.h"

namespace kv::data {

HeldLockGuard::HeldLockGuard(LockTables& tables, const QString& resource, const QString& computer,
                             int code, int action)
{
    tables.HeldLockFile(resource, computer, code, action, m_file);
}

HeldLockGuard::~HeldLockGuard()
{
    release();
}

void HeldLockGuard::release()
{
    m_file.close();
}

} // namespace kv::data
