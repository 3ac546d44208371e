#include "adapter/CommandTable.h"

#include <array>
#include <cstdarg>
#include <cstdio>

namespace tlx {

namespace {
constexpr std::array<const char*, 12> kFormats = {
    "LATE",
    "HIS",
    "CLR",
    "LIS",
    "DEL %s",
    "SET %s %02d %s %d %d",
    "DATE %02d-%02d-%02d",
    "TIME %02d:%02d:%02d",
    "STAT",
    "CRCS %d",
    "INFO %d",
    "INFC",
};
} // namespace

const char* commandFormat(Command command)
{
    return kFormats[static_cast<std::size_t>(command) - 1];
}

std::string formatCommand(Command command, ...)
{
    std::array<char, kMaxCommandText + 1> text {};
    va_list arguments;
    va_start(arguments, command);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::vsnprintf(text.data(), text.size(), commandFormat(command), arguments);
#pragma GCC diagnostic pop
    va_end(arguments);
    return text.data();
}

} // namespace tlx
