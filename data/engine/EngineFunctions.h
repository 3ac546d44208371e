#pragma once

#include "data/engine/Cp932Collation.h"

namespace kv::data {

// Name of the SQL function the translator calls for Like: kv_like(pattern, value).
inline constexpr char kLikeFunction[] = "kv_like";

// Registers the CP932 collation, the Like function and the telephone digits
// (TelephoneDigits.h) on a connection.
// Returns an SQLite result code.
int registerEngineFunctions(sqlite3* db);

} // namespace kv::data
