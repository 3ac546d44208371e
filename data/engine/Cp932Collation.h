#pragma once

struct sqlite3;

namespace kv::data {

// Name of the collation every text column is declared with.
inline constexpr char kTextCollation[] = "CP932";

// Registers the CP932 collation (CP932 byte order) on a connection. The
// program and the sqlite3 shell extension both register it here, so the
// shell sorts, compares and keeps the indexes exactly as the program does.
// Returns an SQLite result code.
int registerCp932Collation(sqlite3* db);

} // namespace kv::data
