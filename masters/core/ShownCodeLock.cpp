#include "masters/core/ShownCodeLock.h"

namespace kv::masters {

ShownCodeLock::ShownCodeLock(std::function<bool(int)> claim, std::function<bool()> release)
    : m_claim(std::move(claim)), m_release(std::move(release))
{
}

bool ShownCodeLock::claim(int code)
{
    if (code == 0)
        return true;
    if (!m_claim(code))
        return false;
    m_code = code;
    return true;
}

bool ShownCodeLock::release()
{
    if (m_code == 0)
        return true;
    if (!m_release())
        return false;
    m_code = 0;
    return true;
}

} // namespace kv::masters
