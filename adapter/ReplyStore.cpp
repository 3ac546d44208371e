#include "adapter/ReplyStore.h"

#include "adapter/TextField.h"

#include <cstring>

namespace tlx {

bool ReplyStore::add(const char* line)
{
    if (m_count >= kLines)
        return false;
    copyField(m_lines[m_count].data(), kLineBytes, std::string_view(line, strnlen(line, kLineBytes - 1)));
    ++m_count;
    return true;
}

} // namespace tlx
