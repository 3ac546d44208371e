#pragma once

#include <cstddef>
#include <string>

namespace tlx {

// The adapter's commands, numbered as in the library's string table.
enum class Command {
    Latest = 1,
    History,
    ClearHistory,
    List,
    Delete,
    Set,
    Date,
    Time,
    State,
    Framing,
    InfoMode,
    InfoOff,
};

// The printf format of a command, e.g. "DEL %s".
const char* commandFormat(Command command);

// The command text (without its carriage return), at most kMaxText bytes.
// The arguments follow the command's format.
std::string formatCommand(Command command, ...);

constexpr std::size_t kMaxCommandText = 255;

} // namespace tlx
