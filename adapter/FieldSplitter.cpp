#include "adapter/FieldSplitter.h"

#include <cstring>

namespace tlx {

FieldSplitter::FieldSplitter(const char* text, const char* delimiters)
    : m_delimiters(delimiters)
{
    if (text) {
        m_length = strnlen(text, kMaxText);
        std::memcpy(m_text.data(), text, m_length);
    }
}

std::optional<std::string_view> FieldSplitter::next()
{
    if (m_position >= m_length)
        return std::nullopt;
    const std::string_view rest(m_text.data() + m_position, m_length - m_position);
    const std::size_t end = rest.find_first_of(m_delimiters);
    if (end == std::string_view::npos) {
        m_position = m_length;
        return rest;
    }
    m_position += end + 1;
    return rest.substr(0, end);
}

} // namespace tlx
