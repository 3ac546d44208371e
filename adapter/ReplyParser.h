#pragma once

#include "adapter/TLX_K5.h"

#include <cstdint>

namespace tlx {

class ReplyStore;

// "OK" anywhere makes an OK line; it is tested before "ERROR".
bool isOkLine(const char* line);
bool isErrorLine(const char* line);

// Last-error code for an ERROR line: its second field is the device's error
// number; 0..5 map to 6, 7, 8, 3, 4, 5, anything else (or none) to 0.
std::int32_t deviceErrorCode(const char* line);

enum class RecordParse { Filled, NoCall, MissingField };

// A "LATE" or history line: the number, date and time (cut at its first
// '/'), after a first field that marks "/C" for no call at all.
RecordParse parseCallRecord(const char* line, TlxCallRecord& record);

// Fills records from the stored history lines; the result is the count.
std::int32_t parseHistory(const ReplyStore& store, TlxCallRecord* records);

// Fills entries from the stored list lines; the result is the count.
std::int32_t parseTelList(const ReplyStore& store, TlxListEntry* entries);

// A "STAT" line; false when a field is missing.
bool parseState(const char* line, TlxState& state);

} // namespace tlx
