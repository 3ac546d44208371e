#include "adapter/TextField.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace tlx {

void copyField(char* field, std::size_t width, std::string_view text)
{
    if (width == 0)
        return;
    const std::size_t length = std::min(text.size(), width - 1);
    if (length > 0)
        std::memcpy(field, text.data(), length);
    std::memset(field + length, 0, width - length);
}

std::optional<std::int32_t> parseDecimal(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const std::size_t firstDigit = i;
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(limit, value * 10 + (text[i] - '0'));
    if (i == firstDigit)
        return std::nullopt;
    if (negative)
        value = -value;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace tlx
