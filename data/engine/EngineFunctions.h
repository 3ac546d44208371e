#pragma once

struct sqlite3;

namespace kv::data {

// Name of the collation every text column is declared with.
inline constexpr char kTextCollation[] = "CP932";
// Name of the SQL function the translator calls for Like: kv_like(pattern, value).
inline constexpr char kLikeFunction[] = "kv_like";

// Registers the CP932 collation and the Like function on a connection.
// Returns an SQLite result code.
int registerEngineFunctions(sqlite3* db);

} // namespace kv::data
