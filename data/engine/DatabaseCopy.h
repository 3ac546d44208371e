#pragma once

#include <QString>

namespace kv::data {

// A consistent copy of a database file, even while other computers read
// or write it: SQLite's backup copies the pages under a read lock, and a
// journal left behind by a crash is rolled back first rather than copied
// torn. An SQLite result code.
int copyDatabase(const QString& source, const QString& destination);

} // namespace kv::data
