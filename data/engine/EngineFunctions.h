#pragma once

#include "data/engine/Cp932Collation.h"

namespace kv::data {

// Name of the SQL function the translator calls for Like: kv_like(pattern, value).
inline constexpr char kLikeFunction[] = "kv_like";

// Registers the CP932 collation and the Like function on a connection.
// Returns an SQLite result code.
int registerEngineFunctions(sqlite3* db);

} // namespace kv::data
