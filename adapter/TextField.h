#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tlx {

// Copies text into a fixed record field of `width` bytes: cut to width - 1,
// NUL-terminated, the rest zero-filled.
void copyField(char* field, std::size_t width, std::string_view text);

template <std::size_t N>
void copyField(char (&field)[N], std::string_view text)
{
    copyField(field, N, text);
}

// Text of a fixed field that may lack its terminator.
template <std::size_t N>
std::string_view fieldText(const char (&field)[N])
{
    std::size_t length = 0;
    while (length < N && field[length] != '\0')
        ++length;
    return {field, length};
}

// A decimal integer at the start of the text (after blanks, with an optional
// sign), clamped to the 32-bit range; nothing when no digit comes.
std::optional<std::int32_t> parseDecimal(std::string_view text);

} // namespace tlx
