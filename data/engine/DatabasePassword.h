#pragma once

namespace kv::data {

// The password every database file of an installation carries. SQLite files
// have no password, so it protects nothing and is never passed to SQLite;
// it stays here, in one place, for code that shows or compares the connect
// text of older installations.
inline constexpr char kDatabasePassword[] = "QW7H2K9PZD4M";

} // namespace kv::data
