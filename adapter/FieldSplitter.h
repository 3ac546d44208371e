#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace tlx {

// Splits a line into fields at any of the given delimiters. Every delimiter
// ends a field, so two in a row give an empty field; the end of the text
// ends the last field, and nothing follows a trailing delimiter.
class FieldSplitter {
public:
    static constexpr std::size_t kMaxText = 255;

    // Keeps its own copy of at most kMaxText bytes of the text.
    FieldSplitter(const char* text, const char* delimiters);

    // The next field, or nothing once the text has ended.
    std::optional<std::string_view> next();

private:
    std::array<char, kMaxText + 1> m_text {};
    std::size_t m_length = 0;
    std::size_t m_position = 0;
    std::string_view m_delimiters;
};

} // namespace tlx
